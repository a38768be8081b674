#include "model/codici_gara.h"

#include <gtest/gtest.h>

namespace {

TEST(CodiciGara, ComeFromTheFirst25CharactersOfTrainNameLineNameAndPadding) {
  struct caso {
    const char* treno;
    const char* linea;
    int32_t og;
    int32_t st;
  };
  const caso casi[] = {
      // "corsolavalmoranaccddffggh": the two names in lower case, then nine padding letters
      {"Corsola", "Valmorana", 2628, 33667},
      {"CORSOLA", "VALMORANA", 2628, 33667},
      // "abcccddffgghhkkmmppqqrrtt": three letters, then 22 of the padding
      {"", "abc", 2652, -1},
      // only the first 25 characters count; the padding does not contribute
      {"aaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaa", 25 * 97, 325 * 97},
      // "ccddffgghhkkmmppqqrrttvvw": two empty names give the padding less its last letter
      {"", "", 2713, -1},
  };
  for (const caso& c : casi) {
    area_lavoro a;
    a.punti[86].nome = c.treno;
    a.punti[85].nome = c.linea;
    EXPECT_EQ(codice_gara_og(a), c.og) << c.treno << "/" << c.linea;
    if (c.st >= 0) {
      EXPECT_EQ(codice_gara_st(a), c.st) << c.treno << "/" << c.linea;
    }
  }
}

TEST(CodiciGara, TrainNameComesFirst) {
  area_lavoro a, b;
  a.punti[86].nome = "Corsola";
  a.punti[85].nome = "Valmorana";
  b.punti[86].nome = "Valmorana";
  b.punti[85].nome = "Corsola";
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  EXPECT_NE(codice_gara_st(a), codice_gara_st(b));
}

}  // namespace
