// The finishing pass on small hand-set workspaces, and the header stamps.
#include "finish/passata_finale.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "prova_compilazione.h"

namespace {

struct oggetto { int32_t cella; int tipo; int valore_1; };
using abbattimenti = std::vector<std::pair<int32_t, int>>;  // cell, code value

// Cells 0 to 140 (a line of length 0) holding the given objects.
area_lavoro con_oggetti(const std::vector<oggetto>& oggetti) {
  area_lavoro a;
  dimensiona(a, 0);
  for (const oggetto& o : oggetti) {
    a.percorso[o.cella].tipo = static_cast<uint8_t>(o.tipo);
    a.percorso[o.cella].valore_1 = static_cast<int16_t>(o.valore_1);
  }
  return a;
}

abbattimenti di(const area_lavoro& a) {
  abbattimenti trovati;
  for (size_t i = 0; i < a.percorso.size(); ++i) {
    if (a.percorso[i].tipo == 12) trovati.push_back({static_cast<int32_t>(i), a.percorso[i].valore_1});
  }
  return trovati;
}

struct caso {
  const char* nome;
  std::vector<oggetto> oggetti;
  abbattimenti attesi;
  int32_t codice = 0;
  int32_t posizione = 0;
};

void prova(const caso& c) {
  SCOPED_TRACE(c.nome);
  area_lavoro a = con_oggetti(c.oggetti);
  passata_finale(a);
  EXPECT_EQ(di(a), c.attesi);
  EXPECT_EQ(a.codice_errore, c.codice);
  EXPECT_EQ(a.posizione_errore, c.posizione);
}

constexpr int segnale = 1, fine = 2, inizio = 3, avviso = 4, stazione = 10, abbattimento = 12;

TEST(PassataFinale, SignalsBeforeAWarning) {
  const caso casi[] = {
      {"signal 5, warning 20", {{5, segnale, 0}, {20, avviso, 0}}, {{4, 180}}},
      {"the nearer cell an abatement of 270: capped",
       {{5, segnale, 0}, {20, avviso, 0}, {4, abbattimento, 270}, {3, stazione, 1}}, {{4, 180}}},
      {"the nearer cell an abatement of 120: kept",
       {{5, segnale, 0}, {20, avviso, 0}, {4, abbattimento, 120}, {3, stazione, 1}}, {{4, 120}}},
      {"the farther cell an abatement: capped",
       {{5, segnale, 0}, {20, avviso, 0}, {4, stazione, 1}, {3, abbattimento, 270}}, {{3, 180}}},
      {"no room: 11", {{5, segnale, 0}, {20, avviso, 0}, {4, stazione, 1}, {3, stazione, 2}}, {}, 11, 250},
      {"a signal in cell 2 is never protected", {{2, segnale, 0}, {10, avviso, 0}}, {}},
      {"a signal in cell 3 can reach cell 1", {{3, segnale, 0}, {10, avviso, 0}, {2, stazione, 1}}, {{1, 180}}},
      {"every signal of the 20 cells before",
       {{9, segnale, 0}, {12, segnale, 0}, {15, segnale, 0}, {30, avviso, 0}}, {{11, 180}, {14, 180}}},
      {"a warning in cell P - 1 is not visited", {{135, segnale, 0}, {139, avviso, 0}}, {}},
      {"a warning in cell P - 2 is", {{135, segnale, 0}, {138, avviso, 0}}, {{134, 180}}},
  };
  for (const caso& c : casi) prova(c);
}

TEST(PassataFinale, ApproachTriplesBeforeASlowdownStart) {
  const caso casi[] = {
      {"start in cell 7: none", {{7, inizio, 110}, {9, fine, 110}}, {}},
      {"start in cell 8: the first triple only", {{8, inizio, 110}, {10, fine, 110}}, {{3, 180}}},
      {"the first candidate taken", {{8, inizio, 110}, {10, fine, 110}, {3, stazione, 1}}, {{2, 180}}},
      {"start in cell 14: two triples", {{14, inizio, 110}, {16, fine, 110}}, {{3, 180}, {9, 180}}},
      {"start in cell 30: three triples", {{30, inizio, 110}, {32, fine, 110}}, {{12, 180}, {19, 180}, {25, 180}}},
      {"an abatement in a candidate is not free and not capped",
       {{30, inizio, 110}, {32, fine, 110}, {25, abbattimento, 270}},
       {{12, 180}, {19, 180}, {24, 180}, {25, 270}}},
      {"no room in a triple: 12",
       {{30, inizio, 110}, {32, fine, 110}, {25, stazione, 1}, {24, stazione, 2}, {23, stazione, 3}},
       {{12, 180}, {19, 180}}, 12, 1500},
      {"the pass goes on after a code; the last one stays",
       {{5, segnale, 0}, {20, avviso, 0}, {4, stazione, 1}, {3, stazione, 2},
        {30, inizio, 110}, {32, fine, 110}, {25, stazione, 3}, {24, stazione, 4}, {23, stazione, 5}},
       {{12, 180}, {19, 180}}, 12, 1500},
  };
  for (const caso& c : casi) prova(c);
}

TEST(PassataFinale, SpacingInsideASlowSlowdown) {
  const caso casi[] = {
      // the counter reaches 8 on the end cell at +40, so the cell before takes it
      {"speed 80, end 40 cells on", {{10, inizio, 80}, {50, fine, 80}},
       {{5, 180}, {18, 180}, {26, 180}, {34, 180}, {42, 180}, {49, 180}}},
      {"speed 109", {{10, inizio, 109}, {50, fine, 109}},
       {{5, 180}, {18, 180}, {26, 180}, {34, 180}, {42, 180}, {49, 180}}},
      {"speed 110: no spacing", {{10, inizio, 110}, {50, fine, 110}}, {{5, 180}}},
      {"moved to the cell before: the next 8 cells after it", {{10, inizio, 80}, {50, fine, 80}, {18, stazione, 1}},
       {{5, 180}, {17, 180}, {25, 180}, {33, 180}, {41, 180}, {49, 180}}},
      {"moved to the cell after: the next 8 cells after it",
       {{10, inizio, 80}, {50, fine, 80}, {18, stazione, 1}, {17, stazione, 2}},
       {{5, 180}, {19, 180}, {27, 180}, {35, 180}, {43, 180}}},
      {"no room: 13, and no more in this slowdown",
       {{10, inizio, 80}, {50, fine, 80}, {17, stazione, 1}, {18, stazione, 2}, {19, stazione, 3}},
       {{5, 180}}, 13, 900},
      // the walk stops at P and never looks beyond it
      {"no end cell: the walk stops at P", {{130, inizio, 80}, {140, segnale, 0}},
       {{112, 180}, {119, 180}, {125, 180}, {138, 180}, {139, 180}}},
      {"no room at P: 13", {{132, inizio, 80}, {139, stazione, 1}, {140, stazione, 2}},
       {{114, 180}, {121, 180}, {127, 180}}, 13, 7000},
  };
  for (const caso& c : casi) prova(c);
}

TEST(PassataFinale, TheSignalAfterASlowdown) {
  const caso casi[] = {
      {"signal 5 cells after the end", {{10, inizio, 80}, {20, fine, 80}, {25, segnale, 0}},
       {{5, 180}, {18, 180}, {24, 180}}},
      {"12 cells after", {{10, inizio, 80}, {20, fine, 80}, {32, segnale, 0}}, {{5, 180}, {18, 180}, {31, 180}}},
      {"13 cells after: none", {{10, inizio, 80}, {20, fine, 80}, {33, segnale, 0}}, {{5, 180}, {18, 180}}},
      {"only the first signal", {{10, inizio, 80}, {20, fine, 80}, {25, segnale, 0}, {28, segnale, 0}},
       {{5, 180}, {18, 180}, {24, 180}}},
      {"the second cell before it", {{10, inizio, 80}, {20, fine, 80}, {25, segnale, 0}, {24, stazione, 1}},
       {{5, 180}, {18, 180}, {23, 180}}},
      {"no room: 13 at the end cell",
       {{10, inizio, 80}, {20, fine, 80}, {25, segnale, 0}, {24, stazione, 1}, {23, stazione, 2}},
       {{5, 180}, {18, 180}}, 13, 1000},
      // a fast slowdown looks ahead from the first end cell after its start
      {"fast: from its end cell", {{10, inizio, 120}, {20, fine, 120}, {25, segnale, 0}}, {{5, 180}, {24, 180}}},
      {"fast, the end far away", {{10, inizio, 120}, {100, fine, 120}, {15, segnale, 0}, {105, segnale, 0}},
       {{5, 180}, {104, 180}}},
      {"fast without an end cell: no look-ahead", {{10, inizio, 120}, {15, segnale, 0}}, {{5, 180}}},
  };
  for (const caso& c : casi) prova(c);
}

// Hand-summed from the code text "corsolavalmorana" + "ccddffggh" (the first
// 25 characters of the train name, the line name and the padding):
//   c o r s o l a v a l m o r a n a = 99+111+114+115+111+108+97+118+97+108+109+111+114+97+110+97 = 1716
//   c c d d f f g g h               = 99+99+100+100+102+102+103+103+104                         =  912
constexpr int32_t og_valmorana_corsola = 1716 + 912;
//   1*99 + 2*111 + 3*114 + 4*115 + 5*111 + 6*108 + 7*97 + 8*118 + 9*97 + 10*108 + 11*109 + 12*111
//   + 13*114 + 14*97 + 15*110 + 16*97 = 99+222+342+460+555+648+679+944+873+1080+1199+1332+1482+1358+1650+1552
//   = 14475; then 17*99 + 18*99 + 19*100 + 20*100 + 21*102 + 22*102 + 23*103 + 24*103 + 25*104
//   = 1683+1782+1900+2000+2142+2244+2369+2472+2600 = 19192
constexpr int32_t st_valmorana_corsola = 14475 + 19192;

area_lavoro con_nomi(const std::string& linea, const std::string& treno) {
  area_lavoro a;
  dimensiona(a, 0);
  a.punti[85].nome = linea;
  a.punti[86].nome = treno;
  return a;
}

TEST(Intestazione, StampsTheHeaderPlaces) {
  area_lavoro a = con_nomi("Valmorana", "Corsola");
  ASSERT_EQ(timbra_intestazione(a), 0);
  EXPECT_EQ(a.percorso[1].valore_1, 5121);
  EXPECT_EQ(a.percorso[1].valore_2, og_valmorana_corsola);
  EXPECT_EQ(a.punti[85].valore_a, 610);
  EXPECT_EQ(a.punti[85].orario, st_valmorana_corsola);
}

int32_t codice_st(const std::string& linea, const std::string& treno) {
  area_lavoro a = con_nomi(linea, treno);
  timbra_intestazione(a);
  return a.punti[85].orario;
}

TEST(Intestazione, CheckCodesFollowTheNamesRule) {
  struct caso { const char* nome; int32_t uno, altro; bool stessi; };
  const caso casi[] = {
      {"upper case counts as lower case", codice_st("VALMORANA", "CORSOLA"), codice_st("Valmorana", "Corsola"), true},
      {"the train name comes first", codice_st("Corsola", "Valmorana"), codice_st("Valmorana", "Corsola"), false},
      {"only the first 25 characters count", codice_st("Valmoranaxxxxxxxxxxxxxx", "Corsola"),
       codice_st("Valmoranaxxxxxxxxxxxyyy", "Corsola"), true},
  };
  for (const caso& c : casi) EXPECT_EQ(c.uno == c.altro, c.stessi) << c.nome;
  // 25 characters of names: the padding does not count.
  area_lavoro lungo = con_nomi("abcdefghijklmnopqrstuvwxy", "");
  timbra_intestazione(lungo);
  EXPECT_EQ(lungo.percorso[1].valore_2, (97 + 121) * 25 / 2);  // a (97) to y (121)
  // Two empty names: the padding less its last letter.
  area_lavoro vuoto = con_nomi("", "");
  timbra_intestazione(vuoto);
  EXPECT_EQ(vuoto.percorso[1].valore_2,
            2 * (99 + 100 + 102 + 103 + 104 + 107 + 109 + 112 + 113 + 114 + 116 + 118) + 119);
}

TEST(Intestazione, ATakenPlaceIsRefused) {
  struct caso { const char* nome; void (*prepara)(area_lavoro&); int32_t atteso; };
  const caso casi[] = {
      {"slot 85 valore_a", [](area_lavoro& a) { a.punti[85].valore_a = 1; }, 1250},
      {"cell 1 valore_1", [](area_lavoro& a) { a.percorso[1].valore_1 = -1; }, 1250},
      {"slot 85 orario", [](area_lavoro& a) { a.punti[85].orario = 1; }, 1251},
      {"cell 1 valore_2", [](area_lavoro& a) { a.percorso[1].valore_2 = 7; }, 1251},
  };
  for (const caso& c : casi) {
    area_lavoro a = con_nomi("Valmorana", "Corsola");
    c.prepara(a);
    EXPECT_EQ(timbra_intestazione(a), c.atteso) << c.nome;
  }
}

// Rows that leave a value in cell 1, directly or through the pass.
TEST(Intestazione, RowsThatTakeCellOne) {
  struct caso { const char* nome; std::vector<std::string> righe; int32_t atteso; int valore_1; };  // cell 1 afterwards
  const caso casi[] = {
      {"an abatement at 50", {"abbattimento, 50, 270"}, 1250, 270},
      {"an abatement at 50 without a code value", {"abbattimento, 50, 0"}, 0, 5121},
      // the warning rule: the signal in cell 3, cell 2 taken, so cell 1 gets 180
      {"the warning rule", {"segnale, 100, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0", "abbattimento, 100, 0",
                            "rallentamento, 1550, 110, 500, 0, 0, 0"}, 1250, 180},
      // the first approach triple of a start in cell 8 with cells 3 and 2 taken
      {"the approach triple", {"abbattimento, 100, 0", "abbattimento, 150, 0",
                               "rallentamento, 350, 110, 500, 0, 0, 0"}, 1250, 180},
      // a slowdown starting in cell 1 at speed 0 writes d_v into valore_2 only
      {"a slowdown's d_v", {"rallentamento, 0, 0, 500, 0, 0, 7"}, 1251, 5121},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string treno = "[generale]\r\n";
    for (const std::string& r : c.righe) treno += r + "\r\n";
    compilato k;
    compila_testi(k, linea_con({}), treno + "[fine]\r\n", 0);
    EXPECT_EQ(k.intestazione, c.atteso);
    EXPECT_EQ(k.a.codice_errore, 0);
    EXPECT_EQ(k.a.punti[85].valore_a, c.atteso == 1250 ? 0 : 610);
    EXPECT_EQ(k.a.percorso[1].valore_1, c.valore_1);
  }
}

}  // namespace
