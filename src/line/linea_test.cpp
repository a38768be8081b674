#include "line/linea.h"

#include <gtest/gtest.h>

#include <cmath>

#include "prova_compilazione.h"

namespace {

const std::string treno_minimo = "[generale]\r\n[fine]\r\n";

TEST(Linea, LengthSizesCellsAndPlan) {
  struct caso {
    int32_t lunghezza;
    int32_t P;
    int32_t L;
  };
  const caso casi[] = {
      {227550, 4691, 234550},
      {25, 140, 7025},     // 140.5 rounds to the even 140
      {75, 142, 7075},     // 141.5 rounds to 142
      {0, 140, 7000},
      {1000000, 20140, 1007000},
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, linea_con({}, c.lunghezza), treno_minimo);
    EXPECT_EQ(x.a.codice_errore, 0) << c.lunghezza;
    EXPECT_EQ(ultima_cella(x.a), c.P) << c.lunghezza;
    EXPECT_EQ(x.a.tracciato.ultimo_metro, c.L) << c.lunghezza;
    EXPECT_EQ(x.a.punti[84].fine, c.lunghezza);
  }
}

TEST(Linea, RecordsTheCodesOfTheLineHalf) {
  struct caso {
    const char* perche;
    std::string linea;
    int32_t codice;
    int32_t posizione;
  };
  const caso casi[] = {
      {"empty file fails on its first read", "", 25, 0},
      {"only [generale] as the last line", "something\r\n[generale]\r\n", 102, 0},
      {"no [generale] at all", "lunghezza percorso, 100\r\n[fine]\r\n", 102, 0},
      {"length beyond 1000000", linea_con({}, 1000001), 1, 0},
      {"negative length", linea_con({}, -5), 1, 0},
      {"no length row", "[generale]\r\nsfondo uno, 1\r\n[curve]\r\n[fine]\r\n", 1, 0},
      {"first repetition position", "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali 9, 25, 100\r\n[fine]\r\n", 3, 0},
      {"second repetition position", "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali 4, 50, 125\r\n[fine]\r\n", 4, 0},
      {"repetition names no code count", "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali, 0, 0\r\n[fine]\r\n", 5, 0},
      {"curve without class digit", linea_con({"curvad,  100,  100"}), 103, 0},
      {"gradient beyond the cells", linea_con({"pendenza,  234451,  0"}), 15, 234451},
      {"curve beyond the cells", linea_con({"curvas2,  300000,  100"}), 15, 300000},
      {"mountain beyond the cells", linea_con({"montagna,  240000,  250000, 2"}), 15, 240000},
      {"value that is not a number", linea_con({"pendenza,  1x0,  0"}), 25, 0},
      {"row cut short by the end of the file", generale() + "pendenza,  100", 25, 0},
      {"gradient above 155 when written", linea_con({"pendenza,  0,  156", "pendenza,  100,  0"}), 25, 0},
      {"two boards in one cell", linea_con({"indicatori_v, 1000, 100,0,0,0, 60,0,0,0", "indicatori_v, 1010, 100,0,0,0, 60,0,0,0"}), 21, 1010},
      {"signboard on a board", linea_con({"indicatori_v, 1000, 100,0,0,0, 60,0,0,0", "cartello_indicatore, 1010, (x)"}), 6, 1010},
      {"packed board value beyond 16 bits", linea_con({"indicatori_v, 1000, 1639,0,0,0, 0,0,0,0"}), 25, 0},
      {"board at the last accepted position", linea_con({"indicatori_v, 234450, 100,0,0,0, 60,0,0,0"}, 227550), 0, 0},
      {"signboard text longer than a counted text holds", linea_con({"cartello_indicatore, 1000, " + std::string(65536, 'x')}), 25, 0},
      {"signboard one position further", linea_con({"cartello_indicatore, 234460, (x)"}, 227550), 15, 234460},
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, c.linea, treno_minimo);
    EXPECT_EQ(x.a.codice_errore, c.codice) << c.perche;
    EXPECT_EQ(x.a.posizione_errore, c.posizione) << c.perche;
  }
}

