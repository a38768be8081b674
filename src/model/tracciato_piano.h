// The line's per-metre plan, held as the stretches it is drawn from, and the
// stepping that draws its metres.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Tags of a plan element, as the plan file stores them.
enum : uint8_t { tag_vuoto = 0, tag_intero = 2, tag_reale = 5 };

// The metres after the previous stretch, up to and including `fine`, each one
// stepped from the two points before it, the step turned by `curvatura`
// radians per metre (0 on straight track).
struct tratto_piano {
  int32_t fine = 0;
  double curvatura = 0;
};

// The per-metre plan: metres 0 to L of two components (0 = x, 1 = y). Once
// started, metres 0 and 1 are the 16-bit integers (0, 0) and (0, 1); the
// stretches then draw metres 2 onward as doubles; every other element is
// empty. Each point follows from the two before it, so the stretches are the
// whole plan: its metres are drawn as they are written, and a plan of a
// million metres needs no memory of its own.
struct tracciato_piano {
  int32_t ultimo_metro = -1;  // L; -1 while the plan is not created
  uint8_t iniziato = 0;       // 1 once metres 0 and 1 are set
  std::vector<tratto_piano> tratti;
};

// Sets metres 0 and 1.
inline void inizia_piano(tracciato_piano& t) { t.iniziato = 1; }

// The metre the next stretch starts at.
inline int32_t prossimo_metro(const tracciato_piano& t) { return t.tratti.empty() ? 2 : t.tratti.back().fine + 1; }

// The last metre with a drawn point; 1 (or L, if less) while none is drawn.
inline int32_t ultimo_disegnato(const tracciato_piano& t) { return std::min(prossimo_metro(t) - 1, t.ultimo_metro); }

// Draws the metres from `prossimo_metro` to `fine` with curvature k. A stretch
// turned like the one before it lengthens that one: the steps are the same.
void aggiungi_tratto(tracciato_piano& t, int32_t fine, double k);

// The two last points drawn, from which the next metre is stepped.
struct passo_piano {
  double x1 = 0, y1 = 0;  // the last point
  double x2 = 0, y2 = 0;  // the one before it
};

// The points of metres 1 and 0, from which metre 2 is stepped.
passo_piano passo_iniziale(const tracciato_piano& t);

// Draws the next n metres, handing each point to metro(x, y) in order: each
// step is formed anew from the two last points and turned by k, exactly as
// the plan has always been drawn; `p` is carried on to the last of them. The
// stepping waits on each result in turn, so what `metro` does with a point
// costs next to nothing beside it.
template <class F>
inline void disegna_metri(passo_piano& p, double k, size_t n, F&& metro) {
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
      metro(x1, y1);
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
      metro(x1, y1);
    }
  }
  p = passo_piano{x1, y1, x2, y2};
}

inline constexpr size_t metri_per_volta = 2048;

// Calls tratto(primo_metro, n, passo, k) for the drawn metres in order, at
// most `metri_per_volta` at a time; each call draws its n metres with
// disegna_metri(passo, k, n, ...).
template <class F>
void percorri_tratti(const tracciato_piano& t, F&& tratto) {
  passo_piano p = passo_iniziale(t);
  int32_t metro = 2;
  for (const tratto_piano& r : t.tratti) {
    while (metro <= r.fine) {
      const size_t n = std::min(metri_per_volta, static_cast<size_t>(r.fine - metro) + 1);
      tratto(metro, n, p, r.curvatura);
      metro += static_cast<int32_t>(n);
    }
  }
}

// The plan laid out element by element, as the plan file lists it: the form
// in which the tools read a compiled plan back.
struct piano_per_metro {
  int32_t ultimo_metro = -1;
  std::array<std::vector<uint8_t>, 2> tag;
  std::array<std::vector<double>, 2> valore;
};

piano_per_metro metri_del_piano(const tracciato_piano& t);
