// The train half of `memorizza_dati`: general values, line speeds and adhesion,
// stations, signals, slowdowns and code abatements.
#pragma once

#include <cstdint>
#include <limits>

#include "reading/lettura.h"

// What the row loop keeps from one row to the next.
struct stato_treno {
  int64_t gv = 0;   // first cell not yet given a speed
  int32_t sv = 0;   // current speed
  int64_t ga = 0;   // first cell not yet given an adhesion
  int32_t sa = 0;   // current adhesion
  int32_t n = 1;    // the slot the next station fills
  int32_t limite_cartelli = 80;  // next free signboard slot left by the line half
  int64_t ultima_velocita = std::numeric_limits<int64_t>::min();  // positions of the last rows, for authors' warnings
  int64_t ultima_aderenza = std::numeric_limits<int64_t>::min();
};

// Reads the train description; `limite_cartelli` is the line half's next free
// signboard slot.
void leggi_treno(lettura& l, int32_t limite_cartelli);

esito riga_velocita(lettura& l, stato_treno& s);
esito riga_aderenza(lettura& l, stato_treno& s);
esito riga_stazione(lettura& l, stato_treno& s);
esito riga_segnale(lettura& l);
esito riga_rallentamento(lettura& l);
esito riga_abbattimento(lettura& l);

// Places a signal; returns 0 or 16. Only `tempo` may change.
int32_t memo_segnale(area_lavoro& a, int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                     int32_t& rapp, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3, int32_t& tempo);

// Places a slowdown; returns 0 or one of 17 to 20.
int32_t memo_rallentamento(area_lavoro& a, int32_t posizione, int32_t& v, int32_t& l, int32_t& f_tt, int32_t f_ta,
                           int32_t& d_v);
