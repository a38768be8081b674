#include "tool/geometria_tracciato.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "compilati_di_prova.h"

TEST(RiassumiTracciato, AddsTheTurnsWithTheirSideAndSize) {
  struct caso {
    const char* nome;
    std::vector<prova::curva> curve;
    double netta;
    double totale;
  };
  // Each turning step rotates the heading by atan(k) exactly.
  const double a1 = std::atan(0.001), a2 = std::atan(0.002), a6 = std::atan(0.003);
  const caso casi[] = {
      {"straight", {}, 0, 0},
      {"one right curve", {{1500, 1000, 0.001}}, 1000 * a1, 1000 * a1},
      {"right then left", {{1500, 1000, 0.001}, {2600, 500, -0.002}}, 1000 * a1 - 500 * a2, 1000 * a1 + 500 * a2},
      // More than a whole circle: the turn is not folded back into one turn.
      {"a loop and a half", {{100, 3000, -0.003}}, -3000 * a6, 3000 * a6},
  };
  for (const caso& c : casi) {
    riepilogo_tracciato r = riassumi_tracciato(prova::disegna_piano(4000, c.curve));
    EXPECT_NEAR(r.svolta_netta, c.netta, 1e-9) << c.nome;
    EXPECT_NEAR(r.svolta_totale, c.totale, 1e-9) << c.nome;
    EXPECT_EQ(r.metri_con_punto, 3999) << c.nome;
    EXPECT_EQ(r.primo_punto, 0) << c.nome;
    EXPECT_EQ(r.ultimo_punto, 3998) << c.nome;
    EXPECT_EQ(r.conteggi[1][0], 2) << c.nome;
    EXPECT_EQ(r.conteggi[1][1], 2) << c.nome;
    EXPECT_EQ(r.conteggi[1][2], 3997) << c.nome;
  }
}

TEST(RiassumiTracciato, BoundingBoxAndHeadingFollowTheCurveSide) {
  piano_per_metro piano = prova::disegna_piano(4000, {{1500, 1000, 0.001}});
  riepilogo_tracciato r = riassumi_tracciato(piano);
  // A curve without "s" turns from +y towards +x.
  EXPECT_EQ(r.x_minimo, 0);
  EXPECT_GT(r.x_massimo, 1000);
  EXPECT_EQ(r.y_minimo, 0);
  EXPECT_LT(r.y_massimo, 3998);
  double d = 0;
  ASSERT_TRUE(direzione_al_metro(piano, 1500, d));
  EXPECT_EQ(d, 0);
  ASSERT_TRUE(direzione_al_metro(piano, 3000, d));
  EXPECT_NEAR(d, 1000 * std::atan(0.001), 1e-9);
  // Each turning step is sqrt(1 + k^2) times the one before it, and the
  // straight steps after the curve keep the grown length.
  const double g = std::sqrt(1 + 0.001 * 0.001);
  double attesa = 1500;
  for (int n = 1; n <= 1000; ++n) attesa += std::pow(g, n);
  attesa += 1498 * std::pow(g, 1000);
  EXPECT_NEAR(r.lunghezza_disegnata, attesa, 1e-6);
  EXPECT_FALSE(direzione_al_metro(piano, 0, d));
  EXPECT_FALSE(direzione_al_metro(piano, 3999, d));  // metre 3999 is empty
}

TEST(PuntoPiuVicino, FallsBackOnTheNearestMetreWithAPoint) {
  piano_per_metro piano = prova::disegna_piano(100, {});
  // A gap of empty metres 40 to 49: each side takes the nearer end of it.
  for (size_t k = 0; k < 2; ++k) std::fill(piano.tag[k].begin() + 40, piano.tag[k].begin() + 50, tag_vuoto);
  std::vector<int32_t> vicini = metri_vicini(piano);
  struct caso { int64_t metro; double y; };
  const caso casi[] = {{-400, 0}, {0, 0}, {38, 38}, {44, 39}, {45, 50}, {47, 50}, {50, 50}, {99, 98}, {5000, 98}};
  for (const caso& c : casi) {
    punto_piano p;
    ASSERT_TRUE(punto_piu_vicino(piano, vicini, c.metro, p)) << c.metro;
    EXPECT_EQ(p.y, c.y) << c.metro;
  }
  punto_piano p;
  piano_per_metro vuoto = prova::disegna_piano(100, {});
  for (auto& tag : vuoto.tag) std::fill(tag.begin(), tag.end(), tag_vuoto);
  EXPECT_TRUE(metri_vicini(vuoto).empty());
  EXPECT_FALSE(punto_piu_vicino(vuoto, metri_vicini(vuoto), 10, p));
  EXPECT_FALSE(punto_piu_vicino(piano_per_metro{}, metri_vicini(piano_per_metro{}), 10, p));
}

TEST(DifferenzaAngolo, TakesTheShortWayRound) {
  const double pi = std::numbers::pi;
  EXPECT_NEAR(differenza_angolo(pi - 0.1, -pi + 0.1), 0.2, 1e-12);
  EXPECT_NEAR(differenza_angolo(-pi + 0.1, pi - 0.1), -0.2, 1e-12);
  EXPECT_NEAR(differenza_angolo(0.5, 0.25), -0.25, 1e-12);
}
