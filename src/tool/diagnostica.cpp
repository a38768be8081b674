// Formatting of messages with their source line and caret.
#include "tool/diagnostica.h"

#include "platform/piattaforma.h"

namespace {

constexpr size_t larghezza_mostrata = 100;

const char* rosso(bool colori) { return colori ? "\033[1;31m" : ""; }
const char* viola(bool colori) { return colori ? "\033[1;35m" : ""; }
const char* grassetto(bool colori) { return colori ? "\033[1m" : ""; }
const char* normale(bool colori) { return colori ? "\033[0m" : ""; }

}  // namespace

std::string riga_del_file(const std::filesystem::path& file, int32_t riga) {
  std::FILE* f = apri_file(file, "rb");
  if (f == nullptr || riga < 1) {
    if (f) std::fclose(f);
    return "";
  }
  std::string testo;
  int32_t corrente = 1;
  int c = 0;
  int precedente = 0;
  while ((c = std::fgetc(f)) != EOF) {
    if (c == '\n' && precedente == '\r') {
      precedente = c;
      continue;  // the LF of a CR LF ends the same line
    }
    precedente = c;
    if (c == '\r' || c == '\n') {
      if (corrente == riga) break;
      ++corrente;
      continue;
    }
    if (corrente == riga && testo.size() < (1u << 20)) testo.push_back(static_cast<char>(c));
  }
  std::fclose(f);
  return corrente == riga ? testo : "";
}

void stampa_messaggio(std::FILE* uscita, const messaggio& m, bool colori) {
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
               etichetta.c_str(), normale(colori), m.testo.c_str());
  if (m.file.empty() || m.riga < 1) return;
  std::string riga = riga_del_file(percorso_da_testo(m.file), m.riga);
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
  for (char& c : riga) {
    if (c == '\t') c = ' ';  // the caret lines up with what is printed
  }
  std::fprintf(uscita, "%s%s\n%s%s%s^%s\n", prima.c_str(), riga.c_str(), prima.c_str(), std::string(colonna, ' ').c_str(),
               colori ? "\033[1;32m" : "", normale(colori));
}

std::string conteggio(int errori, int avvisi) {
  auto conta = [](int n, const char* uno, const char* molti) { return std::to_string(n) + " " + (n == 1 ? uno : molti); };
  return conta(errori, "error", "errors") + ", " + conta(avvisi, "warning", "warnings");
}
