// Stretches of the plan and the stepping that draws its metres.
#include "model/tracciato_piano.h"

#include <algorithm>

void aggiungi_tratto(tracciato_piano& t, int32_t fine, double k) {
  if (fine < prossimo_metro(t)) return;
  if (!t.tratti.empty() && t.tratti.back().curvatura == k) {
    t.tratti.back().fine = fine;
  } else {
    t.tratti.push_back({fine, k});
  }
}

passo_piano passo_iniziale(const tracciato_piano& t) {
  passo_piano p;
  if (t.iniziato != 0) p.y1 = 1;
  return p;
}

piano_per_metro metri_del_piano(const tracciato_piano& t) {
  piano_per_metro piano;
  piano.ultimo_metro = t.ultimo_metro;
  if (t.ultimo_metro < 0) return piano;
  const auto n = static_cast<size_t>(t.ultimo_metro) + 1;
  for (int k = 0; k < 2; ++k) {
    piano.tag[k].assign(n, tag_vuoto);
    piano.valore[k].assign(n, 0.0);
  }
  if (t.iniziato != 0) {
    for (int k = 0; k < 2; ++k) piano.tag[k][0] = piano.tag[k][1] = tag_intero;
    piano.valore[1][1] = 1;
  }
  percorri_tratti(t, [&](int32_t primo, size_t quanti, passo_piano& p, double k) {
    auto m = static_cast<size_t>(primo);
    disegna_metri(p, k, quanti, [&](double x, double y) {
      if (m < n) {
        piano.tag[0][m] = piano.tag[1][m] = tag_reale;
        piano.valore[0][m] = x;
        piano.valore[1][m] = y;
      }
      ++m;
    });
  });
  return piano;
}
