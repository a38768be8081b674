#include "tool/stampa_compilati.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compilati_di_prova.h"
#include "json_di_prova.h"

namespace {

std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> r;
  std::istringstream in(testo);
  for (std::string riga; std::getline(in, riga);) r.push_back(riga);
  return r;
}

std::vector<cella_percorso> celle_di_prova() {
  std::vector<cella_percorso> c(6);
  for (cella_percorso& k : c) {
    k.velocita = 30;
    k.pendenza = 100;
  }
  c[1].valore_1 = 5121;  // header stamp on plain track
  c[3].tipo = 1;
  c[3].valore_1 = 41;
  c[3].valore_4 = 8;
  c[4].marca = 84;
  c[5].montagna = 2;  // scenery of the stretch only
  return c;
}

std::array<punto, numero_punti> punti_di_prova() {
  std::array<punto, numero_punti> p{};
  p[1].tipo = 8;
  p[1].inizio = -400;
  p[1].fine = 400;
  p[1].nome = "Borgo \xE8 \"Lago\"";
  p[1].orario = 67335;
  p[2].tipo = 12;
  p[2].posizione = 11900;
  p[80].nome = "VIETATO";
  p[85].nome = "Valmorana";
  p[85].orario = 7200;  // a check code, not a time
  return p;
}

}  // namespace

TEST(StampaCelle, ShowsCellsWithAnObjectAMarkOrHeaderValuesUnlessAll) {
  std::string uscita;
  stampa_celle("L_T.dat", 90, celle_di_prova(), {}, uscita);
  std::vector<std::string> attese = {
      "L_T.dat: track cells 0 to 5 (6 cells, 90 bytes), 3 shown",
      "cell 1: tipo=0 valore_1=5121 valore_2=0 valore_3=0 valore_4=0 tempo=0 marca=0 montagna=0 velocita=30 "
      "pendenza=100 aderenza=0",
      "cell 3: tipo=1 valore_1=41 valore_2=0 valore_3=0 valore_4=8 tempo=0 marca=0 montagna=0 velocita=30 "
      "pendenza=100 aderenza=0",
      "cell 4: tipo=0 valore_1=0 valore_2=0 valore_3=0 valore_4=0 tempo=0 marca=84 montagna=0 velocita=30 "
      "pendenza=100 aderenza=0",
  };
  EXPECT_EQ(righe(uscita), attese);

  uscita.clear();
  stampa_celle("L_T.dat", 90, celle_di_prova(), {.tutto = true}, uscita);
  std::vector<std::string> tutte = righe(uscita);
  ASSERT_EQ(tutte.size(), 7u);
  EXPECT_EQ(tutte[0], "L_T.dat: track cells 0 to 5 (6 cells, 90 bytes), 6 shown");
  EXPECT_EQ(tutte[6],
            "cell 5: tipo=0 valore_1=0 valore_2=0 valore_3=0 valore_4=0 tempo=0 marca=0 montagna=2 velocita=30 "
            "pendenza=100 aderenza=0");

  uscita.clear();
  stampa_celle("L_T.dat", 90, celle_di_prova(), {.json = true}, uscita);
  EXPECT_TRUE(prova::json_valido(uscita)) << uscita;
  EXPECT_NE(uscita.find("{\"cell\": 3, \"tipo\": 1, \"valore_1\": 41, \"valore_2\": 0, \"valore_3\": 0, "
                        "\"valore_4\": 8, \"tempo\": 0, \"marca\": 0"),
            std::string::npos)
      << uscita;
  EXPECT_EQ(uscita.find("\"cell\": 5"), std::string::npos);
}

