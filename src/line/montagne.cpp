// Mountain rows: a scenery kind over a stretch of cells, with a marker in every
// fourth cell for the kinds written above 10.
#include <algorithm>
#include <cstdint>

#include "line/linea.h"
#include "model/arrotonda.h"

void memo_montagna(area_lavoro& a, int32_t& inizio, int32_t& fine, int32_t& tipo) {
  bool marcatori = false;
  if (tipo > 10) {
    marcatori = true;
    tipo -= 10;
  }
  a.numero_montagne += 1;
  a.montagna_inizio.push_back(inizio);
  a.montagna_fine.push_back(fine);
  const size_t n = static_cast<size_t>(a.numero_montagne);
  // A stretch that begins within 150 m after the previous one ends (or before
  // it) is given kind 3.
  if (a.numero_montagne > 1 && static_cast<int64_t>(inizio) - a.montagna_fine[n - 1] <= 150) tipo = 3;
  const int64_t primo = arrotonda(inizio / 50.0);
  const int64_t ultimo = arrotonda(fine / 50.0 - 1);
  // Cells outside the array are left out, but the every-fourth count still
  // starts at the stretch's first cell.
  const int64_t da = std::max<int64_t>(primo, 0);
  const int64_t a_cella = std::min<int64_t>(ultimo, ultima_cella(a));
  for (int64_t i = da; i <= a_cella; ++i) {
    cella_percorso& c = a.percorso[static_cast<size_t>(i)];
    c.montagna = static_cast<uint8_t>(tipo);
    const int64_t contate = i - primo + 1;
    if (marcatori && contate % 4 == 0 && c.tipo == 0) c.tipo = 11;
  }
}

esito riga_montagna(lettura& l) {
  int32_t inizio = 0, fine = 0, tipo = 0;
  if (!leggi_valori(l, inizio, fine, tipo)) return esito::termina;
  if (!posizione_accettata(l.a, inizio, 100)) {
    registra(l, 15, inizio);
    return esito::fine_righe;
  }
  memo_montagna(l.a, inizio, fine, tipo);
  return esito::avanti;
}
