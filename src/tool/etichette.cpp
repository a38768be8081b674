// Label placement: candidate places around an anchor, scored by what they
// would cover; and ordered spreading along an axis.
#include "tool/etichette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

int64_t chiave(int64_t i, int64_t j) { return (i << 32) ^ (j & 0xFFFFFFFF); }

int64_t cella_griglia(double v, double lato) { return static_cast<int64_t>(std::floor(v / lato)); }

int64_t punti_coperti(const piazzatore& p, const rettangolo& r) {
  int64_t n = 0;
  for (int64_t i = cella_griglia(r.x0, p.lato_griglia); i <= cella_griglia(r.x1, p.lato_griglia); ++i) {
    for (int64_t j = cella_griglia(r.y0, p.lato_griglia); j <= cella_griglia(r.y1, p.lato_griglia); ++j) {
      auto it = p.punti.find(chiave(i, j));
      if (it == p.punti.end()) continue;
      for (auto [x, y] : it->second) n += x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
    }
  }
  return n;
}

bool dentro(const rettangolo& r, double x, double y) { return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1; }

double costo(const piazzatore& p, const rettangolo& r) {
  double c = 0;
  for (const rettangolo& o : p.occupati) c += 100 * area_comune(o, r);
  return c + static_cast<double>(punti_coperti(p, r));
}

// A leader line that runs across other labels or marks makes them hard to read.
double costo_guida(const piazzatore& p, double xa, double ya, double xb, double yb) {
  double lunghezza = std::hypot(xb - xa, yb - ya);
  int passi = static_cast<int>(lunghezza / 3);
  double c = 0;
  for (int k = 2; k < passi; ++k) {
    double t = static_cast<double>(k) / passi;
    double x = xa + (xb - xa) * t, y = ya + (yb - ya) * t;
    for (const rettangolo& o : p.occupati) c += dentro(o, x, y) ? 20 : 0;
  }
  return c;
}

// Directions to try, as angles from the normal: across the line first, then
// slanting, then along it.
constexpr double gradi_prova[] = {0, 180, 30, -30, 150, -150, 60, -60, 120, -120, 90, -90};
constexpr double raggi[] = {8, 18, 32, 50, 72, 98, 128, 162, 200, 250};

}  // namespace

double area_comune(const rettangolo& a, const rettangolo& b) {
  double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
  double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
  return w > 0 && h > 0 ? w * h : 0;
}

bool contiene(const rettangolo& e, const rettangolo& i) {
  return i.x0 >= e.x0 && i.x1 <= e.x1 && i.y0 >= e.y0 && i.y1 <= e.y1;
}

double larghezza_testo(size_t caratteri, double corpo) { return 0.62 * corpo * static_cast<double>(caratteri) + 2; }

void aggiungi_punto(piazzatore& p, double x, double y) {
  p.punti[chiave(cella_griglia(x, p.lato_griglia), cella_griglia(y, p.lato_griglia))].emplace_back(x, y);
}

etichetta_piazzata piazza_etichetta(piazzatore& p, double x, double y, double larghezza, double altezza,
                                    double nx, double ny) {
  etichetta_piazzata migliore;
  double costo_migliore = std::numeric_limits<double>::infinity();
  bool trovata = false;
  for (double r : raggi) {
    for (double g : gradi_prova) {
      double a = g * std::numbers::pi / 180;
      double ux = nx * std::cos(a) - ny * std::sin(a);
      double uy = nx * std::sin(a) + ny * std::cos(a);
      // The box's side or corner that faces the anchor stands r away from it.
      double cx = x + ux * r + ux * larghezza / 2;
      double cy = y + uy * r + uy * altezza / 2;
      rettangolo s{cx - larghezza / 2, cy - altezza / 2, cx + larghezza / 2, cy + altezza / 2};
      if (!contiene(p.limiti, s)) continue;
      double xg = std::clamp(x, s.x0, s.x1), yg = std::clamp(y, s.y0, s.y1);
      bool guida = r > 20;
      double c = costo(p, s) + (guida ? costo_guida(p, x, y, xg, yg) : 0);
      if (c < costo_migliore) {
        costo_migliore = c;
        migliore.scatola = s;
        migliore.x_guida = xg;
        migliore.y_guida = yg;
        migliore.guida = guida;
        trovata = true;
      }
      if (c == 0) break;
    }
    if (costo_migliore == 0) break;
  }
  if (!trovata) {
    // No place inside the limits at all: stand beside the anchor, clamped in.
    double cx = std::clamp(x + larghezza / 2 + 6, p.limiti.x0 + larghezza / 2, p.limiti.x1 - larghezza / 2);
    double cy = std::clamp(y, p.limiti.y0 + altezza / 2, p.limiti.y1 - altezza / 2);
    migliore.scatola = {cx - larghezza / 2, cy - altezza / 2, cx + larghezza / 2, cy + altezza / 2};
    costo_migliore = 1;
  }
  migliore.libera = costo_migliore == 0;
  rettangolo margine = migliore.scatola;
  margine.x0 -= 2;
  margine.y0 -= 1;
  margine.x1 += 2;
  margine.y1 += 1;
  p.occupati.push_back(margine);
  return migliore;
}

std::vector<double> distribuisci(const std::vector<double>& desiderate, double passo, double minimo,
                                 double massimo) {
  size_t n = desiderate.size();
  if (n == 0) return {};
  if (n > 1) passo = std::min(passo, (massimo - minimo) / static_cast<double>(n - 1));
  // Blocks of labels standing shoulder to shoulder: each block sits where the
  // mean of its members' wishes puts it, inside the limits.
  struct blocco {
    size_t primo, quanti;
    double somma;  // sum of wish - k * step over the members
    double inizio;
  };
  std::vector<blocco> blocchi;
  auto colloca = [&](blocco& b) {
    double ultimo_inizio = massimo - passo * static_cast<double>(b.quanti - 1);
    b.inizio = std::clamp(b.somma / static_cast<double>(b.quanti), minimo, std::max(minimo, ultimo_inizio));
  };
  for (size_t i = 0; i < n; ++i) {
    blocco b{i, 1, desiderate[i], 0};
    colloca(b);
    blocchi.push_back(b);
    while (blocchi.size() > 1) {
      blocco& prima = blocchi[blocchi.size() - 2];
      blocco& ora = blocchi.back();
      if (prima.inizio + passo * static_cast<double>(prima.quanti) <= ora.inizio + 1e-9) break;
      // The later block's members now count their places from the earlier start.
      for (size_t k = 0; k < ora.quanti; ++k) {
        prima.somma += desiderate[ora.primo + k] - passo * static_cast<double>(prima.quanti + k);
      }
      prima.quanti += ora.quanti;
      blocchi.pop_back();
      colloca(blocchi.back());
    }
  }
  std::vector<double> posizioni(n);
  for (const blocco& b : blocchi) {
    for (size_t k = 0; k < b.quanti; ++k) posizioni[b.primo + k] = b.inizio + passo * static_cast<double>(k);
  }
  return posizioni;
}