TEST(StampaPunti, NamesEachSlotByItsRoleAndQuotesTheName) {
  std::string uscita;
  stampa_punti("L_T.sim", 3000, punti_di_prova(), {}, uscita);
  std::vector<std::string> r = righe(uscita);
  ASSERT_EQ(r.size(), 5u) << uscita;
  EXPECT_EQ(r[0], "L_T.sim: point table, 87 slots (3000 bytes): 2 stations, 1 signboard texts, 4 shown");
  EXPECT_EQ(r[1],
            "slot 1 (station 1): tipo=8 inizio=-400 fine=400 posizione=0 scelta_a=0 nome=\"Borgo \xC3\xA8 \\\"Lago\\\"\" "
            "valore_a=0 valore_b=0 valore_c=0 valore_d=0 valore_e=0 scelta_d=0 valore_f=0 scelta_c=0 scelta_b=0 "
            "orario=67335 (18:42:15)");
  EXPECT_EQ(r[2].substr(0, 64), "slot 2 (station 2): tipo=12 inizio=0 fine=0 posizione=11900 scel");
  EXPECT_NE(r[2].find("nome=\"\" "), std::string::npos);
  EXPECT_EQ(r[3].substr(0, 29), "slot 80 (signboard text): tip");
  EXPECT_EQ(r[4].substr(0, 22), "slot 85 (line header):");
  EXPECT_TRUE(r[4].ends_with(" orario=7200")) << r[4];  // a check code, shown without a time of day
}

TEST(StampaPunti, JsonKeepsEveryByteOfTheName) {
  std::array<punto, numero_punti> p = punti_di_prova();
  p[3].nome = std::string("a\x01\x81\xE8", 4);
  std::string uscita;
  stampa_punti("L_T.sim", 3000, p, {.json = true, .tutto = true}, uscita);
  EXPECT_TRUE(prova::json_valido(uscita)) << uscita;
  EXPECT_NE(uscita.find("\"nome\": \"a\\u0001\\u0081\xC3\xA8\""), std::string::npos) << uscita;
  EXPECT_NE(uscita.find("\"nome\": \"Borgo \xC3\xA8 \\\"Lago\\\"\""), std::string::npos);
  EXPECT_NE(uscita.find("{\"slot\": 86, \"role\": \"train header\""), std::string::npos);
}

TEST(StampaTracciato, SummarisesThePlanAndSamplesItEveryNMetres) {
  piano_per_metro piano = prova::disegna_piano(4000, {{1500, 1000, 0.001}});
  std::string uscita;
  stampa_tracciato("L_linea.dat", 80012, piano, {.ogni = 1000}, uscita);
  std::vector<std::string> r = righe(uscita);
  ASSERT_EQ(r.size(), 12u) << uscita;
  EXPECT_EQ(r[0], "L_linea.dat: line plan, metres 0 to 4000 in 2 components (8002 elements, 80012 bytes)");
  EXPECT_EQ(r[1], "  component 0 (x): 2 integer, 3997 real, 2 empty");
  EXPECT_EQ(r[3], "  points: 3999 metres, from metre 0 to 3998");
  EXPECT_EQ(r[6], "  turn of the heading: net +1.000000 rad (+57.296 deg), total 1.000000 rad (57.296 deg)");
  EXPECT_EQ(r[7], "metre 0: x=0.000 y=0.000");
  EXPECT_EQ(r[8], "metre 1000: x=0.000 y=1000.000 heading=0.000000 rad (0.000 deg)");
  EXPECT_EQ(r[10].substr(0, 11), "metre 3000:");
  EXPECT_EQ(r[11], "metre 4000: empty");

  uscita.clear();
  stampa_tracciato("L_linea.dat", 80012, piano, {.json = true, .ogni = 1000}, uscita);
  EXPECT_TRUE(prova::json_valido(uscita)) << uscita;
  EXPECT_NE(uscita.find("{\"metre\": 4000, \"x\": null, \"y\": null, \"heading_rad\": null}"), std::string::npos);
  EXPECT_NE(uscita.find("\"tags\": [{\"component\": 0, \"empty\": 2, \"integer\": 2, \"real\": 3997}"),
            std::string::npos);

  uscita.clear();
  stampa_tracciato("L_linea.dat", 80012, piano, {.tutto = true}, uscita);
  EXPECT_EQ(righe(uscita).size(), 7u + 4001u);
}
