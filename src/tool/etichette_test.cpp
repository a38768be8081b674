#include "tool/etichette.h"

#include <gtest/gtest.h>

TEST(Distribuisci, KeepsOrderAndSpacingAndStaysNearTheWishes) {
  struct caso {
    std::vector<double> desiderate;
    double passo, minimo, massimo;
    std::vector<double> attese;
  };
  const caso casi[] = {
      {{10, 50, 90}, 10, 0, 100, {10, 50, 90}},            // room for all: unmoved
      {{50, 52, 54}, 10, 0, 100, {42, 52, 62}},            // a cluster spreads about its mean
      {{0, 1, 2}, 10, 0, 100, {0, 10, 20}},                // pushed in from the lower limit
      {{99, 99.5, 100}, 10, 0, 100, {80, 90, 100}},        // and from the upper one
      {{10, 12, 80, 81}, 10, 0, 100, {6, 16, 75.5, 85.5}},  // two clusters apart
      {{50, 50, 50, 50, 50}, 40, 0, 100, {0, 25, 50, 75, 100}},  // too many: the step shrinks
  };
  for (const caso& c : casi) {
    std::vector<double> p = distribuisci(c.desiderate, c.passo, c.minimo, c.massimo);
    ASSERT_EQ(p.size(), c.attese.size());
    for (size_t i = 0; i < p.size(); ++i) EXPECT_NEAR(p[i], c.attese[i], 1e-9) << i;
  }
  EXPECT_TRUE(distribuisci({}, 10, 0, 100).empty());
}

TEST(PiazzaEtichetta, LabelsAlongACrowdedLineNeitherOverlapNorCoverIt) {
  piazzatore p;
  p.limiti = {0, 0, 800, 400};
  for (double x = 0; x <= 800; x += 2) aggiungi_punto(p, x, 200);
  std::vector<rettangolo> scatole;
  bool sopra = true;
  // Twenty labels 90 wide on anchors 30 apart: they must stagger.
  for (int i = 0; i < 20; ++i) {
    double x = 100 + 30 * i;
    etichetta_piazzata e = piazza_etichetta(p, x, 200, 90, 14, 0, sopra ? -1 : 1);
    sopra = !sopra;
    EXPECT_TRUE(e.libera) << i;
    EXPECT_TRUE(contiene(p.limiti, e.scatola)) << i;
    EXPECT_TRUE(e.scatola.y1 < 200 || e.scatola.y0 > 200) << i;  // off the line
    for (const rettangolo& r : scatole) EXPECT_EQ(area_comune(r, e.scatola), 0) << i;
    scatole.push_back(e.scatola);
  }
  // A label with room beside its anchor stands right there, without a leader.
  piazzatore vuoto;
  vuoto.limiti = {0, 0, 800, 400};
  etichetta_piazzata e = piazza_etichetta(vuoto, 400, 200, 60, 14, 0, -1);
  EXPECT_FALSE(e.guida);
  EXPECT_NEAR(e.scatola.y1, 192, 1e-9);
  EXPECT_NEAR((e.scatola.x0 + e.scatola.x1) / 2, 400, 1e-9);
}
