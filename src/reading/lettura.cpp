// Opening, finishing and error recording for the two descriptions.
#include "reading/lettura.h"

#include <system_error>

namespace {

void cancella(const lettura& l, const std::filesystem::path& file) {
  if (!l.sorgenti.cancella) return;
  std::error_code ignorato;  // a file already gone is passed over
  std::filesystem::remove(file, ignorato);
}

const std::filesystem::path& file_di(const lettura& l, uint8_t quale) {
  return quale == in_linea ? l.sorgenti.linea : l.sorgenti.treno;
}

}  // namespace

bool apri_descrizione(lettura& l, uint8_t quale) {
  l.descrizione = quale;
  l.riga_chiave = 0;
  l.colonna_chiave = 0;
  return apri(l.canale, file_di(l, quale));
}

void finisci(lettura& l) {
  chiudi(l.canale);
  cancella(l, file_di(l, l.descrizione));
}

esito guasto_lettura(lettura& l) {
  chiudi(l.canale);
  cancella(l, l.sorgenti.linea);
  cancella(l, l.sorgenti.treno);
  l.a.codice_errore = 25;
  l.a.descrizione_errore = l.descrizione;
  l.a.riga_errore = l.canale.riga_campo;
  l.a.colonna_errore = l.canale.colonna_campo;
  return esito::termina;
}

void registra(lettura& l, int32_t codice) {
  l.a.codice_errore = codice;
  l.a.descrizione_errore = l.descrizione;
  l.a.riga_errore = l.riga_chiave;
  l.a.colonna_errore = l.colonna_chiave;
}

void registra(lettura& l, int32_t codice, int32_t posizione) {
  registra(l, codice);
  l.a.posizione_errore = posizione;
}

bool leggi_chiave(lettura& l) {
  if (!leggi_testo(l.canale, l.a.campo)) return false;
  l.riga_chiave = l.canale.riga_campo;
  l.colonna_chiave = l.canale.colonna_campo;
  return true;
}

bool leggi_testo_valore(lettura& l, std::string& testo) {
  if (leggi_testo(l.canale, testo) && testo.size() <= 65535) return true;
  guasto_lettura(l);
  return false;
}

bool posizione_accettata(const area_lavoro& a, int32_t q, int32_t margine) {
  return static_cast<double>(ultima_cella(a)) >= (static_cast<double>(q) + margine) / 50.0;
}
