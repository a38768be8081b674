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

void avvisa(lettura& l, int32_t riga, int32_t colonna, std::string testo) {
  if (l.osservatore == nullptr) return;
  if (l.osservatore->avvisi.size() >= avvisi_conservati) {
    l.osservatore->avvisi_tralasciati += 1;
    return;
  }
  l.osservatore->avvisi.push_back({l.descrizione, riga, colonna, std::move(testo)});
}

std::string campo_citato(std::string_view campo) {
  constexpr size_t mostrati = 80;
  if (campo.size() <= mostrati) return "\"" + std::string(campo) + "\"";
  return "\"" + std::string(campo.substr(0, mostrati)) + "...\"";
}

void avvisa_riga(lettura& l, std::string testo) { avvisa(l, l.riga_chiave, l.colonna_chiave, std::move(testo)); }

void nota_riga_corta(lettura& l) {
  osservatore_lettura* o = l.osservatore;
  if (o == nullptr || l.canale.riga_campo == l.riga_chiave || o->riga_corta_segnalata == l.riga_chiave) return;
  o->riga_corta_segnalata = l.riga_chiave;
  avvisa_riga(l, "row " + campo_citato(l.a.campo) + " has fewer values than its keyword takes: it goes on reading line " +
                     std::to_string(l.canale.riga_campo));
}

void nota_campo_senza_riga(lettura& l, bool trovata) {
  osservatore_lettura* o = l.osservatore;
  if (o == nullptr) return;
  const std::string& campo = l.a.campo;
  const bool intestazione = contiene(campo, "[") && contiene(campo, "]");
  if (trovata || intestazione) {
    o->riga_segnalata = false;
    return;
  }
  double numero = 0;
  const bool e_numero = converti_numero(campo, numero);
  if (e_numero && o->riga_segnalata) return;
  o->riga_segnalata = true;
  if (e_numero) {
    avvisa_riga(l, "value " + (campo.size() <= 80 ? campo : campo_citato(campo)) + " is left over: the row before has more values than its keyword takes");
  } else {
    avvisa_riga(l, campo_citato(campo) + " matches no keyword; the field is passed over");
  }
}

void nota_commento(lettura& l, std::initializer_list<const char*> chiavi) {
  if (l.osservatore == nullptr) return;
  const std::string& campo = l.a.campo;
  double numero = 0;
  if (converti_numero(campo, numero)) return;  // a negative leftover value, reported with its row
  for (const char* chiave : chiavi) {
    if (contiene_maiuscole_minuscole(campo, chiave)) {
      avvisa_riga(l, campo_citato(campo) + " holds \"-\" and is taken for a comment: its row is lost");
      l.osservatore->riga_segnalata = true;
      return;
    }
  }
}
