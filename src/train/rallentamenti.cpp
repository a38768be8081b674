// Slowdown rows (warning, start and end cells, and the four numbered cells
// before the warning) and code-abatement rows.
#include <cstdint>

#include "model/arrotonda.h"
#include "train/treno.h"

namespace {

struct celle_rallentamento {
  bool avviso;      // a warning cell only beyond 1500 m
  int64_t a;        // warning cell
  int64_t s;        // start cell
  int64_t e;        // end cell
  int64_t m;        // first of the four numbered cells, counting down
};

celle_rallentamento celle_di(int32_t posizione, int32_t lunghezza) {
  return {posizione > 1500, arrotonda((posizione - 1200.0) / 50.0 + 1), arrotonda(posizione / 50.0 + 1),
          arrotonda((static_cast<double>(posizione) + lunghezza) / 50.0 + 1), arrotonda((posizione - 1200.0) / 50.0)};
}

bool celle_esistono(const area_lavoro& a, const celle_rallentamento& c, int32_t f_ta) {
  if (!cella_esiste(a, c.s) || !cella_esiste(a, c.e)) return false;
  if (!c.avviso) return true;
  if (!cella_esiste(a, c.a)) return false;
  return f_ta == 0 || (cella_esiste(a, c.m) && cella_esiste(a, c.m - 3));
}

int16_t basso_16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

int64_t cella_abbattimento(int32_t p) { return arrotonda(p / 50.0); }

}  // namespace

int32_t memo_rallentamento(area_lavoro& a, int32_t posizione, int32_t& v, int32_t& l, int32_t& f_tt, int32_t f_ta,
                           int32_t& d_v) {
  const celle_rallentamento c = celle_di(posizione, l);
  auto cella = [&](int64_t i) -> cella_percorso& { return a.percorso[static_cast<size_t>(i)]; };
  if (!c.avviso) f_ta = 0;
  if (c.avviso && !cella_libera(cella(c.a))) return 17;
  if (!cella_libera(cella(c.s))) return 18;
  if (!cella_libera(cella(c.e))) return 19;
  cella(c.e).tipo = 2;
  if (d_v != 0) cella(c.e).valore_2 = basso_16(d_v);
  cella(c.s).tipo = 3;
  if (d_v != 0) cella(c.s).valore_2 = basso_16(d_v);
  if (c.avviso) {
    cella(c.a).tipo = 4;
    if (d_v != 0) cella(c.a).valore_2 = basso_16(d_v);
    cella(c.a).valore_1 = basso_16(v);
  }
  cella(c.s).valore_1 = basso_16(v);
  cella(c.e).valore_1 = basso_16(v);
  cella(c.s).valore_3 = basso_16(f_tt);
  cella(c.e).valore_3 = basso_16(f_tt);
  if (f_ta != 0) {
    for (int i = 0; i < 4; ++i) {
      if (!cella_libera(cella(c.m - i))) return 20;
    }
    for (int i = 0; i < 4; ++i) {
      cella_percorso& numerata = cella(c.m - i);
      numerata.tipo = 5;
      numerata.valore_1 = static_cast<int16_t>(i + 1);
      if (d_v != 0) numerata.valore_2 = static_cast<int16_t>(i + 1);
    }
  }
  return 0;
}

esito riga_rallentamento(lettura& l) {
  int32_t posizione = 0, v = 0, lunghezza = 0, f_tt = 0, f_ta = 0, d_v = 0;
  if (!leggi_valori(l, posizione, v, lunghezza, f_tt, f_ta, d_v)) return esito::termina;
  if (!posizione_accettata(l.a, posizione, 100) || !celle_esistono(l.a, celle_di(posizione, lunghezza), f_ta)) {
    registra(l, 15, posizione);
    return esito::fine_righe;
  }
  const int32_t codice = memo_rallentamento(l.a, posizione, v, lunghezza, f_tt, f_ta, d_v);
  if (codice != 0) {
    finisci(l);
    registra(l, codice, posizione);
    return esito::termina;
  }
  return esito::avanti;
}

esito riga_abbattimento(lettura& l) {
  int32_t p = 0, k = 0;
  if (!leggi_valori(l, p, k)) return esito::termina;
  const int64_t c = cella_abbattimento(p);
  if (!posizione_accettata(l.a, p, 100) || !cella_esiste(l.a, c)) {
    registra(l, 15, p);
    return esito::fine_righe;
  }
  cella_percorso& cella = l.a.percorso[static_cast<size_t>(c)];
  if (!cella_libera(cella)) {
    finisci(l);
    registra(l, 7, p);
    return esito::termina;
  }
  if (k > 0) {
    cella.tipo = 12;
    cella.valore_1 = basso_16(k);
  } else {
    cella.tipo = 13;
  }
  return esito::avanti;
}
