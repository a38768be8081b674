// The line half of `memorizza_dati`: the general section, the rows along the
// line (gradients, curves, mountains, boards) and the completion.
#pragma once

#include <cstdint>

#include "reading/lettura.h"

// What the row loop keeps from one row to the next.
struct stato_linea {
  int64_t g = 0;                    // first cell not yet given a gradient
  int32_t c = 0;                    // current gradient
  int64_t m = 2;                    // next plan metre to compute
  int32_t prossimo_cartello = 80;   // next free signboard slot
  int64_t fine_curva = -1;          // where the last curve ends, for authors' warnings
};

// Reads the line description. Returns esito::avanti when the train half is to
// follow, esito::termina when `memorizza_dati` must return.
esito leggi_linea(lettura& l, stato_linea& s);

// The general section, up to and including the header that closes it.
esito leggi_generale(lettura& l);

// Reorders the three kilometre references of slots 81 to 83 and applies the
// +100 rule. False when a raised reading no longer fits its 32-bit field.
bool progressive_ordina(area_lavoro& a);

// Row handlers of the loop after the general section.
esito riga_pendenza(lettura& l, stato_linea& s);
esito riga_curva(lettura& l, stato_linea& s);
esito riga_montagna(lettura& l);
esito riga_indicatori(lettura& l);
esito riga_cartello(lettura& l, stato_linea& s);

void memo_montagna(area_lavoro& a, int32_t& inizio, int32_t& fine, int32_t& tipo);

// Places a speed-indicator board; returns the code it records (0, 21 or 25).
int32_t memo_indicatori_v_max(area_lavoro& a, int32_t posizione, int32_t& vas, int32_t& vbs, int32_t& vcs,
                              int16_t& strisces, int32_t& vad, int32_t& vbd, int32_t& vcd, int16_t& strisced);

// Computes plan metres from s.m up to `ultimo` (inclusive) with curvature k
// (0 for straight steps), never past L - 2. With `controlla_milione` it stops
// with false as soon as the metre counter exceeds 1000000.
bool calcola_metri(area_lavoro& a, stato_linea& s, int64_t ultimo, double k, bool controlla_milione);

// The completion after the row loop: gradients and the plan to the end.
esito completa_linea(lettura& l, stato_linea& s);
