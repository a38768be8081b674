// What a decoded plan says about the line's shape: the point at a metre, the
// heading of the step into it, and the summary the dump and the picture show
// (tags, bounding box, turn of the heading).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/area_lavoro.h"

struct punto_piano {
  double x = 0;
  double y = 0;
};

// The point of a metre; false when the metre lies outside the plan or either
// component is empty there.
bool punto_al_metro(const piano_per_metro& piano, int64_t metro, punto_piano& p);

// Heading of the step from metre - 1 to metre, in radians from +y towards +x
// (the side a curve without "s" turns to); false without both points.
bool direzione_al_metro(const piano_per_metro& piano, int64_t metro, double& direzione);

// For every metre of the plan, the nearest metre that holds a point (the
// earlier one on a tie), so that a drawing finds a point for any metre at
// once, however sparse the plan; empty for a plan without points.
std::vector<int32_t> metri_vicini(const piano_per_metro& piano);

// The point of a metre or, where it holds none, of the nearest metre that
// does; metres outside the plan take its nearest end. False for a plan
// without points.
bool punto_piu_vicino(const piano_per_metro& piano, const std::vector<int32_t>& vicini, int64_t metro,
                      punto_piano& p);

struct riepilogo_tracciato {
  // Elements per component: empty, integer, real.
  std::array<std::array<int64_t, 3>, 2> conteggi{};
  int64_t metri_con_punto = 0;
  int64_t primo_punto = -1;  // first and last metre holding a point
  int64_t ultimo_punto = -1;
  double x_minimo = 0, x_massimo = 0, y_minimo = 0, y_massimo = 0;
  double lunghezza_disegnata = 0;  // sum of the steps between neighbouring points
  // Turn of the heading over the line, radians; positive towards +x as a curve
  // without "s" turns. `svolta_netta` adds the turns with their sign,
  // `svolta_totale` their sizes.
  double svolta_netta = 0;
  double svolta_totale = 0;
};

riepilogo_tracciato riassumi_tracciato(const piano_per_metro& piano);

// Angle b - a brought into (-pi, pi].
double differenza_angolo(double a, double b);
