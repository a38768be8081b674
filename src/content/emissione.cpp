// Windows-1252 encoding and the emission of the content lists.
#include "content/emissione.h"

#include <cstdint>
#include <cstring>

#include "model/nomi_file.h"
#include "model/windows_1252.h"

namespace {

// Decodes one UTF-8 character at s[i] and moves i past it; false on a
// malformed or truncated sequence.
bool decodifica(std::string_view s, size_t& i, char32_t& c) {
  unsigned char b0 = static_cast<unsigned char>(s[i]);
  size_t seguito = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : 4;
  if (seguito == 4 || i + seguito >= s.size()) return false;
  c = seguito == 0 ? b0 : (b0 & (0x7F >> (seguito + 1)));
  for (size_t k = 1; k <= seguito; ++k) {
    unsigned char b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    c = (c << 6) | (b & 0x3F);
  }
  i += seguito + 1;
  return true;
}

}  // namespace

bool codifica_1252(std::string_view utf8, std::string& uscita) {
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    unsigned char b = 0;
    if (!decodifica(utf8, i, c) || !byte_1252(c, b)) return false;
    uscita.push_back(static_cast<char>(b));
  }
  return true;
}

std::optional<std::string> testo_lista(lista_righe righe) {
  std::string testo;
  for (const char* riga : righe) {
    if (std::strcmp(riga, marcatore_fine) == 0) return testo;
    if (std::strpbrk(riga, "\r\n") != nullptr || !codifica_1252(riga, testo)) return std::nullopt;
    testo += "\r\n";
  }
  return std::nullopt;  // a list without its end marker
}

std::optional<errore_file> emetti(lista_righe righe, const std::filesystem::path& destinazione) {
  std::optional<std::string> testo = testo_lista(righe);
  if (!testo) return errore_file{destinazione, "content list holds a character without a Windows-1252 byte"};
  file_da_scrivere f{destinazione, [&](scrittore& s) { scrivi_byte(s, testo->data(), testo->size()); }};
  return sostituisci_file(std::span<const file_da_scrivere>(&f, 1));
}

std::optional<errore_file> dati_linea(const area_lavoro& a, const std::filesystem::path& cartella) {
  return emetti(righe_linea(), cartella / nome_descrizione_linea(a));
}
std::optional<errore_file> dati_treno(const area_lavoro& a, const std::filesystem::path& cartella) {
  return emetti(righe_treno(), cartella / nome_descrizione_treno(a));
}
std::optional<errore_file> dati_note(const area_lavoro& a, const std::filesystem::path& cartella) {
  return emetti(righe_note(), cartella / nome_note(a));
}
std::optional<errore_file> dati_rallentamenti(const area_lavoro& a, const std::filesystem::path& cartella) {
  return emetti(righe_rallentamenti(), cartella / nome_rallentamenti(a));
}
std::optional<errore_file> dati_scheda(const area_lavoro& a, const std::filesystem::path& cartella) {
  return emetti(righe_scheda(), cartella / nome_scheda(a));
}
