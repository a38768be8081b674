// Points, headings and the summary of a decoded plan.
#include "tool/geometria_tracciato.h"

#include <algorithm>
#include <cmath>
#include <numbers>

bool punto_al_metro(const piano_per_metro& piano, int64_t metro, punto_piano& p) {
  if (metro < 0 || metro > piano.ultimo_metro) return false;
  auto i = static_cast<size_t>(metro);
  if (piano.tag[0][i] == tag_vuoto || piano.tag[1][i] == tag_vuoto) return false;
  p = punto_piano{piano.valore[0][i], piano.valore[1][i]};
  return true;
}

bool direzione_al_metro(const piano_per_metro& piano, int64_t metro, double& direzione) {
  punto_piano a, b;
  if (!punto_al_metro(piano, metro - 1, a) || !punto_al_metro(piano, metro, b)) return false;
  double dx = b.x - a.x, dy = b.y - a.y;
  if (dx == 0 && dy == 0) return false;
  direzione = std::atan2(dx, dy);
  return true;
}

std::vector<int32_t> metri_vicini(const piano_per_metro& piano) {
  auto metri = static_cast<size_t>(piano.ultimo_metro + 1);
  std::vector<int32_t> prima(metri, -1), dopo(metri, -1);
  punto_piano p;
  for (size_t m = 0; m < metri; ++m) {
    bool ha = punto_al_metro(piano, static_cast<int64_t>(m), p);
    prima[m] = ha ? static_cast<int32_t>(m) : m > 0 ? prima[m - 1] : -1;
  }
  if (metri == 0 || (prima.back() < 0)) return {};
  for (size_t m = metri; m-- > 0;) {
    bool ha = prima[m] == static_cast<int32_t>(m);
    dopo[m] = ha ? static_cast<int32_t>(m) : m + 1 < metri ? dopo[m + 1] : -1;
  }
  for (size_t m = 0; m < metri; ++m) {
    int64_t a = prima[m], b = dopo[m];
    if (a < 0 || (b >= 0 && b - static_cast<int64_t>(m) < static_cast<int64_t>(m) - a)) prima[m] = static_cast<int32_t>(b);
  }
  return prima;
}

bool punto_piu_vicino(const piano_per_metro& piano, const std::vector<int32_t>& vicini, int64_t metro,
                      punto_piano& p) {
  if (vicini.empty()) return false;
  int64_t m = std::clamp<int64_t>(metro, 0, static_cast<int64_t>(vicini.size()) - 1);
  return punto_al_metro(piano, vicini[static_cast<size_t>(m)], p);
}

double differenza_angolo(double a, double b) {
  double d = std::remainder(b - a, 2 * std::numbers::pi);
  return d == -std::numbers::pi ? std::numbers::pi : d;
}

riepilogo_tracciato riassumi_tracciato(const piano_per_metro& piano) {
  riepilogo_tracciato r;
  for (size_t k = 0; k < 2; ++k) {
    for (uint8_t t : piano.tag[k]) {
      int posto = t == tag_vuoto ? 0 : t == tag_intero ? 1 : 2;
      ++r.conteggi[k][static_cast<size_t>(posto)];
    }
  }
  bool direzione_nota = false;
  double direzione_prima = 0;
  punto_piano prima;
  bool prima_nota = false;
  for (int64_t m = 0; m <= piano.ultimo_metro; ++m) {
    punto_piano p;
    if (!punto_al_metro(piano, m, p)) {
      prima_nota = false;
      direzione_nota = false;
      continue;
    }
    if (r.primo_punto < 0) {
      r.primo_punto = m;
      r.x_minimo = r.x_massimo = p.x;
      r.y_minimo = r.y_massimo = p.y;
    }
    r.ultimo_punto = m;
    ++r.metri_con_punto;
    r.x_minimo = std::min(r.x_minimo, p.x);
    r.x_massimo = std::max(r.x_massimo, p.x);
    r.y_minimo = std::min(r.y_minimo, p.y);
    r.y_massimo = std::max(r.y_massimo, p.y);
    if (prima_nota) {
      double dx = p.x - prima.x, dy = p.y - prima.y;
      r.lunghezza_disegnata += std::hypot(dx, dy);
      if (dx != 0 || dy != 0) {
        double direzione = std::atan2(dx, dy);
        if (direzione_nota) {
          double svolta = differenza_angolo(direzione_prima, direzione);
          r.svolta_netta += svolta;
          r.svolta_totale += std::fabs(svolta);
        }
        direzione_prima = direzione;
        direzione_nota = true;
      }
    }
    prima = p;
    prima_nota = true;
  }
  return r;
}