TEST(Linea, MissingLineDescriptionIsCode101AndLeavesTheTrainDescription) {
  compilato x;
  x.a.nome_linea = "Valmorana";
  x.a.nome_treno = "Corsola";
  const auto treno = x.cartella.percorso / "Valmorana_Corsola-.txt";
  scrivi_testo(treno, treno_minimo);
  compila(x.a, 1, descrizioni{x.cartella.percorso / "Valmorana_linea.txt", treno, true});
  EXPECT_EQ(x.a.codice_errore, 101);
  EXPECT_FALSE(dimensionato(x.a));
  EXPECT_TRUE(std::filesystem::exists(treno));
}

TEST(Linea, FinishingDeletesTheDescriptionsItRead) {
  struct caso {
    std::string linea;
    bool linea_resta;
    bool treno_resta;
  };
  const caso casi[] = {
      {linea_con({}), false, false},                                       // a normal run
      {linea_con({"curvad,  100,  100"}), false, true},                    // 103 stops before the train
      {linea_con({"pendenza,  234451,  0"}), false, false},                // 15 goes on with the train
      {linea_con({"pendenza,  x,  0"}), false, false},                     // 25 deletes both
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, c.linea, treno_minimo);
    EXPECT_EQ(std::filesystem::exists(x.cartella.percorso / "Valmorana_linea.txt"), c.linea_resta);
    EXPECT_EQ(std::filesystem::exists(x.cartella.percorso / "Valmorana_Corsola-.txt"), c.treno_resta);
  }
}

TEST(Linea, SignalRepetitionCountsItsCodes) {
  struct caso {
    std::string riga;
    int32_t inizio, fine, codici;
  };
  const caso casi[] = {
      {"ripetizione segnali 9 codici,    0,    222150", 0, 222150, 9},
      {"ripetizione segnali 4 codici,    0,    0", 0, 0, 0},
      {"ripetizione segnali 4 o 9 codici,    100,    200", 100, 200, 4},  // "4" is tested first
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, "[generale]\r\nlunghezza percorso, 1000\r\n" + c.riga + "\r\n[curve]\r\n[fine]\r\n", treno_minimo);
    EXPECT_EQ(x.a.codice_errore, 0) << c.riga;
    EXPECT_EQ(x.a.punti[86].inizio, c.inizio) << c.riga;
    EXPECT_EQ(x.a.punti[86].fine, c.fine) << c.riga;
    EXPECT_EQ(x.a.punti[86].posizione, c.codici) << c.riga;
  }
}

TEST(Linea, GeneralSectionStoresItsValuesAndOrdersTheReferences) {
  compilato x;
  compila_testi(x, linea_con({}), treno_minimo);
  const punto* p = x.a.punti.data();
  // "tre" (131450) has the greatest first value; its flag raises its reading by 100
  EXPECT_EQ(p[81].inizio, 131450);
  EXPECT_EQ(p[81].fine, 227650);
  EXPECT_EQ(p[82].inizio, 100000);
  EXPECT_EQ(p[82].fine, -100000);
  EXPECT_EQ(p[83].inizio, 0);
  EXPECT_EQ(p[83].fine, 187550);
  EXPECT_EQ(p[85].inizio, 1);  // "sfondo uno"
  EXPECT_EQ(p[85].nome, "Valmorana");
  EXPECT_EQ(p[86].nome, "Corsola");
}

