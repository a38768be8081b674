// Signal rows: the signal's values packed two by two into its cell, and the
// approach marks 100 to 400 m before it.
#include <cstdint>

#include "model/arrotonda.h"
#include "train/treno.h"

namespace {

int64_t cella_segnale(int32_t posizione) { return arrotonda(posizione / 50.0 + 1); }

// a × 10 + b in 16-bit arithmetic on the low 16 bits of the values.
int16_t impacca_16(int32_t a, int32_t b) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint16_t>(a) * 10u + static_cast<uint16_t>(b)));
}

}  // namespace

int32_t memo_segnale(area_lavoro& a, int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                     int32_t& rapp, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3, int32_t& tempo) {
  const int64_t c = cella_segnale(posizione);
  cella_percorso& cella = a.percorso[static_cast<size_t>(c)];
  if (!cella_libera(cella)) return 16;
  cella.tipo = 1;
  cella.valore_4 = static_cast<int16_t>(static_cast<uint16_t>(
      static_cast<uint16_t>(rapp) * 10u + static_cast<uint16_t>(sx) * 3u + static_cast<uint16_t>(dx)));
  cella.valore_1 = impacca_16(s1, d1);
  cella.valore_2 = impacca_16(s2, d2);
  cella.valore_3 = impacca_16(s3, d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  cella.tempo = sx == 2 ? static_cast<uint8_t>(tempo) : 0;
  const uint8_t base = static_cast<uint8_t>((3u * static_cast<uint32_t>(sx) + static_cast<uint32_t>(dx)) * 10u);
  for (int b = 1; b <= 4; ++b) {
    const int64_t segno = c - 2 * b;
    if (cella_esiste(a, segno)) a.percorso[static_cast<size_t>(segno)].marca = static_cast<uint8_t>(base + b);
  }
  return 0;
}

esito riga_segnale(lettura& l) {
  int32_t posizione = 0, sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0, tempo = 0;
  if (!leggi_valori(l, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo)) return esito::termina;
  if (!posizione_accettata(l.a, posizione, 100) || !cella_esiste(l.a, cella_segnale(posizione))) {
    registra(l, 15, posizione);
    return esito::fine_righe;
  }
  const int32_t codice = memo_segnale(l.a, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
  if (codice != 0) {
    finisci(l);
    registra(l, codice, posizione);
    return esito::termina;
  }
  return esito::avanti;
}
