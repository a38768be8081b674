// Station rows read from a train description: the slot, the area by kind, the
// end-marker cell and marks, and the checks in their order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

std::string treno_di(const std::vector<std::string>& righe) {
  std::string testo = "[generale]\r\n";
  for (const std::string& r : righe) testo += r + "\r\n";
  return testo + "[fine]\r\n";
}

// Stations of kind 28 and length 0 every 400 m from 0: they write no cell.
std::vector<std::string> stazioni_in_fila(int quante) {
  std::vector<std::string> righe;
  for (int i = 0; i < quante; ++i) righe.push_back(stazione(400 * i, 28, 0));
  return righe;
}

std::string cartelli(int quanti) {
  std::string testo;
  for (int i = 1; i <= quanti; ++i) testo += "cartello_indicatore, " + std::to_string(1000 * i) + ", (t" + std::to_string(i) + ")\r\n";
  return testo;
}

TEST(Stazioni, TheFirstStationClearsTwoFieldsAndMarksItsEnd) {
  compilato k;
  leggi_testi(k, linea_con({}),
              treno_di({stazione(0, 8, 400, "1, 2, 1,  5, 6,  3,  7, 8, 9,  135,  18, 42, 15,  Valmorana")}));
  ASSERT_EQ(k.a.codice_errore, 0);
  const punto& p = k.a.punti[1];
  EXPECT_EQ(p.tipo, 8);
  EXPECT_EQ(p.posizione, 0);
  EXPECT_EQ(p.inizio, -400);
  EXPECT_EQ(p.fine, 400);
  EXPECT_EQ(p.scelta_a, 1);
  EXPECT_EQ(p.scelta_b, 0);
  EXPECT_EQ(p.scelta_c, 0);
  EXPECT_EQ(p.valore_a, 5);
  EXPECT_EQ(p.valore_b, 6);
  EXPECT_EQ(p.scelta_d, 3);
  EXPECT_EQ(p.valore_c, 7);
  EXPECT_EQ(p.valore_d, 8);
  EXPECT_EQ(p.valore_e, 9);
  EXPECT_EQ(p.valore_f, 135);
  EXPECT_EQ(p.orario, (18 * 60 + 42) * 60 + 15);
  EXPECT_EQ(p.nome, "Valmorana");
  EXPECT_EQ(k.a.percorso[7].tipo, 10);
  EXPECT_EQ(k.a.percorso[7].valore_1, 1);
  const int marche[] = {0, 0, 0, 84, 83, 82, 81, 0, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(k.a.percorso[i].marca, marche[i]) << "cell " << i;
}

TEST(Stazioni, TheFirstStationsExtensionFlagStillLengthensItsArea) {
  compilato k;
  leggi_testi(k, linea_con({}), treno_di({stazione(10000, 12, 800, "0, 2, 1,  0, 0,  0,  0, 0, 0,  0,  0, 0, 0,  S")}));
  ASSERT_EQ(k.a.codice_errore, 0);
  EXPECT_EQ(k.a.punti[1].fine, 10450);
  EXPECT_EQ(k.a.punti[1].scelta_b, 0);
  EXPECT_EQ(k.a.punti[1].scelta_c, 0);
  EXPECT_EQ(k.a.percorso[208].tipo, 10);
}

// Each station follows a first one of kind 28 at 0, so the first-station
// clearing does not apply; fields 5 and 6 are read as 2 and 1.
TEST(Stazioni, AreaEndMarkerAndMarksByKind) {
  struct caso {
    int32_t posizione; int tipo; int32_t lunghezza;
    int32_t inizio, fine; int scelta_b, scelta_c;
    int32_t segnacella;  // -1: no end-marker cell
    bool marche;
  };
  const caso casi[] = {
      {10000, 12, 400, 9800, 10250, 0, 1, 204, true},     // extension flag adds 50; below 600 clears field 5
      {211650, 12, 600, 211350, 212000, 2, 1, 4239, true},
      {10000, 5, 500, 9500, 10150, 0, 0, 202, false},
      {10000, 6, 600, 9400, 10150, 2, 0, 202, false},
      {10000, 7, 400, 9600, 10400, 0, 0, 207, true},
      {10000, 8, 1000, 9000, 11000, 2, 0, 219, true},
      {10000, 24, 400, 9800, 10250, 0, 1, 204, true},
      {10000, 25, 400, 9800, 10250, 0, 1, -1, false},
      {10000, 28, 800, 9600, 10450, 2, 1, -1, false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE("kind " + std::to_string(c.tipo) + " at " + std::to_string(c.posizione));
    compilato k;
    leggi_testi(k, linea_con({}),
                treno_di({stazione(0, 28, 0),
                          stazione(c.posizione, c.tipo, c.lunghezza, "0, 2, 1,  0, 0,  0,  0, 0, 0,  0,  0, 0, 0,  S")}));
    ASSERT_EQ(k.a.codice_errore, 0);
    const punto& p = k.a.punti[2];
    EXPECT_EQ(p.inizio, c.inizio);
    EXPECT_EQ(p.fine, c.fine);
    EXPECT_EQ(p.scelta_b, c.scelta_b);
    EXPECT_EQ(p.scelta_c, c.scelta_c);
    int segnacelle = 0, marcate = 0;
    for (const cella_percorso& x : k.a.percorso) {
      segnacelle += x.tipo != 0;
      marcate += x.marca != 0;
    }
    EXPECT_EQ(segnacelle, c.segnacella < 0 ? 0 : 1);
    EXPECT_EQ(marcate, c.marche ? 4 : 0);
    if (c.segnacella >= 0) {
      EXPECT_EQ(k.a.percorso[c.segnacella].tipo, 10);
      EXPECT_EQ(k.a.percorso[c.segnacella].valore_1, 2);
    }
    if (c.marche) {
      for (int b = 1; b <= 4; ++b) EXPECT_EQ(k.a.percorso[c.segnacella - b].marca, 80 + b);
    }
  }
}

TEST(Stazioni, MarksBelowCellTwoAreLeftOut) {
  compilato k;
  leggi_testi(k, linea_con({}), treno_di({stazione(0, 12, 400)}));
  ASSERT_EQ(k.a.codice_errore, 0);
  EXPECT_EQ(k.a.percorso[3].tipo, 10);
  EXPECT_EQ(k.a.percorso[2].marca, 81);
  EXPECT_EQ(k.a.percorso[1].marca, 0);
  EXPECT_EQ(k.a.percorso[0].marca, 0);
}

// The line records a code 15 at 240000 first, so that a check that leaves
// `posizione_errore` unchanged shows it.
TEST(Stazioni, ChecksComeInTheirOrder) {
  const std::string linea = linea_con({"pendenza, 240000, 0"});
  std::vector<std::string> troppo_vicina = stazioni_in_fila(78);
  troppo_vicina.push_back(stazione(400 * 77 + 300, 28, 0));
  struct caso { const char* nome; std::vector<std::string> righe; int32_t codice; int32_t posizione; };
  const caso casi[] = {
      {"15 beyond the cells", {stazione(233800, 8, 400)}, 15, 233800},
      {"15 before 8", {stazione(233775, 8, 450)}, 15, 233775},
      {"the last accepted position", {stazione(233750, 28, 400)}, 15, 240000},
      {"8", {stazione(25, 8, 400)}, 8, 25},
      {"8 before 9", {stazione(25, 8, 450)}, 8, 25},
      {"9", {stazione(1000, 8, 450)}, 9, 1000},
      {"9 before 24", {stazione(0, 12, 250)}, 9, 0},
      {"24", {stazione(0, 12, 200)}, 24, 240000},
      {"24 on a negative cell", {stazione(0, 12, -400)}, 24, 240000},
      {"24 before 22", {stazione(0, 28, 2000), stazione(0, 12, 200)}, 24, 240000},
      {"350 m apart", {stazione(1000, 28, 200), stazione(1550, 28, 200)}, 15, 240000},
      {"300 m apart: 22", {stazione(1000, 28, 200), stazione(1500, 28, 200)}, 22, 1500},
      {"out of line order: 22", {stazione(5000, 28, 200), stazione(1000, 28, 200)}, 22, 1000},
      // inizio -2147483400: the spacing test must not wrap at 32 bits
      {"22 far before the line", {stazione(0, 28, 0), stazione(0, 5, 2147483400)}, 22, 0},
      {"78 stations", stazioni_in_fila(78), 15, 240000},
      {"the 79th, last: 10", stazioni_in_fila(79), 10, 240000},
      {"22 before 10", troppo_vicina, 22, 400 * 77 + 300},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    compilato k;
    leggi_testi(k, linea, treno_di(c.righe));
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
  }
}

TEST(Stazioni, WhatARefusedStationLeaves) {
  {
    SCOPED_TRACE("10: the 79th station is written, the completion does not run");
    compilato k;
    std::vector<std::string> righe = {"velocita, 0, 100"};
    for (const std::string& r : stazioni_in_fila(79)) righe.push_back(r);
    leggi_testi(k, linea_con({}), treno_di(righe));
    EXPECT_EQ(k.a.codice_errore, 10);
    EXPECT_EQ(k.a.punti[78].posizione, 400 * 77);
    EXPECT_EQ(k.a.punti[79].posizione, 400 * 78);
    EXPECT_EQ(k.a.percorso[0].velocita, 0);
  }
  {
    SCOPED_TRACE("15 on the end-marker cell: nothing written, the completion runs");
    compilato k;
    // fine 234650: end-marker cell 4692, one beyond P = 4691; marks would be 4688..4691
    leggi_testi(k, linea_con({}), treno_di({"velocita, 0, 100", stazione(233750, 8, 900)}));
    EXPECT_EQ(k.a.codice_errore, 15);
    EXPECT_EQ(k.a.posizione_errore, 233750);
    for (int i = 4688; i <= 4691; ++i) EXPECT_EQ(k.a.percorso[i].marca, 0) << "cell " << i;
    EXPECT_EQ(k.a.punti[1].posizione, 233750);
    EXPECT_EQ(k.a.punti[1].tipo, 8);
    EXPECT_EQ(k.a.percorso[0].velocita, 20);
  }
  {
    SCOPED_TRACE("22: the slot and the cells are already written");
    compilato k;
    leggi_testi(k, linea_con({}), treno_di({stazione(10000, 8, 400), stazione(10400, 12, 400)}));
    EXPECT_EQ(k.a.codice_errore, 22);
    EXPECT_EQ(k.a.punti[2].posizione, 10400);
    EXPECT_EQ(k.a.percorso[211].tipo, 10);
    EXPECT_EQ(k.a.percorso[211].valore_1, 2);
  }
}

TEST(Stazioni, StayBelowTheSignboardSlots) {
  struct caso { int cartelli; int stazioni; int32_t codice; };
  const caso casi[] = {
      {2, 76, 0}, {2, 77, 10},   // the embedded line's two signboards leave slots 1 to 76
      {79, 1, 10},               // slot 1 is free but the next station number reaches the limit
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.cartelli) + " signboards, " + std::to_string(c.stazioni) + " stations");
    compilato k;
    leggi_testi(k, generale() + cartelli(c.cartelli) + "[fine]\r\n", treno_di(stazioni_in_fila(c.stazioni)));
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.punti[static_cast<size_t>(c.stazioni)].posizione, 400 * (c.stazioni - 1));
    EXPECT_EQ(k.a.punti[static_cast<size_t>(80 - c.cartelli + 1)].nome, "(t" + std::to_string(c.cartelli) + ")");
  }
}

TEST(Stazioni, ASlotHoldingASignboardTextIsNeverOverwritten) {
  compilato c;
  leggi_testi(c, generale() + cartelli(80) + "[fine]\r\n", treno_di({stazione(10000, 8, 400)}));
  EXPECT_EQ(c.a.codice_errore, 10);
  EXPECT_EQ(c.a.posizione_errore, 0);
  EXPECT_EQ(c.a.punti[1].nome, "(t80)");
  EXPECT_EQ(c.a.punti[1].posizione, 0);
  EXPECT_EQ(c.a.percorso[207].tipo, 0);
}

}  // namespace