TEST(Linea, ProgressiveOrdinaFollowsItsTable) {
  using terna = std::array<int32_t, 3>;
  struct caso {
    const char* perche;
    terna uno, due, tre;           // as read
    terna s81, s82, s83;           // after ordering
  };
  const caso casi[] = {
      {"t > d > u", {1, 10, 0}, {2, 20, 0}, {3, 30, 0}, {3, 30, 0}, {2, 20, 0}, {1, 10, 0}},
      {"t > u > d", {2, 10, 0}, {1, 20, 0}, {3, 30, 0}, {3, 30, 0}, {2, 10, 0}, {1, 20, 0}},
      {"d > t > u", {1, 10, 0}, {3, 20, 0}, {2, 30, 0}, {3, 20, 0}, {2, 30, 0}, {1, 10, 0}},
      {"d > u > t", {2, 10, 0}, {3, 20, 0}, {1, 30, 0}, {3, 20, 0}, {2, 10, 0}, {1, 30, 0}},
      {"u > t > d", {3, 10, 0}, {1, 20, 0}, {2, 30, 0}, {3, 10, 0}, {2, 30, 0}, {1, 20, 0}},
      {"u > d > t", {3, 10, 0}, {2, 20, 0}, {1, 30, 0}, {3, 10, 0}, {2, 20, 0}, {1, 30, 0}},
      {"tie of the smaller two: the lower row first", {5, 10, 0}, {5, 20, 0}, {9, 30, 0}, {9, 30, 0}, {5, 10, 0}, {5, 20, 0}},
      {"tie for the greatest clears all", {100, 10, 1}, {100, 20, 1}, {50, 30, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {"by second value: the last rule wins", {0, 5, 0}, {0, 0, 0}, {0, 7, 0}, {0, 5, 0}, {0, 0, 0}, {0, 7, 0}},
      {"by second value: only d", {0, 0, 0}, {0, 4, 0}, {0, 0, 0}, {0, 4, 0}, {0, 0, 0}, {0, 0, 0}},
      {"flags raise the reading", {0, 10, 1}, {50, 20, 1}, {100, 30, 0}, {100, 30, 0}, {50, 120, 1}, {0, 110, 1}},
  };
  for (const caso& c : casi) {
    area_lavoro a;
    auto metti = [&](int slot, const terna& t) {
      a.punti[slot].inizio = t[0];
      a.punti[slot].fine = t[1];
      a.punti[slot].posizione = t[2];
    };
    metti(83, c.uno);
    metti(82, c.due);
    metti(81, c.tre);
    ASSERT_TRUE(progressive_ordina(a));
    auto legge = [&](int slot) { return terna{a.punti[slot].inizio, a.punti[slot].fine, a.punti[slot].posizione}; };
    EXPECT_EQ(legge(81), c.s81) << c.perche;
    EXPECT_EQ(legge(82), c.s82) << c.perche;
    EXPECT_EQ(legge(83), c.s83) << c.perche;
  }
  area_lavoro troppo;
  troppo.punti[83] = punto{};
  troppo.punti[83].inizio = 10;
  troppo.punti[83].fine = 2147483600;
  troppo.punti[83].posizione = 1;
  EXPECT_FALSE(progressive_ordina(troppo));  // the +100 would overflow its field
}

TEST(Linea, KeywordsCommentsAndSections) {
  struct caso {
    const char* perche;
    std::string linea;
    int32_t lunghezza;  // slot 84 fine
    uint8_t pendenza_10;  // gradient byte of cell 10
  };
  const std::string undici_commenti = "-a\r\n-b\r\n-c\r\n-d\r\n-e\r\n-f\r\n-g\r\n-h\r\n-i\r\n-j\r\n";
  const caso casi[] = {
      {"length keyword in capitals", "[generale]\r\nLUNGHEZZA PERCORSO, 1000\r\n[curve]\r\n[fine]\r\n", 1000, 100},
      {"ten comments, then the length", "[generale]\r\n" + undici_commenti + "lunghezza percorso, 2000\r\n[x]\r\n[fine]\r\n", 2000, 100},
      {"the eleventh comment is a keyword field", "[generale]\r\n" + undici_commenti + "-lunghezza percorso, 3000\r\n[x]\r\n[fine]\r\n", 3000, 100},
      {"a gradient row with a hyphen is a comment", linea_con({"pendenza-, 500, 20", "pendenza, 1000, 0"}, 1000), 1000, 100},
      {"a gradient after the general section", linea_con({"pendenza, 250, 20", "pendenza, 1000, 0"}, 1000), 1000, 120},
      {"general keywords are not read after the section", linea_con({"lunghezza percorso, 5000"}, 1000), 1000, 100},
      {"general section running to the end of the file", "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n", 1000, 100},
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, c.linea, treno_minimo);
    ASSERT_EQ(x.a.codice_errore, 0) << c.perche;
    EXPECT_EQ(x.a.punti[84].fine, c.lunghezza) << c.perche;
    EXPECT_EQ(x.a.percorso[10].pendenza, c.pendenza_10) << c.perche;
  }
  compilato p_maiuscola;
  compila_testi(p_maiuscola,
                "[generale]\r\nlunghezza percorso, 1000\r\nProgressiva chilometrica uno, 50, 60, 0\r\n[c]\r\n[fine]\r\n",
                treno_minimo);
  EXPECT_EQ(p_maiuscola.a.punti[83].fine, 0);  // "progressiva" is case-sensitive
}

TEST(Linea, GradientsHoldFromTheirCellToTheNextRow) {
  compilato x;
  compila_testi(x, linea_con({"pendenza, 75, -100", "pendenza, 125, 20", "pendenza, 125, 5", "pendenza, 300, 0"}, 1000),
                treno_minimo);
  ASSERT_EQ(x.a.codice_errore, 0);
  // 75 gives cell 2 (1.5 rounds to 2); 125 also cell 2 (2.5 rounds to 2): the
  // second row at the same cell still writes one cell with the gradient before it
  const uint8_t attese[] = {100, 100, 0, 120, 105, 105, 100, 100};
  for (size_t i = 0; i < std::size(attese); ++i) EXPECT_EQ(x.a.percorso[i].pendenza, attese[i]) << i;
  const int32_t P = ultima_cella(x.a);
  EXPECT_EQ(x.a.percorso[P - 3].pendenza, 100);
  EXPECT_EQ(x.a.percorso[P - 2].pendenza, 0);  // the last three cells keep their gradient
  EXPECT_EQ(x.a.percorso[P].pendenza, 0);
}

TEST(Linea, GradientRowAtTheLastAcceptedPosition) {
  compilato x;
  compila_testi(x, linea_con({"pendenza,  234450,  0"}), treno_minimo);  // 50 × P − 100
  EXPECT_EQ(x.a.codice_errore, 0);
}

double x_di(const piano_per_metro& t, int m) { return t.valore[0][static_cast<size_t>(m)]; }
double y_di(const piano_per_metro& t, int m) { return t.valore[1][static_cast<size_t>(m)]; }
double rotta(const piano_per_metro& t, int m) {
  return std::atan2(x_di(t, m) - x_di(t, m - 1), y_di(t, m) - y_di(t, m - 1));
}

TEST(Linea, PlanIsDrawnMetreByMetreFromTheCurves) {
  compilato x;
  compila_testi(x, linea_con({"curvad1,  1500,  900", "curvas31,  5000,  100", "curvad6,  10000,  1000"}), treno_minimo);
  ASSERT_EQ(x.a.codice_errore, 0);
  const piano_per_metro t = metri_del_piano(x.a.tracciato);
  EXPECT_EQ(t.tag[0][0], tag_intero);
  EXPECT_EQ(t.tag[1][1], tag_intero);
  EXPECT_EQ(y_di(t, 1), 1.0);
  for (int m : {2, 700, 1500}) {
    EXPECT_EQ(t.tag[0][m], tag_reale);
    EXPECT_EQ(x_di(t, m), 0.0);
    EXPECT_EQ(y_di(t, m), m);
  }
  // the first turned metres, by hand: the step (0, 1) turned by k = 0.0001
  EXPECT_EQ(x_di(t, 1501), 0.0001);
  EXPECT_EQ(y_di(t, 1501), 1501.0);
  EXPECT_EQ(x_di(t, 1502), 0.0001 + (0.0001 + 0.0001 * 1.0));
  EXPECT_EQ(y_di(t, 1502), 1501.0 + (1.0 - 0.0001 * 0.0001));
  EXPECT_NEAR(rotta(t, 2400), 900 * std::atan(0.0001), 1e-9);
  // "curvas31" takes class 1 (the first digit tested) and turns back
  EXPECT_NEAR(rotta(t, 5100), 800 * std::atan(0.0001), 1e-9);
  EXPECT_NEAR(rotta(t, 11000) - rotta(t, 9999), 1000 * std::atan(0.003), 1e-9);
  const int32_t L = t.ultimo_metro;
  EXPECT_EQ(t.tag[0][L - 2], tag_reale);
  EXPECT_EQ(t.tag[0][L - 1], tag_vuoto);
  EXPECT_EQ(t.tag[1][L], tag_vuoto);
}

TEST(Linea, CurveStartingBeforeMetreTwoTurnsFromMetreTwo) {
  compilato x;
  compila_testi(x, linea_con({"curvas4,  0,  10"}), treno_minimo);
  ASSERT_EQ(x.a.codice_errore, 0);
  EXPECT_EQ(x_di(metri_del_piano(x.a.tracciato), 2), -0.001);  // turned towards -x at once
}

TEST(Linea, PlanGoesOnStraightAfterCode15) {
  compilato x;
  compila_testi(x, linea_con({"curvad5,  1000,  500", "curvad5,  300000,  500"}), treno_minimo);
  EXPECT_EQ(x.a.codice_errore, 15);
  const piano_per_metro t = metri_del_piano(x.a.tracciato);
  const int32_t L = t.ultimo_metro;
  EXPECT_EQ(t.tag[0][L - 2], tag_reale);
  EXPECT_NEAR(rotta(t, L - 2), 500 * std::atan(0.002), 1e-9);
  EXPECT_EQ(x.a.percorso[ultima_cella(x.a) - 3].pendenza, 100);
}

TEST(Linea, CurveReachingMetreOneMillionIsCode103) {
  compilato x;
  compila_testi(x, linea_con({"curvad1,  999000,  1000"}, 1000000), treno_minimo);
  EXPECT_EQ(x.a.codice_errore, 103);
  compilato y;
  compila_testi(y, linea_con({"curvad1,  998000,  1000"}, 1000000), treno_minimo);
  EXPECT_EQ(y.a.codice_errore, 0);  // the completion goes past 1000000 freely
}

TEST(Linea, CurveRowsArePassedOverWithoutAPlan) {
  compilato x;
  compila_testi(x, linea_con({"curvad,  100,  100"}), treno_minimo, 0);
  EXPECT_EQ(x.a.codice_errore, 0);  // no class test without a plan
  EXPECT_EQ(x.a.tracciato.ultimo_metro, -1);
}

TEST(Linea, MountainsMarkTheirStretch) {
  struct caso {
    const char* perche;
    std::initializer_list<std::string> righe;
    std::vector<int> celle_montagna;  // cells expected with a non-zero kind, in order
    uint8_t tipo_montagna;            // kind of the last row
    std::vector<int> marcatori;
  };
  const caso casi[] = {
      {"kind 12 over cells 20 to 23", {"montagna, 1000, 1200, 12"}, {20, 21, 22, 23}, 2, {23}},
      {"kind 14 over cells 20 to 31", {"montagna, 1000, 1600, 14"}, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}, 4, {23, 27, 31}},
      {"end before start writes nothing", {"montagna, 1000, 1024, 12"}, {}, 0, {}},
      {"1025 gives the last cell 20", {"montagna, 1000, 1025, 2"}, {20}, 2, {}},
      {"1075 also gives 20", {"montagna, 1000, 1075, 2"}, {20}, 2, {}},
      {"short stretch has no marker", {"montagna, 1000, 1150, 15"}, {20, 21, 22}, 5, {}},
      {"150 m after the previous: kind 3", {"montagna, 0, 100, 1", "montagna, 250, 300, 7"}, {0, 1, 5}, 3, {}},
      {"151 m after: own kind", {"montagna, 0, 100, 1", "montagna, 251, 301, 7"}, {0, 1, 5}, 7, {}},
      {"negative start: count still from the first cell", {"montagna, -100, 300, 12"}, {0, 1, 2, 3, 4, 5}, 2, {1, 5}},
  };
  for (const caso& c : casi) {
    compilato x;
    compila_testi(x, linea_con(c.righe), treno_minimo);
    ASSERT_EQ(x.a.codice_errore, 0) << c.perche;
    std::vector<int> montagna, marcatori;
    for (int i = 0; i <= ultima_cella(x.a); ++i) {
      if (x.a.percorso[i].montagna != 0) montagna.push_back(i);
      if (x.a.percorso[i].tipo == 11) marcatori.push_back(i);
    }
    EXPECT_EQ(montagna, c.celle_montagna) << c.perche;
    EXPECT_EQ(marcatori, c.marcatori) << c.perche;
    if (!c.celle_montagna.empty()) {
      EXPECT_EQ(x.a.percorso[c.celle_montagna.back()].montagna, c.tipo_montagna) << c.perche;
    }
    EXPECT_EQ(x.a.numero_montagne, static_cast<int32_t>(c.righe.size())) << c.perche;
  }
}

