// Slowdown rows (warning, start, end and numbered cells) and code-abatement
// rows, read from a train description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prova_compilazione.h"
#include "train/treno.h"

namespace {

struct valori { int32_t cella; int tipo, valore_1, valore_2, valore_3; };

void controlla(const area_lavoro& a, const valori& v) {
  const cella_percorso& c = a.percorso[v.cella];
  EXPECT_EQ(c.tipo, v.tipo) << "cell " << v.cella;
  EXPECT_EQ(c.valore_1, v.valore_1) << "cell " << v.cella;
  EXPECT_EQ(c.valore_2, v.valore_2) << "cell " << v.cella;
  EXPECT_EQ(c.valore_3, v.valore_3) << "cell " << v.cella;
}

int conta_tipo(const area_lavoro& a, int tipo) {
  int n = 0;
  for (const cella_percorso& c : a.percorso) n += c.tipo == tipo;
  return n;
}

TEST(Rallentamenti, WarningStartEndAndNumberedCells) {
  struct caso { const char* riga; std::vector<valori> celle; int avvisi; int numerate; };
  const caso casi[] = {
      {"rallentamento, 216600, 80, 2000, 0, 1, 80",
       {{4309, 4, 80, 80, 0}, {4333, 3, 80, 80, 0}, {4373, 2, 80, 80, 0},
        {4308, 5, 1, 1, 0}, {4307, 5, 2, 2, 0}, {4306, 5, 3, 3, 0}, {4305, 5, 4, 4, 0}}, 1, 4},
      // At 1500 m there is no warning cell and no numbered cells, whatever f_ta says.
      {"rallentamento, 1500, 60, 500, 2, 1, 60", {{31, 3, 60, 60, 2}, {41, 2, 60, 60, 2}}, 0, 0},
      {"rallentamento, 1550, 60, 500, 2, 1, 60",
       {{8, 4, 60, 60, 0}, {32, 3, 60, 60, 2}, {42, 2, 60, 60, 2}, {7, 5, 1, 1, 0}, {4, 5, 4, 4, 0}}, 1, 4},
      // Without f_ta, no numbered cells.
      {"rallentamento, 5000, 60, 500, 2, 0, 60", {{77, 4, 60, 60, 0}, {101, 3, 60, 60, 2}}, 1, 0},
      // l = 0: start and end share a cell, which ends as a start.
      {"rallentamento, 5000, 70, 0, 3, 0, 0", {{101, 3, 70, 0, 3}, {77, 4, 70, 0, 0}}, 1, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    compilato k;
    leggi_testi(k, linea_con({}), treno_con({c.riga}));
    ASSERT_EQ(k.a.codice_errore, 0);
    for (const valori& v : c.celle) controlla(k.a, v);
    EXPECT_EQ(conta_tipo(k.a, 4), c.avvisi);
    EXPECT_EQ(conta_tipo(k.a, 5), c.numerate);
  }
}

TEST(Rallentamenti, WithoutDvTheSecondValuesAreLeftAsTheyWere) {
  area_lavoro a;
  dimensiona(a, 227550);
  for (cella_percorso& c : a.percorso) c.valore_2 = 99;
  int32_t v = 80, l = 2000, f_tt = 0, d_v = 0;
  ASSERT_EQ(memo_rallentamento(a, 216600, v, l, f_tt, 1, d_v), 0);
  for (int32_t cella : {4309, 4333, 4373, 4308, 4305}) {
    EXPECT_EQ(a.percorso[cella].valore_2, 99) << "cell " << cella;
  }
  EXPECT_EQ(a.percorso[4308].valore_1, 1);
  EXPECT_EQ(a.percorso[4305].valore_1, 4);
}

// Cell 23 carries a mountain marker; 51 a signal; the cells of the slowdown
// at 216600 are 4309 (warning), 4333 (start), 4373 (end), 4305..4308.
TEST(Rallentamenti, TakeOnlyFreeCellsAndWriteNothingWhenRefused) {
  const std::string segnale = "segnale, 2500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0";
  struct caso {
    std::vector<std::string> righe;
    int32_t codice;
    int32_t posizione;
    std::vector<valori> celle;  // after the rows
  };
  const caso casi[] = {
      // a mountain marker is replaced
      {{"rallentamento, 1100, 60, 100, 0, 0, 0"}, 0, 0, {{23, 3, 60, 0, 0}, {25, 2, 60, 0, 0}}},
      // warning cell 51 taken: 17, nothing written
      {{segnale, "rallentamento, 3700, 60, 500, 0, 1, 0"}, 17, 3700, {{51, 1, 41, 0, 0}, {75, 0, 0, 0, 0}}},
      {{segnale, "rallentamento, 2500, 60, 500, 0, 1, 0"}, 18, 2500, {{27, 0, 0, 0, 0}, {61, 0, 0, 0, 0}}},
      {{segnale, "rallentamento, 2000, 60, 500, 0, 1, 0"}, 19, 2000, {{17, 0, 0, 0, 0}, {41, 0, 0, 0, 0}}},
      // numbered cell 51 taken: 20, with the warning, start and end already written
      {{segnale, "rallentamento, 3850, 60, 500, 0, 1, 60"}, 20, 3850,
       {{54, 4, 60, 60, 0}, {78, 3, 60, 60, 0}, {88, 2, 60, 60, 0}, {53, 0, 0, 0, 0}, {51, 1, 41, 0, 0}}},
      // at 1575 m the first numbered cell is the warning cell itself
      {{"rallentamento, 1575, 60, 500, 0, 1, 0"}, 20, 1575, {{8, 4, 60, 0, 0}, {7, 0, 0, 0, 0}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.righe.back());
    std::string treno = "[generale]\r\n";
    for (const std::string& r : c.righe) treno += r + "\r\n";
    compilato k;
    leggi_testi(k, linea_con({"montagna, 1000, 1200, 12"}), treno + "[fine]\r\n");
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
    for (const valori& v : c.celle) controlla(k.a, v);
  }
}

TEST(Abbattimenti, OneCellAtTheirPositionOverFifty) {
  const std::string segnale = "segnale, 2500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0";
  struct caso {
    std::vector<std::string> righe;
    int32_t codice;
    int32_t posizione;
    valori cella;
  };
  const caso casi[] = {
      {{"abbattimento,   95700,   270"}, 0, 0, {1914, 12, 270, 0, 0}},
      {{"abbattimento, 95725, 270"}, 0, 0, {1914, 12, 270, 0, 0}},   // 1914.5 rounds to the even 1914
      {{"abbattimento, 95775, 120"}, 0, 0, {1916, 12, 120, 0, 0}},   // 1915.5 rounds to 1916
      {{"abbattimento, 95700, 0"}, 0, 0, {1914, 13, 0, 0, 0}},
      {{"abbattimento, 95700, -5"}, 0, 0, {1914, 13, 0, 0, 0}},      // no code value stored
      {{"abbattimento, 1150, 270"}, 0, 0, {23, 12, 270, 0, 0}},      // on the mountain marker
      // at a signal row's position it takes the cell just before the signal
      {{segnale, "abbattimento, 2500, 270"}, 0, 0, {50, 12, 270, 0, 0}},
      // 50 m further it falls on the signal cell
      {{segnale, "abbattimento, 2550, 270"}, 7, 2550, {51, 1, 41, 0, 0}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.righe.back());
    std::string treno = "[generale]\r\n";
    for (const std::string& r : c.righe) treno += r + "\r\n";
    compilato k;
    leggi_testi(k, linea_con({"montagna, 1000, 1200, 12"}), treno + "[fine]\r\n");
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
    controlla(k.a, c.cella);
  }
}

TEST(Abbattimenti, WithoutACodeValueTheCellKeepsItsFirstValue) {
  cartella_temporanea t;
  const auto file = t.percorso / "righe.txt";
  scrivi_testo(file, "95700, -3\r\n[fine]\r\n");
  area_lavoro a;
  dimensiona(a, 227550);
  a.percorso[1914].tipo = 11;
  a.percorso[1914].valore_1 = 55;
  const descrizioni sorgenti{file, file, false};
  lettura l{a, sorgenti, nullptr, lettore{}, in_nessuna, 0, 0};
  ASSERT_TRUE(apri_descrizione(l, in_treno));
  EXPECT_EQ(riga_abbattimento(l), esito::avanti);
  chiudi(l.canale);
  EXPECT_EQ(a.percorso[1914].tipo, 13);
  EXPECT_EQ(a.percorso[1914].valore_1, 55);
}

}  // namespace
