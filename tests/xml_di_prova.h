// A strict XML well-formedness check for the tests of the tool's pages: one
// root element, properly nested and closed tags, quoted and unique attributes,
// only the predefined and numeric character references, well-formed UTF-8 of
// characters XML allows. Keeps the elements with their attributes and text, so
// that a test can find what a page shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prova {

struct elemento_xml {
  std::string nome;
  std::vector<std::pair<std::string, std::string>> attributi;
  std::string testo;  // the element's own text, references resolved
  int genitore = -1;

  const std::string* attributo(std::string_view n) const {
    for (const auto& [k, v] : attributi) {
      if (k == n) return &v;
    }
    return nullptr;
  }
};

struct documento_xml {
  bool valido = false;
  std::string errore;  // what was wrong, with the byte offset
  std::vector<elemento_xml> elementi;
};

namespace dettaglio_xml {

struct analisi {
  std::string_view t;
  size_t i = 0;
  documento_xml d;
  std::vector<int> aperti;

  bool fallisci(const std::string& perche) {
    if (d.errore.empty()) d.errore = "byte " + std::to_string(i) + ": " + perche;
    return false;
  }
  bool finito() const { return i >= t.size(); }
  bool segue(std::string_view s) const { return t.substr(i, s.size()) == s; }

  static bool carattere_xml(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
  }