TEST(Linea, ManyMountainRowsAreAccepted) {
  std::string righe_montagna;
  for (int i = 0; i < 100; ++i) righe_montagna += "montagna, " + std::to_string(i * 1000) + ", " + std::to_string(i * 1000 + 500) + ", 2\r\n";
  compilato x;
  compila_testi(x, generale() + righe_montagna + "[fine]\r\n", treno_minimo);
  EXPECT_EQ(x.a.codice_errore, 0);
  EXPECT_EQ(x.a.numero_montagne, 100);
  EXPECT_EQ(x.a.percorso[99 * 20].montagna, 2);
}

TEST(Linea, BoardsTakeTheCellAfterTheirPosition) {
  compilato x;
  compila_testi(x,
                linea_con({"montagna, 1000, 1600, 14", "indicatori_v, 1100, 100,1,0,2, 60,3,0,1",
                           "indicatori_v, 25, 0,0,0,0, 0,0,0,0", "cartello_indicatore,  179600,   (Segn.Prot.)(Bosco     )",
                           "cartello_indicatore,  205400,   (Ponte)(fiume)(Liro )", "indicatori_v, 75, 0,0,0,0, 0,0,0,0"}),
                treno_minimo);
  EXPECT_EQ(x.a.codice_errore, 21);  // 75 lands in cell 2 as 25 did (2.5 and 1.5 both round to 2)
  EXPECT_EQ(x.a.posizione_errore, 75);
  const cella_percorso& c = x.a.percorso[23];  // replaced the mountain marker of cell 23
  EXPECT_EQ(c.tipo, 6);
  EXPECT_EQ(c.valore_1, 2012);  // 100 and 60
  EXPECT_EQ(c.valore_2, 21);    // 1 and 3: 20 + 0.6 rounds to 21
  EXPECT_EQ(c.valore_3, 0);
  EXPECT_EQ(c.valore_4, 21);    // stripes 2 and 1
  EXPECT_EQ(x.a.percorso[2].tipo, 6);
  EXPECT_EQ(x.a.percorso[3593].tipo, 14);
  EXPECT_EQ(x.a.percorso[3593].valore_1, 80);
  EXPECT_EQ(x.a.percorso[4109].valore_1, 79);
  EXPECT_EQ(x.a.punti[80].nome, "(Segn.Prot.)(Bosco     )");
  EXPECT_EQ(x.a.punti[79].nome, "(Ponte)(fiume)(Liro )");
}

TEST(Linea, EightyOneSignboardsFindNoSlot) {
  std::string cartelli;
  for (int i = 1; i <= 81; ++i) cartelli += "cartello_indicatore, " + std::to_string(i * 1000) + ", (t" + std::to_string(i) + ")\r\n";
  compilato x;
  compila_testi(x, generale() + cartelli + "[fine]\r\n", treno_minimo);
  EXPECT_EQ(x.a.codice_errore, 10);
  EXPECT_EQ(x.a.posizione_errore, 81000);
  EXPECT_EQ(x.a.punti[1].nome, "(t80)");
  EXPECT_EQ(x.a.punti[0].nome, "");
}

}  // namespace
