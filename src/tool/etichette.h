// Placement of the labels of a drawing so that they neither cover each other
// nor the lines and marks they name: around a point on the page, and side by
// side along one axis.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct rettangolo {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x0 <= x1, y0 <= y1, page units
};

double area_comune(const rettangolo& a, const rettangolo& b);
bool contiene(const rettangolo& esterno, const rettangolo& interno);

// Estimated size of a line of text: width by the number of characters, for
// the sans-serif faces the pages name (an estimate on the generous side).
double larghezza_testo(size_t caratteri, double corpo);

// What the labels of one drawing must keep clear of: the labels placed so
// far, the marks, and the points of the drawn lines.
struct piazzatore {
  rettangolo limiti;  // labels stay inside
  std::vector<rettangolo> occupati;
  double lato_griglia = 8;
  std::unordered_map<int64_t, std::vector<std::pair<double, double>>> punti;
};

void aggiungi_punto(piazzatore& p, double x, double y);

// Where a label went: its box, and whether it stands far enough from its
// anchor to need a leader line (from the anchor to `x_guida`, `y_guida`).
struct etichetta_piazzata {
  rettangolo scatola;
  bool guida = false;
  double x_guida = 0, y_guida = 0;
  bool libera = true;  // false when no place was free and the least bad one was taken
};

// Places a label of the given size near the anchor, trying the sides across
// the line first (the unit normal nx, ny), then the other directions, nearer
// places before farther ones; the box is then occupied for later labels.
etichetta_piazzata piazza_etichetta(piazzatore& p, double x, double y, double larghezza, double altezza,
                                    double nx, double ny);

// Positions along one axis for labels that want to stand at `desiderate`
// (ascending) and need `passo` each, kept in order and inside [minimo, massimo],
// each as near its wish as the others allow. When they cannot all fit, the
// step shrinks to share the room evenly.
std::vector<double> distribuisci(const std::vector<double>& desiderate, double passo, double minimo,
                                 double massimo);