  // One UTF-8 character at i, moved past.
  bool carattere(uint32_t& c) {
    auto b0 = static_cast<unsigned char>(t[i]);
    size_t n = b0 < 0x80 ? 0 : (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : 4;
    if (n == 4 || i + n >= t.size()) return fallisci("malformed UTF-8");
    c = n == 0 ? b0 : (b0 & (0x3F >> n));
    for (size_t k = 1; k <= n; ++k) {
      auto b = static_cast<unsigned char>(t[i + k]);
      if ((b & 0xC0) != 0x80) return fallisci("malformed UTF-8");
      c = (c << 6) | (b & 0x3F);
    }
    const uint32_t minimo[] = {0, 0x80, 0x800, 0x10000};
    if (c < minimo[n]) return fallisci("overlong UTF-8");
    if (!carattere_xml(c)) return fallisci("a character XML does not allow");
    i += n + 1;
    return true;
  }

  static void utf8(std::string& s, uint32_t c) {
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  bool riferimento(std::string& uscita) {
    size_t fine = t.find(';', i);
    if (fine == std::string_view::npos || fine - i > 12) return fallisci("'&' without a reference");
    std::string_view r = t.substr(i + 1, fine - i - 1);
    uint32_t c = 0;
    if (r == "amp") c = '&';
    else if (r == "lt") c = '<';
    else if (r == "gt") c = '>';
    else if (r == "quot") c = '"';
    else if (r == "apos") c = '\'';
    else if (r.size() > 1 && r[0] == '#') {
      bool esadecimale = r[1] == 'x';
      std::string_view cifre = r.substr(esadecimale ? 2 : 1);
      if (cifre.empty()) return fallisci("empty character reference");
      for (char ch : cifre) {
        int v = ch >= '0' && ch <= '9' ? ch - '0'
                : esadecimale && ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                : esadecimale && ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                         : -1;
        if (v < 0) return fallisci("bad character reference");
        c = c * (esadecimale ? 16 : 10) + static_cast<uint32_t>(v);
        if (c > 0x10FFFF) return fallisci("character reference out of range");
      }
      if (!carattere_xml(c)) return fallisci("reference to a character XML does not allow");
    } else {
      return fallisci("unknown entity '" + std::string(r) + "'");
    }
    utf8(uscita, c);
    i = fine + 1;
    return true;
  }

  static bool inizio_nome(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
  static bool parte_nome(char c) { return inizio_nome(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

  bool nome(std::string& n) {
    if (finito() || !inizio_nome(t[i])) return fallisci("expected a name");
    size_t a = i;
    while (!finito() && parte_nome(t[i])) ++i;
    n = std::string(t.substr(a, i - a));
    return true;
  }

  bool spazio() {
    bool visto = false;
    while (!finito() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r')) {
      ++i;
      visto = true;
    }
    return visto;
  }

  bool salta_fino(std::string_view chiusura, bool vieta_doppio_trattino) {
    while (!segue(chiusura)) {
      if (finito()) return fallisci("unterminated markup");
      if (vieta_doppio_trattino && segue("--")) return fallisci("'--' inside a comment");
      uint32_t c;
      if (!carattere(c)) return false;
    }
    i += chiusura.size();
    return true;
  }

  bool altro_markup() {
    if (segue("<!--")) {
      i += 4;
      return salta_fino("-->", true);
    }
    if (segue("<?")) {
      i += 2;
      return salta_fino("?>", false);
    }
    return fallisci("unexpected markup");
  }

  bool etichetta_apertura() {
    ++i;  // '<'
    elemento_xml e;
    if (!nome(e.nome)) return false;
    while (true) {
      bool separato = spazio();
      if (finito()) return fallisci("unterminated tag");
      if (segue("/>") || t[i] == '>') break;
      if (!separato) return fallisci("attributes must be separated by blanks");
      std::string n, v;
      if (!nome(n)) return false;
      spazio();
      if (finito() || t[i] != '=') return fallisci("attribute without '='");
      ++i;
      spazio();
      if (finito() || (t[i] != '"' && t[i] != '\'')) return fallisci("unquoted attribute value");
      char virgoletta = t[i++];
      while (true) {
        if (finito()) return fallisci("unterminated attribute value");
        if (t[i] == virgoletta) break;
        if (t[i] == '<') return fallisci("'<' in an attribute value");
        if (t[i] == '&') {
          if (!riferimento(v)) return false;
          continue;
        }
        size_t a = i;
        uint32_t c;
        if (!carattere(c)) return false;
        v += std::string(t.substr(a, i - a));
      }
      ++i;
      if (e.attributo(n) != nullptr) return fallisci("attribute '" + n + "' given twice");
      e.attributi.emplace_back(n, v);
    }
    e.genitore = aperti.empty() ? -1 : aperti.back();
    d.elementi.push_back(e);
    if (segue("/>")) {
      i += 2;
    } else {
      ++i;
      aperti.push_back(static_cast<int>(d.elementi.size()) - 1);
    }
    return true;
  }

  bool etichetta_chiusura() {
    i += 2;
    std::string n;
    if (!nome(n)) return false;
    spazio();
    if (finito() || t[i] != '>') return fallisci("unterminated end tag");
    ++i;
    if (aperti.empty() || d.elementi[static_cast<size_t>(aperti.back())].nome != n) {
      return fallisci("end tag '" + n + "' does not close the open element");
    }
    aperti.pop_back();
    return true;
  }

  bool documento() {
    if (segue("\xEF\xBB\xBF")) i += 3;
    bool radice_vista = false;
    while (!finito()) {
      if (aperti.empty()) {
        spazio();
        if (finito()) break;
        if (segue("<!") || segue("<?")) {
          if (!altro_markup()) return false;
          continue;
        }
        if (t[i] != '<' || segue("</")) return fallisci("content outside the root element");
        if (radice_vista) return fallisci("a second root element");
        radice_vista = true;
        if (!etichetta_apertura()) return false;
        continue;
      }
      std::string& testo = d.elementi[static_cast<size_t>(aperti.back())].testo;
      if (segue("</")) {
        if (!etichetta_chiusura()) return false;
      } else if (segue("<![CDATA[")) {
        i += 9;
        size_t a = i;
        if (!salta_fino("]]>", false)) return false;
        testo += std::string(t.substr(a, i - 3 - a));
      } else if (segue("<!") || segue("<?")) {
        if (!altro_markup()) return false;
      } else if (t[i] == '<') {
        if (!etichetta_apertura()) return false;
      } else if (t[i] == '&') {
        if (!riferimento(testo)) return false;
      } else if (segue("]]>")) {
        return fallisci("']]>' in text");
      } else {
        size_t a = i;
        uint32_t c;
        if (!carattere(c)) return false;
        testo += std::string(t.substr(a, i - a));
      }
    }
    if (!aperti.empty()) return fallisci("element '" + d.elementi[static_cast<size_t>(aperti.back())].nome + "' not closed");
    if (!radice_vista) return fallisci("no root element");
    return true;
  }
};

}  // namespace dettaglio_xml

inline documento_xml analizza_xml(std::string_view testo) {
  dettaglio_xml::analisi a;
  a.t = testo;
  a.d.valido = a.documento();
  return std::move(a.d);
}

}  // namespace prova
