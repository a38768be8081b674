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

// Draws the next n metres into x[0..n) and y[0..n), each step formed anew from
// the two last points and turned by k, exactly as the plan has always been
// drawn; `p` is carried on to the last of them.
void disegna_metri(passo_piano& p, double k, double* x, double* y, size_t n);

inline constexpr size_t metri_per_volta = 2048;

// Calls blocco(primo_metro, x, y, n) for the drawn metres in order, at most
// `metri_per_volta` at a time.
template <class F>
void percorri_metri(const tracciato_piano& t, F&& blocco) {
  double x[metri_per_volta];
  double y[metri_per_volta];
  passo_piano p = passo_iniziale(t);
  int32_t metro = 2;
  for (const tratto_piano& tratto : t.tratti) {
    while (metro <= tratto.fine) {
      const size_t n = std::min(metri_per_volta, static_cast<size_t>(tratto.fine - metro) + 1);
      disegna_metri(p, tratto.curvatura, x, y, n);
      blocco(metro, static_cast<const double*>(x), static_cast<const double*>(y), n);
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
