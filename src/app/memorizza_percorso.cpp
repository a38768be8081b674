// The compilation's steps in their order: reset, both descriptions, the
// finishing pass, the header; then the compiled files as one set.
#include "app/memorizza_percorso.h"

#include <vector>

#include "finish/passata_finale.h"
#include "line/linea.h"
#include "model/file_compilati.h"
#include "model/nomi_file.h"
#include "train/treno.h"

void memorizza_dati(area_lavoro& a, const descrizioni& sorgenti, osservatore_lettura* osservatore) {
  a.punti[85].nome = a.nome_linea;
  a.punti[86].nome = a.nome_treno;
  lettura l{a, sorgenti, osservatore, lettore{}, in_nessuna, 0, 0};
  stato_linea linea;
  if (leggi_linea(l, linea) == esito::termina) return;
  leggi_treno(l, linea.prossimo_cartello);
}

int32_t compila(area_lavoro& a, int32_t j, const descrizioni& sorgenti, const opzioni_compilazione& opzioni) {
  a.scrivi_tracciato = j;
  a.codice_errore = 0;
  a.posizione_errore = 0;
  a.descrizione_errore = in_nessuna;
  a.riga_errore = 0;
  a.colonna_errore = 0;
  azzera_punti(a);
  a.percorso.clear();
  a.tracciato = tracciato_piano{};
  memorizza_dati(a, sorgenti, opzioni.osservatore);
  if (!dimensionato(a)) return 0;
  passata_finale(a, opzioni.aggiunti);
  return timbra_intestazione(a);
}

std::vector<std::string> nomi_compilati(const area_lavoro& a) {
  std::vector<std::string> nomi;
  if (a.scrivi_tracciato != 0) nomi.push_back(nome_file_tracciato(a));
  nomi.push_back(nome_file_punti(a));
  nomi.push_back(nome_file_celle(a));
  return nomi;
}

std::optional<errore_file> scrivi_compilati(const area_lavoro& a, const std::filesystem::path& cartella) {
  std::vector<file_da_scrivere> insieme;
  if (a.scrivi_tracciato != 0) {
    insieme.push_back({cartella / nome_file_tracciato(a), [&](scrittore& s) { scrivi_tracciato_in(s, a.tracciato); }});
  }
  insieme.push_back({cartella / nome_file_punti(a), [&](scrittore& s) { scrivi_punti_in(s, a); }});
  insieme.push_back({cartella / nome_file_celle(a), [&](scrittore& s) { scrivi_celle_in(s, a); }});
  return sostituisci_file(insieme);
}
