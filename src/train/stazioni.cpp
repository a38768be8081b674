// Station rows: one point-table slot per station, its area by kind, and for
// the kinds below 25 the end-marker cell with the four approach marks before it.
#include <cstdint>
#include <limits>

#include "model/arrotonda.h"
#include "train/treno.h"

namespace {

bool entra_in_32_bit(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

esito ferma(lettura& l, int32_t codice) {
  finisci(l);
  registra(l, codice);
  return esito::termina;
}

esito ferma(lettura& l, int32_t codice, int32_t posizione) {
  finisci(l);
  registra(l, codice, posizione);
  return esito::termina;
}

// Fields 4 to 17 of the row, straight into the slot.
bool leggi_attributi(lettura& l, punto& p) {
  int32_t ore = 0, minuti = 0, secondi = 0;
  if (!leggi_valori(l, p.scelta_a, p.scelta_b, p.scelta_c, p.valore_a, p.valore_b, p.scelta_d, p.valore_c,
                    p.valore_d, p.valore_e, p.valore_f, ore, minuti, secondi)) {
    return false;
  }
  const int64_t orario = (static_cast<int64_t>(ore) * 60 + minuti) * 60 + secondi;
  if (!entra_in_32_bit(orario)) {
    guasto_lettura(l);
    return false;
  }
  p.orario = static_cast<int32_t>(orario);
  return leggi_testo_valore(l, p.nome);
}

// The station's area, by kind; false when an end does not fit 32 bits.
bool calcola_area(punto& p, int32_t lunghezza) {
  int64_t inizio = 0, fine = 0;
  if (p.tipo == 5 || p.tipo == 6) {
    inizio = static_cast<int64_t>(p.posizione) - lunghezza;
    fine = static_cast<int64_t>(p.posizione) + 150;
    p.scelta_c = 0;
  } else if (p.tipo == 7 || p.tipo == 8) {
    inizio = static_cast<int64_t>(p.posizione) - lunghezza;
    fine = static_cast<int64_t>(p.posizione) + lunghezza;
    p.scelta_c = 0;
  } else {
    inizio = static_cast<int64_t>(p.posizione) - lunghezza / 2;
    fine = static_cast<int64_t>(p.posizione) + lunghezza / 2 + (p.scelta_c != 0 ? 50 : 0);
  }
  if (!entra_in_32_bit(inizio) || !entra_in_32_bit(fine)) return false;
  p.inizio = static_cast<int32_t>(inizio);
  p.fine = static_cast<int32_t>(fine);
  return true;
}

// Marks 81 (nearest) to 84 in the four cells before the end-marker cell; cells
// below 2 and beyond the line are left out.
void segna_avvicinamento(area_lavoro& a, const punto& p) {
  for (int k = 1; k <= 4; ++k) {
    const double x = p.fine / 50.0 - k - 1;
    if (x <= 1) continue;
    const int64_t cella = arrotonda(x);
    if (cella_esiste(a, cella)) a.percorso[static_cast<size_t>(cella)].marca = static_cast<uint8_t>(80 + k);
  }
}

}  // namespace

esito riga_stazione(lettura& l, stato_treno& s) {
  area_lavoro& a = l.a;
  // A slot already holding a signboard text (only after 80 signboards) is
  // never overwritten.
  if (s.n > s.limite_cartelli) return ferma(l, 10);
  punto& p = a.punti[static_cast<size_t>(s.n)];
  if (!leggi_valori(l, p.posizione)) return esito::termina;
  if (!posizione_accettata(a, p.posizione, 800)) {
    registra(l, 15, p.posizione);
    return esito::fine_righe;
  }
  if (p.posizione % 50 != 0) return ferma(l, 8, p.posizione);
  int32_t lunghezza = 0;
  if (!leggi_valori(l, p.tipo, lunghezza)) return esito::termina;
  if (lunghezza % 100 != 0) return ferma(l, 9, p.posizione);
  if (!leggi_attributi(l, p)) return esito::termina;
  if (!calcola_area(p, lunghezza)) return guasto_lettura(l);
  if (lunghezza < 600) p.scelta_b = 0;
  if (s.n == 1) {
    p.scelta_b = 0;
    p.scelta_c = 0;
  }
  if (p.tipo < 25) {
    const double x = p.fine / 50.0 - 1;
    const int64_t cella = arrotonda(x);
    if (x > 1 && cella > ultima_cella(a)) {
      registra(l, 15, p.posizione);
      return esito::fine_righe;
    }
    if (p.tipo != 5 && p.tipo != 6) segna_avvicinamento(a, p);
    if (x <= 1) return ferma(l, 24);
    cella_percorso& c = a.percorso[static_cast<size_t>(cella)];
    c.tipo = 10;
    c.valore_1 = static_cast<int16_t>(s.n);
  }
  if (s.n > 1 && static_cast<int64_t>(p.inizio) - 350 < a.punti[static_cast<size_t>(s.n - 1)].fine) {
    return ferma(l, 22, p.posizione);
  }
  s.n += 1;
  if (s.n >= s.limite_cartelli) return ferma(l, 10);
  return esito::avanti;
}
