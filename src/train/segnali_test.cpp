// Signal rows read from a train description: the packed signal cell, its
// approach marks, and the cells a signal may not take.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "prova_compilazione.h"

namespace {

struct cella_attesa {
  int32_t cella;
  int tipo, valore_1, valore_2, valore_3, valore_4, tempo;
};

TEST(Segnali, PackTheRowIntoItsCellAndMarkTheFourCellsBefore) {
  struct caso {
    const char* riga;
    cella_attesa segnale;
    std::vector<std::pair<int32_t, int>> marche;
  };
  const caso casi[] = {
      {"segnale,   11050,   2, 3, 1,  1, 0,    2,  2,1,1, 125",
       {222, 1, 32, 11, 11, 8, 125}, {{220, 81}, {218, 82}, {216, 83}, {214, 84}}},
      {"segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
       {51, 1, 41, 0, 0, 8, 0}, {{49, 81}, {47, 82}, {45, 83}, {43, 84}}},
      // dx 0 and 1 give the marks 61..64 and 71..74; rapp counts ten in valore_4
      {"segnale, 5000, 2, 2, 0, 0, 1, 0, 0, 0, 0, 0", {101, 1, 20, 0, 0, 16, 0}, {{99, 61}, {93, 64}}},
      {"segnale, 5000, 2, 2, 0, 0, 0, 1, 0, 0, 0, 0", {101, 1, 20, 0, 0, 7, 0}, {{99, 71}, {93, 74}}},
      // 16-bit packing wraps (3277 x 10 = 32770); the marks wrap at 8 bits (9 x 3 x 10 + 1 = 271)
      {"segnale, 5000, 9, 3277, 0, 0, 0, 0, 0, 0, 0, 0", {101, 1, -32766, 0, 0, 27, 0}, {{99, 15}, {93, 18}}},
      // marks before cell 0 are left out: a signal in cell 3 marks cell 1 only
      {"segnale, 100, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0", {3, 1, 0, 0, 0, 8, 0}, {{1, 81}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    compilato k;
    leggi_testi(k, linea_con({}), treno_con({c.riga}));
    ASSERT_EQ(k.a.codice_errore, 0);
    const cella_percorso& s = k.a.percorso[c.segnale.cella];
    EXPECT_EQ(s.tipo, c.segnale.tipo);
    EXPECT_EQ(s.valore_1, c.segnale.valore_1);
    EXPECT_EQ(s.valore_2, c.segnale.valore_2);
    EXPECT_EQ(s.valore_3, c.segnale.valore_3);
    EXPECT_EQ(s.valore_4, c.segnale.valore_4);
    EXPECT_EQ(s.tempo, c.segnale.tempo);
    for (auto [cella, marca] : c.marche) EXPECT_EQ(k.a.percorso[cella].marca, marca) << "cell " << cella;
  }
}

TEST(Segnali, StandOneCellBeyondTheirPositionRoundedToEven) {
  struct caso { int32_t posizione; int32_t cella; };
  const caso casi[] = {
      {2500, 51},  // a multiple of 50 stands one cell further
      {2525, 52},  // 51.5 rounds to the even 52
      {2575, 52},  // 52.5 rounds to the even 52
      {2530, 52},
  };
  for (const caso& c : casi) {
    compilato k;
    leggi_testi(k, linea_con({}), treno_con({"segnale, " + std::to_string(c.posizione) + ", 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}));
    EXPECT_EQ(k.a.percorso[c.cella].tipo, 1) << c.posizione;
    EXPECT_EQ(k.a.percorso[c.cella].valore_1, 41) << c.posizione;
  }
}

TEST(Segnali, TempoIsRaisedToAtLeast101AndKeptOnlyWithSx2) {
  struct caso { int sx; int tempo; int atteso; };
  const caso casi[] = {
      {2, 50, 101}, {2, 1, 101}, {2, 100, 101}, {2, 101, 101}, {2, 0, 0},
      {2, 300, 44},   // low 8 bits
      {2, -5, 251},   // not raised, low 8 bits
      {1, 125, 0}, {3, 50, 0},
  };
  for (const caso& c : casi) {
    compilato k;
    leggi_testi(k, linea_con({}), treno_con({"segnale, 2500, " + std::to_string(c.sx) + ", 4, 0, 0, 0, 2, 1, 0, 0, " +
                                              std::to_string(c.tempo)}));
    EXPECT_EQ(k.a.percorso[51].tempo, c.atteso) << "sx " << c.sx << " tempo " << c.tempo;
  }
}

// Cell 23 carries a mountain marker, 2001 a speed board, 3593 a signboard,
// 7 the first station's end marker, 4333 a slowdown start, 51 a signal.
TEST(Segnali, TakeOnlyAFreeCell) {
  const std::string linea = linea_con({"montagna, 1000, 1200, 12",
                                       "indicatori_v, 100000, 100, 0, 0, 1, 60, 0, 0, 1",
                                       "cartello_indicatore, 179600, (a)(b)(c)"});
  struct caso { std::vector<std::string> righe; int32_t cella; int32_t codice; int tipo_dopo; int32_t posizione; };
  const caso casi[] = {
      {{"segnale, 1100, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 23, 0, 1, 0},
      {{"segnale, 100000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 2001, 16, 6, 100000},
      {{"segnale, 179600, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 3593, 16, 14, 179600},
      {{stazione(0, 8, 400), "segnale, 300, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 7, 16, 10, 300},
      {{"rallentamento, 216600, 80, 2000, 0, 1, 80", "segnale, 216600, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 4333, 16, 3, 216600},
      {{"segnale, 2500, 2, 3, 0, 0, 0, 2, 1, 0, 0, 0", "segnale, 2510, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 51, 16, 1, 2510},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.righe.back());
    std::string treno = "[generale]\r\n";
    for (const std::string& r : c.righe) treno += r + "\r\n";
    compilato k;
    leggi_testi(k, linea, treno + "[fine]\r\n");
    EXPECT_EQ(k.a.codice_errore, c.codice);
    const cella_percorso& cella = k.a.percorso[c.cella];
    EXPECT_EQ(cella.tipo, c.tipo_dopo);
    if (c.codice == 0) {
      EXPECT_EQ(cella.valore_1, 41);
      EXPECT_EQ(cella.montagna, 2);  // the marker goes, the scenery stays
    } else {
      EXPECT_NE(cella.valore_1, 41);  // nothing of the refused signal is written
      EXPECT_EQ(k.a.posizione_errore, c.posizione);
    }
  }
}

TEST(Segnali, MarksGoIntoTakenCellsWithoutDisturbingThem) {
  compilato k;
  // Two signals 100 m apart, and a third in cell 9 whose nearest mark falls on
  // the station's end marker in cell 7.
  leggi_testi(k, linea_con({}),
              treno_con({stazione(0, 8, 400), "segnale, 2500, 2, 3, 0, 0, 0, 2, 1, 0, 0, 0",
                         "segnale, 2600, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0", "segnale, 400, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}));
  ASSERT_EQ(k.a.codice_errore, 0);
  const cella_percorso& primo = k.a.percorso[51];
  EXPECT_EQ(primo.tipo, 1);
  EXPECT_EQ(primo.valore_1, 31);
  EXPECT_EQ(primo.marca, 61);  // the second signal's nearest mark
  EXPECT_EQ(k.a.percorso[49].marca, 62);
  EXPECT_EQ(k.a.percorso[45].marca, 64);
  EXPECT_EQ(k.a.percorso[43].marca, 84);  // the first signal's farthest mark survives
  EXPECT_EQ(k.a.percorso[7].marca, 81);
  EXPECT_EQ(k.a.percorso[7].tipo, 10);
  EXPECT_EQ(k.a.percorso[7].valore_1, 1);
}

}  // namespace
