// `scenario compile`: the compiler for scenario authors. It reads the two
// descriptions (never changing or deleting them), reports what it recorded with
// the row it came from, and writes the compiled files only when all is well
// (or, with --force, the workspace as it stands).
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "app/memorizza_percorso.h"
#include "finish/passata_finale.h"
#include "model/nomi_file.h"
#include "platform/piattaforma.h"
#include "platform/terminale.h"
#include "reading/osservatore.h"
#include "tool/aiuto.h"
#include "tool/comandi.h"
#include "tool/diagnostica.h"
#include "tool/json.h"
#include "tool/nomi_scenario.h"
#include "tool/significati.h"

namespace {

struct richiesta {
  std::vector<std::string> file;
  std::string cartella = ".";
  std::string nome_linea;
  std::string nome_treno;
  bool senza_tracciato = false;
  bool forza = false;
  bool json = false;
  bool silenzioso = false;
  bool dettagli = false;
};

// Fills the request; an empty result means the arguments are fine.
std::string leggi_argomenti(std::span<const std::string> argomenti, richiesta& r) {
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    auto valore = [&](std::string& dove) {
      if (i + 1 >= argomenti.size()) return false;
      dove = argomenti[++i];
      return true;
    };
    if (a == "-o" || a == "--output") {
      if (!valore(r.cartella)) return a + " needs a folder";
    } else if (a == "--line-name") {
      if (!valore(r.nome_linea)) return a + " needs a name";
      if (r.nome_linea.empty()) return "a name cannot be empty";
    } else if (a == "--train-name") {
      if (!valore(r.nome_treno)) return a + " needs a name";
      if (r.nome_treno.empty()) return "a name cannot be empty";
    } else if (a == "--no-plan") {
      r.senza_tracciato = true;
    } else if (a == "--force") {
      r.forza = true;
    } else if (a == "--json") {
      r.json = true;
    } else if (a == "--quiet") {
      r.silenzioso = true;
    } else if (a == "--verbose") {
      r.dettagli = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option " + a;
    } else {
      r.file.push_back(a);
    }
  }
  if (r.file.size() != 2) return "give the line description and the train description";
  return "";
}

// The scenario's names: from the options, else from the file names.
std::string scegli_nomi(richiesta& r) {
  if (r.nome_linea.empty()) r.nome_linea = nome_linea_da_file(r.file[0]);
  if (r.nome_linea.empty()) return "cannot tell the line name from " + r.file[0] + " (NAME_linea.txt); use --line-name";
  if (auto motivo = nome_rifiutato(r.nome_linea, false)) return "line name \"" + r.nome_linea + "\": " + *motivo;
  if (r.nome_treno.empty()) r.nome_treno = nome_treno_da_file(r.file[1], r.nome_linea);
  if (r.nome_treno.empty()) {
    return "cannot tell the train name from " + r.file[1] + " (" + r.nome_linea + "_TRAIN-.txt); use --train-name";
  }
  if (auto motivo = nome_rifiutato(r.nome_treno, true)) return "train name \"" + r.nome_treno + "\": " + *motivo;
  return "";
}

std::string controlla_ingresso(const std::string& file) {
  std::error_code e;
  const auto stato = std::filesystem::status(percorso_da_testo(file), e);
  if (e || !std::filesystem::exists(stato)) return file + ": No such file or directory";
  if (std::filesystem::is_directory(stato)) return file + ": Is a directory";
  return "";
}

messaggio messaggio_problema(const area_lavoro& a, const richiesta& r, int32_t codice) {
  messaggio m;
  m.codice = codice;
  if (codice_con_posizione(codice, a.descrizione_errore)) m.dove = "at " + std::to_string(a.posizione_errore) + " m";
  m.testo = significato_codice(codice);
  if (a.descrizione_errore == in_linea) m.file = r.file[0];
  if (a.descrizione_errore == in_treno) m.file = r.file[1];
  m.riga = a.riga_errore;
  m.colonna = a.colonna_errore;
  return m;
}

std::vector<messaggio> messaggi_avviso(const osservatore_lettura& o, const richiesta& r) {
  std::vector<messaggio> messaggi;
  for (const avviso_lettura& x : o.avvisi) {
    messaggio m;
    m.file = x.descrizione == in_linea ? r.file[0] : r.file[1];
    m.riga = x.riga;
    m.colonna = x.colonna;
    m.errore = false;
    m.testo = x.testo;
    messaggi.push_back(m);
  }
  return messaggi;
}

