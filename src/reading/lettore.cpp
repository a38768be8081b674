// The field reader: blanks are space and tab; a line ends with CR LF, LF or a
// lone CR; text fields run to a comma or the line end, quoted ones to their
// closing quote; number fields end at a blank as well.
#include "reading/lettore.h"

#include <charconv>
#include <limits>

#include "model/arrotonda.h"
#include "platform/piattaforma.h"

namespace {

constexpr size_t dimensione_blocco = 1 << 16;
constexpr int fine_file = -1;

bool riempi(lettore& l) {
  if (l.file == nullptr) return false;
  l.fine_blocco = std::fread(l.blocco.data(), 1, l.blocco.size(), l.file);
  l.inizio_blocco = 0;
  return l.fine_blocco > 0;
}

int guarda(lettore& l) {
  if (l.inizio_blocco == l.fine_blocco && !riempi(l)) return fine_file;
  return static_cast<unsigned char>(l.blocco[l.inizio_blocco]);
}

void avanza(lettore& l) {
  char c = l.blocco[l.inizio_blocco++];
  if (c == '\n' || c == '\r') {
    l.riga += 1;
    l.colonna = 1;
  } else {
    l.colonna += 1;
  }
}

bool bianco(int c) { return c == ' ' || c == '\t'; }
bool fine_riga(int c) { return c == '\r' || c == '\n'; }

// Consumes one line end; a CR LF pair counts once.
void consuma_fine_riga(lettore& l) {
  int c = guarda(l);
  if (c == '\r') {
    avanza(l);
    if (guarda(l) == '\n') {
      l.inizio_blocco++;  // the LF of a CR LF ends the same line
    }
  } else if (c == '\n') {
    avanza(l);
  }
}

void salta_bianchi(lettore& l) {
  while (bianco(guarda(l))) avanza(l);
}

void segna_inizio_campo(lettore& l) {
  l.riga_campo = l.riga;
  l.colonna_campo = l.colonna;
}

// Takes bytes into the field until a stop byte; false when the field outgrows
// the length limit.
template <typename Fermata>
bool prendi_fino(lettore& l, std::string& campo, Fermata fermata) {
  for (int c = guarda(l); c != fine_file && !fermata(c); c = guarda(l)) {
    if (campo.size() >= lunghezza_massima_campo) return false;
    campo.push_back(static_cast<char>(c));
    avanza(l);
  }
  return true;
}

// Consumes the comma or line end that closes a field.
void consuma_separatore(lettore& l) {
  int c = guarda(l);
  if (c == ',') {
    avanza(l);
  } else if (fine_riga(c)) {
    consuma_fine_riga(l);
  }
}

bool leggi_campo_numerico(lettore& l, std::string& testo) {
  if (alla_fine(l)) return false;
  salta_bianchi(l);
  segna_inizio_campo(l);
  testo.clear();
  if (!prendi_fino(l, testo, [](int c) { return bianco(c) || c == ',' || fine_riga(c); })) return false;
  salta_bianchi(l);
  consuma_separatore(l);
  return true;
}

template <typename T>
bool leggi_intero(lettore& l, T& valore, double minimo, double massimo) {
  std::string testo;
  double reale = 0;
  if (!leggi_campo_numerico(l, testo) || !converti_numero(testo, reale)) return false;
  double intero = arrotonda_reale(reale);
  if (intero < minimo || intero > massimo) return false;
  valore = static_cast<T>(intero);
  return true;
}

}  // namespace

bool apri(lettore& l, const std::filesystem::path& file) {
  chiudi(l);
  l = lettore{};
  l.file = apri_file(file, "rb");
  if (l.file == nullptr) return false;
  l.blocco.resize(dimensione_blocco);
  return true;
}

void chiudi(lettore& l) {
  if (l.file != nullptr) std::fclose(l.file);
  l.file = nullptr;
}

bool alla_fine(lettore& l) { return guarda(l) == fine_file; }

bool leggi_testo(lettore& l, std::string& campo) {
  campo.clear();
  if (alla_fine(l)) return false;
  salta_bianchi(l);
  segna_inizio_campo(l);
  if (guarda(l) == '"') {
    avanza(l);
    if (!prendi_fino(l, campo, [](int c) { return c == '"' || fine_riga(c); })) return false;
    if (guarda(l) == '"') {
      avanza(l);
      while (true) {  // what follows the closing quote is dropped
        int c = guarda(l);
        if (c == fine_file || c == ',' || fine_riga(c)) break;
        avanza(l);
      }
    }
    consuma_separatore(l);
    return true;
  }
  if (!prendi_fino(l, campo, [](int c) { return c == ',' || fine_riga(c); })) return false;
  while (!campo.empty() && bianco(campo.back())) campo.pop_back();
  consuma_separatore(l);
  return true;
}

bool converti_numero(std::string_view testo, double& valore) {
  size_t i = 0;
  bool negativo = false;
  if (i < testo.size() && (testo[i] == '+' || testo[i] == '-')) {
    negativo = testo[i] == '-';
    ++i;
  }
  std::string_view corpo = testo.substr(i);
  size_t cifre_intere = 0;
  while (cifre_intere < corpo.size() && corpo[cifre_intere] >= '0' && corpo[cifre_intere] <= '9') ++cifre_intere;
  size_t cifre_decimali = 0;
  size_t fine = cifre_intere;
  if (fine < corpo.size() && corpo[fine] == '.') {
    ++fine;
    while (fine < corpo.size() && corpo[fine] >= '0' && corpo[fine] <= '9') {
      ++fine;
      ++cifre_decimali;
    }
  }
  if (fine != corpo.size() || (cifre_intere == 0 && cifre_decimali == 0)) return false;
  double assoluto = 0;
  auto [fermo, esito] =
      std::from_chars(corpo.data(), corpo.data() + corpo.size(), assoluto, std::chars_format::fixed);
  if (esito != std::errc{} || fermo != corpo.data() + corpo.size()) return false;
  valore = negativo ? -assoluto : assoluto;
  return true;
}

bool leggi_numero(lettore& l, int32_t& valore) {
  return leggi_intero(l, valore, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}
bool leggi_numero(lettore& l, int16_t& valore) {
  return leggi_intero(l, valore, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
}
bool leggi_numero(lettore& l, uint8_t& valore) { return leggi_intero(l, valore, 0, 255); }

bool contiene(std::string_view campo, std::string_view chiave) {
  return campo.find(chiave) != std::string_view::npos;
}

bool contiene_maiuscole_minuscole(std::string_view campo, std::string_view chiave) {
  auto minuscola = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (chiave.size() > campo.size()) return false;
  for (size_t i = 0; i + chiave.size() <= campo.size(); ++i) {
    size_t k = 0;
    while (k < chiave.size() && minuscola(campo[i + k]) == minuscola(chiave[k])) ++k;
    if (k == chiave.size()) return true;
  }
  return false;
}
