// One compilation's reading of the two descriptions: the one channel, where the
// files are, the finishing steps, and how problems are recorded with their row.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/memorizza_percorso.h"
#include "model/area_lavoro.h"
#include "reading/lettore.h"

#include "reading/osservatore.h"

struct lettura {
  area_lavoro& a;
  const descrizioni& sorgenti;
  osservatore_lettura* osservatore = nullptr;
  lettore canale;
  uint8_t descrizione = in_nessuna;  // which description the channel holds
  int32_t riga_chiave = 0;           // where the current row's keyword field began
  int32_t colonna_chiave = 0;
};

// How a row handler or a reading stage ends.
enum class esito {
  avanti,       // go on with the next field
  fine_righe,   // the row loop ends (code 15); the completion follows
  termina,      // `memorizza_dati` returns
};

// Opens a description on the channel.
bool apri_descrizione(lettura& l, uint8_t quale);

// Closes the channel and deletes the description it held (when the files are
// the compilation's own).
void finisci(lettura& l);

// A reading failure: closes the channel, deletes both descriptions, records 25.
esito guasto_lettura(lettura& l);

// Records a code for the current row; with a position, also `posizione_errore`.
void registra(lettura& l, int32_t codice);
void registra(lettura& l, int32_t codice, int32_t posizione);

// Reads a keyword field into `campo`, remembering where its row begins.
bool leggi_chiave(lettura& l);

// Warnings for authors; nothing happens when nobody listens.
void avvisa(lettura& l, int32_t riga, int32_t colonna, std::string testo);
void avvisa_riga(lettura& l, std::string testo);

// A field as a warning quotes it: in double quotes, cut short after 80 bytes.
std::string campo_citato(std::string_view campo);

// Tells the listener that a row took values from a later line.
void nota_riga_corta(lettura& l);

// Reads the row's value fields in order; on failure records 25 as above.
template <typename... T>
bool leggi_valori(lettura& l, T&... valori) {
  if ((leggi_numero(l.canale, valori) && ...)) {
    nota_riga_corta(l);
    return true;
  }
  guasto_lettura(l);
  return false;
}

// After a keyword field's tests: warns about a field that matched nothing,
// except section headers and the values that follow an already-reported row.
void nota_campo_senza_riga(lettura& l, bool trovata);

// A comment field that holds one of the loop's keywords loses its row.
void nota_commento(lettura& l, std::initializer_list<const char*> chiavi);

// Reads a text value; a text longer than a counted text can hold is a failure.
bool leggi_testo_valore(lettura& l, std::string& testo);

// The tests made on one keyword field: every handler whose keyword the field
// holds runs, in the loop's fixed order, until one of them ends the loop.
struct prove_campo {
  esito e = esito::avanti;
  bool trovata = false;
  template <typename Gestore>
  void prova(bool vale, Gestore gestore) {
    if (e != esito::avanti || !vale) return;
    trovata = true;
    e = gestore();
  }
};

// The row loop that follows the general part of both descriptions: the end
// test before and after each keyword field, up to two comment fields passed
// over with an end test after each, then the keyword tests. A code 15 ends the
// loop for the completion; `chiavi` are the loop's keywords, for the warning
// about a row lost to a comment.
template <typename Prove>
esito ciclo_righe(lettura& l, std::initializer_list<const char*> chiavi, Prove prove_righe) {
  constexpr int commenti_righe = 2;
  while (!alla_fine(l.canale)) {
    if (!leggi_chiave(l)) return guasto_lettura(l);
    if (alla_fine(l.canale)) return esito::avanti;
    for (int k = 0; k < commenti_righe && commento(l.a.campo); ++k) {
      nota_commento(l, chiavi);
      if (!leggi_chiave(l)) return guasto_lettura(l);
      if (alla_fine(l.canale)) return esito::avanti;
    }
    const esito e = prove_righe();
    if (e == esito::fine_righe) return esito::avanti;
    if (e == esito::termina) return e;
  }
  return esito::avanti;
}

// The position check of the row loops: P must be at least (q + margine) / 50.
bool posizione_accettata(const area_lavoro& a, int32_t q, int32_t margine);
