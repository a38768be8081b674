#include "model/arrotonda.h"

#include <gtest/gtest.h>

TEST(Arrotonda, TiesGoToTheEvenNeighbour) {
  struct caso { double valore; int64_t atteso; };
  const caso casi[] = {
      {2.5, 2},   {3.5, 4},    {0.5, 0},   {1.5, 2},  {-2.5, -2}, {-3.5, -4},
      {140.5, 140}, {141.5, 142}, {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {51.5, 52},
      {52.5, 52}, {7.0, 7},    {-7.0, -7}, {20.6, 21},
  };
  for (const caso& c : casi) EXPECT_EQ(arrotonda(c.valore), c.atteso) << c.valore;
}
