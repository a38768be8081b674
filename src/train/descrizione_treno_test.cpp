// The train description's row loop: general values, speed and adhesion
// stretches and their completion, the kilometre-reference check, and what
// every code of the train half leaves in the error record.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

std::string treno_di(const std::vector<std::string>& righe) {
  std::string testo = "[generale]\r\n";
  for (const std::string& r : righe) testo += r + "\r\n";
  return testo + "[fine]\r\n";
}

struct tratto { int32_t da, a; int valore; };

TEST(DescrizioneTreno, SpeedStretchesAndTheirCompletion) {
  struct caso { const char* nome; std::vector<std::string> righe; int32_t codice; std::vector<tratto> tratti; };
  const caso casi[] = {
      {"the embedded rows",
       {"velocita,   0,  150", "velocita, 28450, 160", "velocita, 224800, 115"}, 0,
       {{0, 568, 30}, {569, 4495, 32}, {4496, 4688, 23}, {4689, 4691, 0}}},
      // the second of two rows in the same cell still writes it, with the first one's speed
      {"two rows in one cell", {"velocita, 0, 100", "velocita, 1000, 150", "velocita, 1010, 200"}, 0,
       {{0, 19, 20}, {20, 20, 30}, {21, 4688, 40}}},
      // the current speed starts at 0
      {"no row at 0", {"velocita, 1000, 100"}, 0, {{0, 19, 0}, {20, 4688, 20}}},
      {"1277 km/h", {"velocita, 0, 1277"}, 0, {{0, 4688, 255}}},
      {"a fifth rounded", {"velocita, 0, 13"}, 0, {{0, 4688, 3}}},
      {"1278 km/h at the completion", {"velocita, 0, 1278"}, 25, {{0, 4691, 0}}},
      {"1278 km/h at the next row", {"velocita, 0, 1278", "velocita, 1000, 100"}, 25, {{0, 4691, 0}}},
      // gv is already 4689 = P - 2, yet the completion writes once
      {"the last position accepted", {"velocita, 0, 100", "velocita, 234450, 150"}, 0,
       {{0, 4688, 20}, {4689, 4689, 30}, {4690, 4691, 0}}},
      // one metre more: code 15, and the completion still runs
      {"one metre beyond", {"velocita, 0, 100", "velocita, 234451, 150"}, 15, {{0, 4688, 20}, {4689, 4691, 0}}},
      {"upper case keyword", {"VELOCITA, 0, 100"}, 0, {{0, 4688, 20}}},
      // rows out of order write one cell each, but never cell P
      {"rows piling up at the end",
       {"velocita, 0, 100", "velocita, 234450, 150", "velocita, 50, 120", "velocita, 50, 110", "velocita, 50, 105"}, 0,
       {{0, 4688, 20}, {4689, 4689, 30}, {4690, 4690, 24}, {4691, 4691, 0}}},
      // a keyword field holding "-" is a comment, up to two in a row; the third is read as a keyword
      {"a commented row", {"-velocita, 0, 100"}, 0, {{0, 4691, 0}}},
      {"two comments before the row", {"-a, -b, velocita, 0, 100"}, 0, {{0, 4688, 20}}},
      {"a third comment is a keyword", {"-a, -b, -c velocita, 0, 100"}, 0, {{0, 4688, 20}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    compilato k;
    leggi_testi(k, linea_con({}), treno_di(c.righe));
    EXPECT_EQ(k.a.codice_errore, c.codice);
    for (const tratto& t : c.tratti) {
      for (int32_t i = t.da; i <= t.a; ++i) {
        ASSERT_EQ(k.a.percorso[i].velocita, t.valore) << "cell " << i;
      }
    }
  }
}

TEST(DescrizioneTreno, AdhesionStretchesAndTheirCompletion) {
  struct caso { std::vector<std::string> righe; std::vector<tratto> tratti; };
  const caso casi[] = {
      {{"aderenza, 0, 90", "aderenza, 33900, 80", "aderenza, 215650, 75"},
       {{0, 677, 90}, {678, 4312, 80}, {4313, 4688, 75}, {4689, 4691, 0}}},
      {{"aderenza, 0, 300"}, {{0, 4688, 44}}},
      {{"aderenza, 500, 68"}, {{0, 9, 0}, {10, 4688, 68}}},
      {{"Aderenza, 0, 90", "aderenza, 1000, 80", "aderenza, 1020, 70"}, {{0, 19, 90}, {20, 20, 80}, {21, 4688, 70}}},
      // rows out of order write one cell each, but never cell P
      {{"aderenza, 0, 90", "aderenza, 234450, 80", "aderenza, 50, 70", "aderenza, 50, 60", "aderenza, 50, 50"},
       {{0, 4688, 90}, {4689, 4689, 80}, {4690, 4690, 70}, {4691, 4691, 0}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.righe.back());
    compilato k;
    leggi_testi(k, linea_con({}), treno_di(c.righe));
    EXPECT_EQ(k.a.codice_errore, 0);
    for (const tratto& t : c.tratti) {
      for (int32_t i = t.da; i <= t.a; ++i) {
        ASSERT_EQ(k.a.percorso[i].aderenza, t.valore) << "cell " << i;
      }
    }
  }
}

TEST(DescrizioneTreno, GeneralValuesAndKeywordTests) {
  struct caso {
    const char* riga;
    int32_t massa, vetture;
    int16_t sabbia, ore, minuti, secondi;
  };
  const caso casi[] = {
      {"orologio,    18              42            15 ", 0, 0, 0, 18, 42, 15},
      {"orologio, 18, 42, 15", 0, 0, 0, 18, 42, 15},
      {"percentuale massa frenata, 85", 85, 0, 0, 0, 0, 0},
      {"numero VETTURE, 12", 0, 12, 0, 0, 0, 0},
      {"sabbia, 3", 0, 0, 3, 0, 0, 0},
      // "frenata" without "massa" is not a braked-mass row: its value is passed over
      {"percentuale frenata, 85", 0, 0, 0, 0, 0, 0},
      {"massa, 85", 0, 0, 0, 0, 0, 0},
      // every test that matches runs, each reading its own values
      {"sabbia vetture, 7, 4", 0, 7, 4, 0, 0, 0},
      // a keyword field with a hyphen is a comment; the row's values are then passed over
      {"numero-vetture, 12", 0, 0, 0, 0, 0, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    compilato k;
    leggi_testi(k, linea_con({}), treno_di({c.riga}));
    EXPECT_EQ(k.a.codice_errore, 0);
    EXPECT_EQ(k.a.punti[84].inizio, c.massa);
    EXPECT_EQ(k.a.punti[84].posizione, c.vetture);
    EXPECT_EQ(k.a.punti[84].fine, 227550);  // the line's length, untouched
    EXPECT_EQ(k.a.punti[86].valore_a, c.sabbia);
    EXPECT_EQ(k.a.punti[86].valore_c, c.ore);
    EXPECT_EQ(k.a.punti[86].valore_d, c.minuti);
    EXPECT_EQ(k.a.punti[86].valore_e, c.secondi);
  }
}

TEST(DescrizioneTreno, WithoutGeneraleNoRowIsReadAndTheFileIsDeleted) {
  compilato k;
  leggi_testi(k, linea_con({}),
              righe({"[stazioni]", "velocita, 0, 150", "segnale, 2500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "[fine]"}));
  EXPECT_EQ(k.a.codice_errore, 0);
  EXPECT_EQ(k.a.percorso[0].velocita, 0);
  EXPECT_EQ(k.a.percorso[51].tipo, 0);
  EXPECT_FALSE(std::filesystem::exists(k.cartella.percorso / "Valmorana_Corsola-.txt"));
  EXPECT_FALSE(std::filesystem::exists(k.cartella.percorso / "Valmorana_linea.txt"));
}

TEST(DescrizioneTreno, AMissingOrEmptyTrainDescriptionIsAReadFailure) {
  for (bool vuota : {false, true}) {
    SCOPED_TRACE(vuota ? "empty" : "missing");
    cartella_temporanea t;
    const auto linea = t.percorso / "Valmorana_linea.txt";
    const auto treno = t.percorso / "Valmorana_Corsola-.txt";
    scrivi_testo(linea, linea_con({"pendenza, 240000, 0"}));
    if (vuota) scrivi_testo(treno, "");
    area_lavoro a;
    a.nome_linea = "Valmorana";
    a.nome_treno = "Corsola";
    memorizza_dati(a, descrizioni{linea, treno, true});
    EXPECT_EQ(a.codice_errore, 25);
    EXPECT_EQ(a.posizione_errore, 240000);
    EXPECT_EQ(a.percorso[0].velocita, 0);
    EXPECT_FALSE(std::filesystem::exists(linea));
    EXPECT_FALSE(std::filesystem::exists(treno));
  }
}

TEST(DescrizioneTreno, AKilometreReferenceOffTheFiftiesIsCode2AfterAll) {
  std::string linea = linea_con({});
  const std::string uno = "progressiva chilometrica uno,    0,    187550";
  linea.replace(linea.find(uno), uno.size(), "progressiva chilometrica uno,    0,    187525");
  struct caso { std::vector<std::string> righe; int32_t posizione; };
  const caso casi[] = {
      {{"velocita, 0, 100"}, 0},
      // replaces a code 15 and keeps its position
      {{"velocita, 0, 100", "segnale, 240000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 240000},
  };
  for (const caso& c : casi) {
    compilato k;
    leggi_testi(k, linea, treno_di(c.righe));
    EXPECT_EQ(k.a.codice_errore, 2);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
    EXPECT_EQ(k.a.percorso[0].velocita, 20);  // the completion ran first
  }
}

TEST(DescrizioneTreno, ALineCode15DoesNotStopTheTrainHalf) {
  compilato k;
  leggi_testi(k, linea_con({"pendenza, 240000, 0"}),
              treno_di({"segnale, 2500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "rallentamento, 216600, 80, 2000, 0, 1, 80",
                        "segnale, 11050, 2, 3, 1, 1, 0, 2, 2, 1, 1, 125", "abbattimento, 95700, 270",
                        stazione(0, 8, 400), "velocita, 0, 150"}));
  EXPECT_EQ(k.a.codice_errore, 15);
  EXPECT_EQ(k.a.posizione_errore, 240000);
  EXPECT_EQ(k.a.percorso[51].tipo, 1);
  EXPECT_EQ(k.a.percorso[4333].tipo, 3);
  EXPECT_EQ(k.a.percorso[222].tipo, 1);
  EXPECT_EQ(k.a.percorso[1914].tipo, 12);
  EXPECT_EQ(k.a.percorso[7].tipo, 10);
  EXPECT_EQ(k.a.percorso[0].velocita, 30);
}

// The line records a code 15 at 240000 first, so that `posizione_errore` shows
// whether a code set it, and places a speed board in cell 2001. A finishing
// code skips the completion (speed 0 in cell 0), code 15 runs it (speed 20);
// the rows after a code are never read, and a refused row writes no cell.
TEST(DescrizioneTreno, EveryCodeWithItsPositionAndWhatFollows) {
  const std::string segnale = "segnale, 2500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0";
  struct caso {
    const char* nome;
    std::vector<std::string> righe;
    int32_t codice, posizione;
    bool completata;
    int oggetti;  // cells holding an object afterwards
  };
  const caso casi[] = {
      {"no code of its own", {}, 15, 240000, true, 1},
      {"7", {segnale, "abbattimento, 2550, 270"}, 7, 2550, false, 2},
      {"8", {stazione(25, 8, 400)}, 8, 25, false, 1},
      {"9", {stazione(1000, 8, 450)}, 9, 1000, false, 1},
      {"15 speed", {"velocita, 234451, 100"}, 15, 234451, true, 1},
      // the sand test on the same field is not made: its value 5 stays unread
      {"15 ends the tests on its field", {"velocita sabbia, 234451, 100, 5"}, 15, 234451, true, 1},
      {"15 adhesion", {"aderenza, 234451, 100"}, 15, 234451, true, 1},
      {"15 signal", {"segnale, 234451, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 15, 234451, true, 1},
      {"15 slowdown", {"rallentamento, 234451, 80, 0, 0, 0, 0"}, 15, 234451, true, 1},
      {"15 abatement", {"abbattimento, 234451, 270"}, 15, 234451, true, 1},
      {"15 station", {stazione(233800, 8, 400)}, 15, 233800, true, 1},
      {"15 signal cell before cell 0", {"segnale, -100, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 15, -100, true, 1},
      {"15 abatement cell before cell 0", {"abbattimento, -100, 270"}, 15, -100, true, 1},
      {"15 slowdown end beyond the cells", {"rallentamento, 200000, 80, 100000, 0, 1, 80"}, 15, 200000, true, 1},
      {"15 slowdown end before cell 0", {"rallentamento, 2000, 80, -5000, 0, 1, 80"}, 15, 2000, true, 1},
      {"16", {"segnale, 100000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"}, 16, 100000, false, 1},
      {"17", {segnale, "rallentamento, 3700, 60, 500, 0, 1, 0"}, 17, 3700, false, 2},
      {"18", {segnale, "rallentamento, 2500, 60, 500, 0, 1, 0"}, 18, 2500, false, 2},
      {"19", {segnale, "rallentamento, 2000, 60, 500, 0, 1, 0"}, 19, 2000, false, 2},
      {"20", {segnale, "rallentamento, 3850, 60, 500, 0, 1, 60"}, 20, 3850, false, 5},
      {"22", {stazione(1000, 28, 200), stazione(1500, 28, 200)}, 22, 1500, false, 1},
      {"24", {stazione(0, 12, 200)}, 24, 240000, false, 1},
      {"25 a row that runs into the next", {"segnale, 2500, 2, 4"}, 25, 240000, false, 1},
      {"25 a field that is no number", {"velocita, 0, fast"}, 25, 240000, false, 1},
      {"25 a value too large for its field", {"sabbia, 40000"}, 25, 240000, false, 1},
      {"25 a station name too long for its count",
       {stazione(0, 28, 0, "0,0,0, 0,0, 0, 0,0,0, 0, 0, 0, 0, " + std::string(65536, 'x'))}, 25, 240000, false, 1},
      {"25 a station end outside 32 bits", {stazione(1000, 7, 2147483600)}, 25, 240000, false, 1},
      {"25 a station time outside 32 bits", {stazione(0, 28, 0, "0,0,0, 0,0, 0, 0,0,0, 0, 600000, 0, 0, S")}, 25,
       240000, false, 1},
  };
  const std::string linea =
      linea_con({"indicatori_v, 100000, 100, 0, 0, 1, 60, 0, 0, 1", "pendenza, 240000, 0"});
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    compilato k;
    std::vector<std::string> righe = {"velocita, 0, 100"};
    righe.insert(righe.end(), c.righe.begin(), c.righe.end());
    righe.push_back("sabbia, 2");
    leggi_testi(k, linea, treno_di(righe));
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
    EXPECT_EQ(k.a.percorso[0].velocita, c.completata ? 20 : 0);
    EXPECT_EQ(k.a.punti[86].valore_a, c.righe.empty() ? 2 : 0);
    int oggetti = 0;
    for (const cella_percorso& x : k.a.percorso) oggetti += x.tipo != 0;
    EXPECT_EQ(oggetti, c.oggetti);
    EXPECT_FALSE(std::filesystem::exists(k.cartella.percorso / "Valmorana_Corsola-.txt"));
  }
}

}  // namespace