void stampa_json(const area_lavoro& a, int32_t codice, const std::string& testo, const std::vector<std::string>& scritti,
                 const std::vector<messaggio>& avvisi, int64_t avvisi_tralasciati,
                 const std::vector<abbattimento_aggiunto>& aggiunti, bool dettagli) {
  std::string json = "{\"code\": " + std::to_string(codice) + ", \"position\": " + std::to_string(a.posizione_errore) +
                     ", \"message\": " + json_testo(testo) + ", \"written\": [";
  for (size_t i = 0; i < scritti.size(); ++i) json += (i ? ", " : "") + json_testo(scritti[i]);
  json += "], \"warnings\": [";
  for (size_t i = 0; i < avvisi.size(); ++i) {
    json += std::string(i ? ", " : "") + "{\"file\": " + json_testo(avvisi[i].file) +
            ", \"line\": " + std::to_string(avvisi[i].riga) + ", \"message\": " + json_testo(avvisi[i].testo) + "}";
  }
  json += "]";
  if (avvisi_tralasciati > 0) json += ", \"warnings_not_listed\": " + std::to_string(avvisi_tralasciati);
  if (dettagli) {
    json += ", \"added\": [";
    for (size_t i = 0; i < aggiunti.size(); ++i) {
      json += std::string(i ? ", " : "") + "{\"cell\": " + std::to_string(aggiunti[i].cella) +
              ", \"rule\": " + json_testo(aggiunti[i].regola) + "}";
    }
    json += "]";
  }
  std::printf("%s}\n", json.c_str());
}

}  // namespace

int comando_compile(std::span<const std::string> argomenti) {
  richiesta r;
  if (std::string errore = leggi_argomenti(argomenti, r); !errore.empty()) return errore_uso("compile", errore);
  if (std::string errore = scegli_nomi(r); !errore.empty()) return errore_uso("compile", errore);
  for (const std::string& f : r.file) {
    if (std::string errore = controlla_ingresso(f); !errore.empty()) {
      std::fprintf(stderr, "scenario compile: %s\n", errore.c_str());
      return 2;
    }
  }

  static area_lavoro a;  // the plan of a long line is large: keep it off the stack
  a.nome_linea = r.nome_linea;
  a.nome_treno = r.nome_treno;
  std::vector<abbattimento_aggiunto> aggiunti;
  osservatore_lettura osservatore;
  opzioni_compilazione opzioni;
  opzioni.aggiunti = &aggiunti;
  opzioni.osservatore = &osservatore;
  const descrizioni sorgenti{percorso_da_testo(r.file[0]), percorso_da_testo(r.file[1]), false};
  const int32_t intestazione = compila(a, r.senza_tracciato ? 0 : 1, sorgenti, opzioni);
  const int32_t codice = intestazione != 0 ? intestazione : a.codice_errore;

  const bool colori = e_terminale(stderr);
  if (r.dettagli && !r.json) {
    for (const abbattimento_aggiunto& x : aggiunti) {
      std::fprintf(stderr, "note: abatement 180 at cell %d (%d m): %s\n", x.cella, x.cella * 50, x.regola);
    }
  }
  const std::vector<messaggio> avvisi = r.silenzioso ? std::vector<messaggio>{} : messaggi_avviso(osservatore, r);
  const int64_t tralasciati = r.silenzioso ? 0 : osservatore.avvisi_tralasciati;
  std::string testo = significato_codice(codice);
  if (!r.json) {
    stampa_messaggi(stderr, avvisi, colori);
    if (tralasciati > 0) std::fprintf(stderr, "note: %lld more warnings not shown\n", static_cast<long long>(tralasciati));
  }
  if (codice != 0) {
    messaggio m = messaggio_problema(a, r, codice);
    testo = "error " + std::to_string(codice) + (m.dove.empty() ? "" : " " + m.dove) + ": " + m.testo;
    if (!r.json) stampa_messaggio(stderr, m, colori);
  }
  if (!r.json && (codice != 0 || !avvisi.empty())) {
    std::fprintf(stderr, "%s\n", conteggio(codice != 0 ? 1 : 0, static_cast<int64_t>(avvisi.size()) + tralasciati).c_str());
  }

  std::vector<std::string> scritti;
  const bool scrivi = dimensionato(a) && intestazione == 0 && (codice == 0 || r.forza);
  if (scrivi) {
    std::error_code e;
    std::filesystem::create_directories(percorso_da_testo(r.cartella), e);
    if (e) {
      std::fprintf(stderr, "scenario compile: %s: %s\n", r.cartella.c_str(), e.message().c_str());
      return 2;
    }
    if (auto guasto = scrivi_compilati(a, percorso_da_testo(r.cartella))) {
      std::fprintf(stderr, "scenario compile: %s\n", descrivi(*guasto).c_str());
      return 2;
    }
    scritti = nomi_compilati(a);
  }
  if (r.json) stampa_json(a, codice, testo, scritti, avvisi, tralasciati, aggiunti, r.dettagli);
  return codice == 0 ? 0 : 1;
}
