// Formatting of messages with their source line and caret.
#include "tool/diagnostica.h"

#include <map>

#include "platform/piattaforma.h"

namespace {

constexpr size_t larghezza_mostrata = 100;

const char* rosso(bool colori) { return colori ? "\033[1;31m" : ""; }
const char* viola(bool colori) { return colori ? "\033[1;35m" : ""; }
const char* grassetto(bool colori) { return colori ? "\033[1m" : ""; }
const char* normale(bool colori) { return colori ? "\033[0m" : ""; }

// Control bytes of a description would reach the terminal as they are and
// could drive it (escape sequences): each is shown as one '?', a tab as a
// blank, so that the caret still lines up.
std::string stampabile(std::string testo) {
  for (char& c : testo) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\t') {
      c = ' ';
    } else if (u < 0x20 || u == 0x7F) {
      c = '?';
    }
  }
  return testo;
}

}  // namespace

void chiudi_righe(righe_di_file& r) {
  if (r.f != nullptr) std::fclose(r.f);
  r.f = nullptr;
}

std::string riga_numero(righe_di_file& r, int32_t riga) {
  if (riga < 1) return "";
  if (r.f == nullptr || riga < r.corrente) {
    chiudi_righe(r);
    r.f = apri_file(r.file, "rb");
    r.corrente = 1;
    r.precedente = 0;
    if (r.f == nullptr) return "";
  }
  std::string testo;
  int c = 0;
  while ((c = std::fgetc(r.f)) != EOF) {
    const int prima = r.precedente;
    r.precedente = c;
    if (c == '\n' && prima == '\r') continue;  // the LF of a CR LF ends the same line
    if (c == '\r' || c == '\n') {
      if (r.corrente++ == riga) return testo;
      continue;
    }
    if (r.corrente == riga && testo.size() < (1u << 20)) testo.push_back(static_cast<char>(c));
  }
  // The file ends: its last line may lack a line end.
  return r.corrente == riga ? testo : "";
}

std::string riga_del_file(const std::filesystem::path& file, int32_t riga) {
  righe_di_file r;
  r.file = file;
  std::string testo = riga_numero(r, riga);
  chiudi_righe(r);
  return testo;
}

namespace {

void stampa_con_righe(std::FILE* uscita, const messaggio& m, bool colori, righe_di_file& righe) {
  std::string luogo = m.file;
  if (!luogo.empty() && m.riga > 0) {
    luogo.push_back(':');
    luogo.append(std::to_string(m.riga));
  }
  if (!luogo.empty()) luogo += ": ";
  std::string etichetta = m.errore ? "error" : "warning";
  if (m.errore && m.codice != 0) etichetta += " " + std::to_string(m.codice);
  if (!m.dove.empty()) etichetta += " " + m.dove;
  std::fprintf(uscita, "%s%s%s%s%s: %s\n", grassetto(colori), luogo.c_str(), m.errore ? rosso(colori) : viola(colori),
               etichetta.c_str(), normale(colori), stampabile(m.testo).c_str());
  if (m.file.empty() || m.riga < 1) return;
  if (righe.file != percorso_da_testo(m.file)) {
    chiudi_righe(righe);
    righe = righe_di_file{};
    righe.file = percorso_da_testo(m.file);
  }
  std::string riga = riga_numero(righe, m.riga);
  if (riga.empty()) return;
  size_t colonna = m.colonna > 0 ? static_cast<size_t>(m.colonna - 1) : 0;
  if (colonna > riga.size()) colonna = riga.size();
  std::string prima = "    ";
  if (riga.size() > larghezza_mostrata) {
    const size_t inizio = colonna > larghezza_mostrata / 2 ? colonna - larghezza_mostrata / 2 : 0;
    const bool tagliata_prima = inizio > 0;
    const bool tagliata_dopo = inizio + larghezza_mostrata < riga.size();
    riga = riga.substr(inizio, larghezza_mostrata);
    colonna -= inizio;
    if (tagliata_prima) {
      riga = "..." + riga;
      colonna += 3;
    }
    if (tagliata_dopo) riga += "...";
  }
  riga = stampabile(riga);
  std::fprintf(uscita, "%s%s\n%s%s%s^%s\n", prima.c_str(), riga.c_str(), prima.c_str(), std::string(colonna, ' ').c_str(),
               colori ? "\033[1;32m" : "", normale(colori));
}

}  // namespace

void stampa_messaggio(std::FILE* uscita, const messaggio& m, bool colori) {
  righe_di_file righe;
  stampa_con_righe(uscita, m, colori, righe);
  chiudi_righe(righe);
}

void stampa_messaggi(std::FILE* uscita, const std::vector<messaggio>& messaggi, bool colori) {
  // One reader per file, so that messages in line order read each file once.
  std::map<std::string, righe_di_file> righe;
  for (const messaggio& m : messaggi) stampa_con_righe(uscita, m, colori, righe[m.file]);
  for (auto& [file, r] : righe) chiudi_righe(r);
}

std::string conteggio(int64_t errori, int64_t avvisi) {
  auto conta = [](int64_t n, const char* uno, const char* molti) { return std::to_string(n) + " " + (n == 1 ? uno : molti); };
  return conta(errori, "error", "errors") + ", " + conta(avvisi, "warning", "warnings");
}
