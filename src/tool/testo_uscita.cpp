// Windows-1252 to UTF-8 for the tool's outputs.
#include "tool/testo_uscita.h"

#include <cstdint>
#include <cstdio>

namespace {

// Code points of bytes 0x80 to 0x9F; 0 where the code page leaves the byte unused.
constexpr char32_t zona_80_9f[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t sostituto = 0xFFFD;

// The character a byte stands for; 0 for the unused bytes.
char32_t carattere(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return zona_80_9f[b - 0x80];
  return b;
}

bool stampabile(char32_t c) { return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0); }

void aggiungi_utf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    s.push_back(static_cast<char>(0xC0 | (c >> 6)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    s.push_back(static_cast<char>(0xE0 | (c >> 12)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xF0 | (c >> 18)));
    s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void aggiungi_codice(std::string& s, const char* formato, unsigned valore) {
  char codice[8];
  std::snprintf(codice, sizeof codice, formato, valore);
  s += codice;
}

void aggiungi_xml(std::string& s, char32_t c) {
  switch (c) {
    case '&': s += "&amp;"; break;
    case '<': s += "&lt;"; break;
    case '>': s += "&gt;"; break;
    case '"': s += "&quot;"; break;
    case '\'': s += "&apos;"; break;
    default: aggiungi_utf8(s, c != 0 && stampabile(c) ? c : sostituto);
  }
}

// Decodes one UTF-8 character at s[i] and moves i past it; a malformed,
// truncated or overlong sequence, or a surrogate, gives U+FFFD for its first byte.
char32_t prossimo_utf8(std::string_view s, size_t& i) {
  auto b0 = static_cast<unsigned char>(s[i]);
  size_t seguito = b0 < 0x80 ? 0 : (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : 4;
  if (seguito == 4 || i + seguito >= s.size()) {
    i += 1;
    return sostituto;
  }
  char32_t c = seguito == 0 ? b0 : (b0 & (0x3F >> seguito));
  for (size_t k = 1; k <= seguito; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      i += 1;
      return sostituto;
    }
    c = (c << 6) | (b & 0x3F);
  }
  constexpr char32_t minimo[] = {0, 0x80, 0x800, 0x10000};
  if (c < minimo[seguito] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
    i += 1;
    return sostituto;
  }
  i += seguito + 1;
  return c;
}

}  // namespace

std::string citazione_testo(std::string_view byte_1252) {
  std::string s = "\"";
  for (char b : byte_1252) {
    auto u = static_cast<unsigned char>(b);
    char32_t c = carattere(u);
    if (c == '"' || c == '\\') {
      s.push_back('\\');
      s.push_back(static_cast<char>(c));
    } else if (c == 0 || !stampabile(c)) {
      aggiungi_codice(s, "\\x%02X", u);
    } else {
      aggiungi_utf8(s, c);
    }
  }
  return s + "\"";
}

std::string stringa_json(std::string_view byte_1252) {
  std::string s = "\"";
  for (char b : byte_1252) {
    auto u = static_cast<unsigned char>(b);
    char32_t c = carattere(u);
    if (c == 0) c = u;
    if (c == '"' || c == '\\') {
      s.push_back('\\');
      s.push_back(static_cast<char>(c));
    } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      aggiungi_codice(s, "\\u%04X", static_cast<unsigned>(c));
    } else {
      aggiungi_utf8(s, c);
    }
  }
  return s + "\"";
}

std::string testo_xml(std::string_view byte_1252) {
  std::string s;
  for (char b : byte_1252) aggiungi_xml(s, carattere(static_cast<unsigned char>(b)));
  return s;
}

std::string testo_xml_utf8(std::string_view utf8) {
  std::string s;
  size_t i = 0;
  while (i < utf8.size()) aggiungi_xml(s, prossimo_utf8(utf8, i));
  return s;
}
