// Lineside boards: speed-indicator boards packed into their cell, and
// signboards whose text goes into the point table from slot 80 downward.
#include <cstdint>
#include <limits>

#include "line/linea.h"
#include "model/arrotonda.h"

namespace {

// The cell of a board: the one after the cell that contains its position.
int64_t cella_cartello(int32_t posizione) { return arrotonda(posizione / 50.0 + 1); }

bool impacca(int32_t x, int32_t y, int16_t& valore) {
  const double v = arrotonda_reale(x * 20.0 + y / 5.0);
  if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) return false;
  valore = static_cast<int16_t>(v);
  return true;
}

}  // namespace

int32_t memo_indicatori_v_max(area_lavoro& a, int32_t posizione, int32_t& vas, int32_t& vbs, int32_t& vcs,
                              int16_t& strisces, int32_t& vad, int32_t& vbd, int32_t& vcd, int16_t& strisced) {
  cella_percorso& c = a.percorso[static_cast<size_t>(cella_cartello(posizione))];
  if (!cella_libera(c)) return 21;
  int16_t v1 = 0, v2 = 0, v3 = 0;
  if (!impacca(vas, vad, v1) || !impacca(vbs, vbd, v2) || !impacca(vcs, vcd, v3)) return 25;
  c.tipo = 6;
  c.valore_1 = v1;
  c.valore_2 = v2;
  c.valore_3 = v3;
  c.valore_4 = static_cast<int16_t>(static_cast<uint16_t>(strisces * 10 + strisced));
  return 0;
}

esito riga_indicatori(lettura& l) {
  int32_t posizione = 0, vas = 0, vbs = 0, vcs = 0, vad = 0, vbd = 0, vcd = 0;
  int16_t strisces = 0, strisced = 0;
  if (!leggi_valori(l, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced)) return esito::termina;
  if (!posizione_accettata(l.a, posizione, 100) || !cella_esiste(l.a, cella_cartello(posizione))) {
    registra(l, 15, posizione);
    return esito::fine_righe;
  }
  int32_t codice = memo_indicatori_v_max(l.a, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  if (codice == 25) return guasto_lettura(l);
  if (codice != 0) {
    finisci(l);
    registra(l, codice, posizione);
    return esito::termina;
  }
  return esito::avanti;
}

esito riga_cartello(lettura& l, stato_linea& s) {
  int32_t q = 0;
  std::string testo;
  if (!leggi_valori(l, q) || !leggi_testo_valore(l, testo)) return esito::termina;
  const int64_t n = cella_cartello(q);
  if (!posizione_accettata(l.a, q, 100) || !cella_esiste(l.a, n)) {
    registra(l, 15, q);
    return esito::fine_righe;
  }
  int32_t codice = 0;
  if (!cella_libera(l.a.percorso[static_cast<size_t>(n)])) {
    codice = 6;
  } else if (s.prossimo_cartello <= 0) {
    codice = 10;  // no slot left above slot 0
  }
  if (codice != 0) {
    finisci(l);
    registra(l, codice, q);
    return esito::termina;
  }
  cella_percorso& c = l.a.percorso[static_cast<size_t>(n)];
  c.tipo = 14;
  c.valore_1 = static_cast<int16_t>(s.prossimo_cartello);
  l.a.punti[static_cast<size_t>(s.prossimo_cartello)].nome = testo;
  s.prossimo_cartello -= 1;
  return esito::avanti;
}
