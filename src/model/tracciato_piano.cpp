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

void disegna_metri(passo_piano& p, double k, double* x, double* y, size_t n) {
  double x1 = p.x1, x2 = p.x2;
  double y1 = p.y1, y2 = p.y2;
  if (k == 0) {
    for (size_t i = 0; i < n; ++i) {
      const double dx = x1 - x2;
      const double dy = y1 - y2;
      x2 = x1;
      y2 = y1;
      x1 = x1 + dx;
      y1 = y1 + dy;
      x[i] = x1;
      y[i] = y1;
    }
  } else {
    for (size_t i = 0; i < n; ++i) {
      const double dx = x1 - x2;
      const double dy = y1 - y2;
      const double pa = dx + k * dy;
      const double pb = dy - k * dx;
      x2 = x1;
      y2 = y1;
      x1 = x1 + pa;
      y1 = y1 + pb;
      x[i] = x1;
      y[i] = y1;
    }
  }
  p = passo_piano{x1, y1, x2, y2};
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
  percorri_metri(t, [&](int32_t primo, const double* x, const double* y, size_t quanti) {
    const auto da = static_cast<size_t>(primo);
    const size_t fino = std::min(n, da + quanti);
    for (size_t m = da; m < fino; ++m) {
      piano.tag[0][m] = piano.tag[1][m] = tag_reale;
      piano.valore[0][m] = x[m - da];
      piano.valore[1][m] = y[m - da];
    }
  });
  return piano;
}
