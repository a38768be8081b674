#include "tool/lettura_compilati.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/memorizza_percorso.h"
#include "compilati_di_prova.h"
#include "prova_compilazione.h"

using prova::byte_file;

namespace {

cella_percorso cella_segnale() {
  cella_percorso c;
  c.tipo = 1;
  c.valore_1 = 5121;
  c.valore_2 = -2;
  c.valore_3 = 11;
  c.valore_4 = 8;
  c.tempo = 125;
  c.marca = 81;
  c.montagna = 3;
  c.velocita = 30;
  c.pendenza = 255;
  c.aderenza = 7;
  return c;
}

bool uguali(const cella_percorso& a, const cella_percorso& b) {
  return a.tipo == b.tipo && a.valore_1 == b.valore_1 && a.valore_2 == b.valore_2 && a.valore_3 == b.valore_3 &&
         a.valore_4 == b.valore_4 && a.tempo == b.tempo && a.marca == b.marca && a.montagna == b.montagna &&
         a.velocita == b.velocita && a.pendenza == b.pendenza && a.aderenza == b.aderenza;
}

std::array<punto, numero_punti> tabella_di_prova() {
  std::array<punto, numero_punti> punti{};
  punto& s = punti[1];
  s.tipo = 8;
  s.inizio = -400;
  s.fine = 400;
  s.posizione = 0;
  s.scelta_a = 2;
  s.nome = "Borgo \xE8 Lago";  // a Windows-1252 byte in the name
  s.valore_a = -3;
  s.valore_e = 4;
  s.valore_f = 135;
  s.scelta_b = 1;
  s.orario = 67335;
  punti[2].tipo = 12;
  punti[2].posizione = 11900;  // a station without a name
  punti[80].nome = "VIETATO";
  punti[85].nome = "Valmorana";
  punti[85].valore_a = 610;
  punti[85].orario = -123456789;
  return punti;
}

}  // namespace

TEST(DecodificaCelle, ReadsTheFifteenByteLayoutLittleEndian) {
  byte_file b = {1, 0x01, 0x14, 0xFE, 0xFF, 11, 0, 8, 0, 125, 81, 3, 30, 255, 7};
  std::vector<cella_percorso> celle;
  ASSERT_FALSE(decodifica_celle(b, celle));
  ASSERT_EQ(celle.size(), 1u);
  EXPECT_TRUE(uguali(celle[0], cella_segnale()));

  std::vector<cella_percorso> scritte(40);
  scritte[7] = cella_segnale();
  scritte[39].valore_4 = -32768;
  ASSERT_FALSE(decodifica_celle(prova::byte_celle(scritte), celle));
  ASSERT_EQ(celle.size(), 40u);
  for (size_t i = 0; i < celle.size(); ++i) EXPECT_TRUE(uguali(celle[i], scritte[i])) << "cell " << i;
}

TEST(DecodificaCelle, ALengthOffTheRecordSizeFailsWhereTheLastCellStarts) {
  struct caso { size_t lunghezza; int64_t offset; const char* motivo; };
  const caso casi[] = {
      {0, 0, "no cells"},
      {14, 0, "cell 0 cut short: 14 of 15 bytes"},
      {52, 45, "cell 3 cut short: 7 of 15 bytes"},
      {70381, 70380, "cell 4692 cut short: 1 of 15 bytes"},
  };
  for (const caso& c : casi) {
    std::vector<cella_percorso> celle(3);
    auto g = decodifica_celle(byte_file(c.lunghezza, 0), celle);
    ASSERT_TRUE(g) << c.lunghezza;
    EXPECT_EQ(g->offset, c.offset) << c.lunghezza;
    EXPECT_NE(g->motivo.find(c.motivo), std::string::npos) << g->motivo;
    EXPECT_TRUE(celle.empty());
  }
}

TEST(DecodificaPunti, ReadsEightySevenCountedRecords) {
  auto scritti = tabella_di_prova();
  byte_file b = prova::byte_punti(scritti);
  // Every slot is 34 bytes plus its name.
  ASSERT_EQ(b.size(), 87u * 34 + 12 + 7 + 9);
  std::array<punto, numero_punti> punti;
  punti[3].nome = "left over from an earlier decoding";
  ASSERT_FALSE(decodifica_punti(b, punti));
  for (size_t i = 0; i < punti.size(); ++i) {
    const punto& a = punti[i];
    const punto& e = scritti[i];
    EXPECT_TRUE(a.tipo == e.tipo && a.inizio == e.inizio && a.fine == e.fine && a.posizione == e.posizione &&
                a.scelta_a == e.scelta_a && a.nome == e.nome && a.valore_a == e.valore_a &&
                a.valore_b == e.valore_b && a.valore_c == e.valore_c && a.valore_d == e.valore_d &&
                a.valore_e == e.valore_e && a.scelta_d == e.scelta_d && a.valore_f == e.valore_f &&
                a.scelta_c == e.scelta_c && a.scelta_b == e.scelta_b && a.orario == e.orario)
        << "slot " << i;
  }
  // Slot 85 by hand: the stamp 610 stands right after the 9 name bytes.
  size_t slot_85 = 85 * 34 + 12 + 7;
  EXPECT_EQ(b[slot_85 + 14], 9);
  EXPECT_EQ(b[slot_85 + 16 + 9], 610 & 0xFF);
  EXPECT_EQ(b[slot_85 + 17 + 9], 610 >> 8);
}

TEST(DecodificaPunti, HostileBytesFailAtTheFieldThatRunsPastTheEnd) {
  byte_file buono = prova::byte_punti(tabella_di_prova());
  size_t slot_2 = 2 * 34 + 12;  // slot 0 is empty, slot 1 holds a 12-byte name
  struct caso { const char* nome; byte_file byte; int64_t offset; const char* motivo; };
  auto tagliato = [&](size_t n) { return byte_file(buono.begin(), buono.begin() + static_cast<long>(n)); };
  auto con_conteggio = [&](uint16_t n) {
    byte_file b = buono;
    b[slot_2 + 14] = static_cast<uint8_t>(n);
    b[slot_2 + 15] = static_cast<uint8_t>(n >> 8);
    return b;
  };
  byte_file lungo = buono;
  lungo.push_back(0);
  lungo.push_back(0);
  const caso casi[] = {
      {"empty file", {}, 0, "slot 0 cut short at `tipo`"},
      {"inside inizio", tagliato(3), 1, "slot 0 cut short at `inizio`: needs 4 bytes, 2 left"},
      {"inside the name count", tagliato(slot_2 + 15), static_cast<int64_t>(slot_2 + 14),
       "slot 2 cut short at the count of `nome`"},
      {"name count past the end", con_conteggio(60000), static_cast<int64_t>(slot_2 + 14),
       "slot 2: `nome` counts 60000 bytes"},
      {"last orario cut", tagliato(buono.size() - 1), static_cast<int64_t>(buono.size() - 4),
       "slot 86 cut short at `orario`"},
      {"bytes after slot 86", lungo, static_cast<int64_t>(buono.size()), "2 bytes after slot 86"},
  };
  for (const caso& c : casi) {
    std::array<punto, numero_punti> punti;
    auto g = decodifica_punti(c.byte, punti);
    ASSERT_TRUE(g) << c.nome;
    EXPECT_EQ(g->offset, c.offset) << c.nome;
    EXPECT_NE(g->motivo.find(c.motivo), std::string::npos) << c.nome << ": " << g->motivo;
  }
  // A count that swallows the rest of the file exactly still leaves the later
  // slots without their bytes.
  std::array<punto, numero_punti> punti;
  auto g = decodifica_punti(con_conteggio(static_cast<uint16_t>(buono.size() - slot_2 - 16)), punti);
  ASSERT_TRUE(g);
  EXPECT_NE(g->motivo.find("slot 2 cut short at `valore_a`"), std::string::npos) << g->motivo;
}

TEST(DecodificaTracciato, SplitsTheElementsIntoTwoComponentsByTag) {
  piano_per_metro scritto = prova::disegna_piano(20, {{5, 10, 0.003}});
  byte_file b = prova::byte_tracciato(scritto);
  // Two components of 2 integers, 17 reals and 2 empty elements.
  ASSERT_EQ(b.size(), 2u * (2 * 4 + 17 * 10 + 2 * 2));
  EXPECT_EQ((byte_file{b.begin() + 8, b.begin() + 10}), (byte_file{5, 0}));
  piano_per_metro piano;
  ASSERT_FALSE(decodifica_tracciato(b, piano));
  EXPECT_EQ(piano.ultimo_metro, 20);
  for (size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(piano.tag[k], scritto.tag[k]);
    EXPECT_EQ(piano.valore[k], scritto.valore[k]);
  }
  EXPECT_EQ(piano.valore[1][1], 1.0);
  EXPECT_EQ(piano.tag[0][19], tag_vuoto);

  // Integers keep their sign.
  byte_file negativo = {2, 0, 0xFF, 0xFF, 0, 0};
  ASSERT_FALSE(decodifica_tracciato(negativo, piano));
  EXPECT_EQ(piano.ultimo_metro, 0);
  EXPECT_EQ(piano.valore[0][0], -1.0);
  EXPECT_EQ(piano.tag[1][0], tag_vuoto);
}

TEST(DecodificaTracciato, HostileBytesFailAtTheElementThatDoesNotFit) {
  byte_file nan;
  prova::metti_le(nan, 5, 2);
  prova::metti_f64(nan, std::numeric_limits<double>::quiet_NaN());
  prova::metti_le(nan, 0, 2);
  struct caso { const char* nome; byte_file byte; int64_t offset; const char* motivo; };
  const caso casi[] = {
      {"empty file", {}, 0, "no elements"},
      {"half a tag", {0, 0, 5}, 2, "element 1 cut short: its 2-byte tag"},
      {"unknown tag", {2, 0, 0, 0, 3, 0, 1, 0, 0, 0}, 4, "element 1: unknown tag 3"},
      {"tag with a high byte", {0, 0, 5, 1}, 2, "unknown tag 261"},
      {"real cut short", {0, 0, 5, 0, 1, 2, 3}, 2, "element 1 cut short: tag 5 needs 8 bytes, 3 left"},
      {"integer cut short", {2, 0, 7}, 0, "element 0 cut short: tag 2 needs 2 bytes, 1 left"},
      {"odd number of elements", {0, 0, 2, 0, 1, 0, 0, 0}, 8, "3 elements"},
      {"not a number", nan, 2, "element 0: not a finite number"},
  };
  for (const caso& c : casi) {
    piano_per_metro piano;
    auto g = decodifica_tracciato(c.byte, piano);
    ASSERT_TRUE(g) << c.nome;
    EXPECT_EQ(g->offset, c.offset) << c.nome;
    EXPECT_NE(g->motivo.find(c.motivo), std::string::npos) << c.nome << ": " << g->motivo;
  }
}

TEST(TipoDalNome, TellsTheKindAsTheWritersNameTheFiles) {
  struct caso { const char* nome; tipo_compilato tipo; };
  const caso casi[] = {
      {"Valmorana_linea.dat", tipo_compilato::tracciato},
      {"out/VALMORANA_LINEA.DAT", tipo_compilato::tracciato},
      {"Valmorana_Corsola.dat", tipo_compilato::celle},
      {"linea.dat", tipo_compilato::celle},  // a plan's name has the line's name before "_linea"
      {"Valmorana_Corsola.sim", tipo_compilato::punti},
      {"Valmorana_linea.txt", tipo_compilato::sconosciuto},
      {"dat", tipo_compilato::sconosciuto},
  };
  for (const caso& c : casi) EXPECT_EQ(tipo_dal_nome(c.nome), c.tipo) << c.nome;
}

TEST(MappaPunti, StationsRunUpFromSlotOneAndSignboardsDownFromEighty) {
  auto punti = tabella_di_prova();
  EXPECT_EQ(numero_stazioni(punti), 2);  // the nameless station at slot 2 counts
  EXPECT_EQ(numero_cartelli(punti), 1);
  punti[4].nome = "past a gap";  // not a station: slot 3 is empty
  EXPECT_EQ(numero_stazioni(punti), 2);
  std::array<punto, numero_punti> vuota{};
  EXPECT_EQ(numero_stazioni(vuota), 0);
  EXPECT_EQ(numero_cartelli(vuota), 0);
}

TEST(CaricaScenario, NamesTheFileThatFailsAndItsOffset) {
  cartella_temporanea prova_cartella;
  const std::filesystem::path& cartella = prova_cartella.percorso;
  prova::scrivi(cartella / "L_linea.dat", prova::byte_tracciato(prova::disegna_piano(30, {})));
  prova::scrivi(cartella / "L_T.sim", prova::byte_punti(tabella_di_prova()));
  prova::scrivi(cartella / "L_T.dat", byte_file(15 * 4, 0));

  scenario_compilato s;
  ASSERT_FALSE(carica_scenario(cartella, "L", "T", s));
  EXPECT_EQ(s.percorso.size(), 4u);
  EXPECT_EQ(s.punti[85].nome, "Valmorana");
  EXPECT_EQ(s.tracciato.ultimo_metro, 30);

  prova::scrivi(cartella / "L_T.dat", byte_file(15 * 4 + 2, 0));
  auto e = carica_scenario(cartella, "L", "T", s);
  ASSERT_TRUE(e);
  EXPECT_EQ(descrivi(*e), (cartella / "L_T.dat").string() +
                              ": error at byte offset 60: cell 4 cut short: 2 of 15 bytes (the file holds 62 bytes)");

  e = carica_scenario(cartella, "M", "T", s);
  ASSERT_TRUE(e);
  EXPECT_TRUE(e->errore_sistema);
  EXPECT_NE(descrivi(*e).find("M_linea.dat: "), std::string::npos);
}

TEST(CaricaScenario, ReadsBackEveryFieldTheCompilerWrote) {
  compilato c;
  compila_testi(c, linea_con({"curvad1,  1500,  900", "curvas3,  4000,  500", "pendenza,   0,    0", "pendenza, 3000, -12"}, 9000),
                treno_con({"velocita, 0, 150", "velocita, 5000, 90", "aderenza, 0, 3",
                           "stazione, 0, 8, 400, 1,0,0, 2,3,0, 1,1,4, 60, 18,42,15, Valmorana Centrale",
                           "stazione, 5000, 22, 300, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, Citt\xE0 Alta",
                           "rallentamento,  6600,    80, 1000, 0,  1,  80",
                           "segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
                           "segnale,   4050,   2, 3, 1,  1, 0,    2,  2,1,1, 125", "abbattimento, 2500, 270"}));
  ASSERT_EQ(c.a.codice_errore, 0);
  ASSERT_EQ(c.intestazione, 0);
  cartella_temporanea cartella;
  ASSERT_FALSE(scrivi_compilati(c.a, cartella.percorso));

  scenario_compilato s;
  ASSERT_FALSE(carica_scenario(cartella.percorso, "Valmorana", "Corsola", s));
  ASSERT_EQ(s.percorso.size(), c.a.percorso.size());
  for (size_t i = 0; i < s.percorso.size(); ++i) EXPECT_TRUE(uguali(s.percorso[i], c.a.percorso[i])) << "cell " << i;
  for (size_t i = 0; i < s.punti.size(); ++i) {
    const punto& a = s.punti[i];
    const punto& e = c.a.punti[i];
    EXPECT_TRUE(a.tipo == e.tipo && a.inizio == e.inizio && a.fine == e.fine && a.posizione == e.posizione &&
                a.scelta_a == e.scelta_a && a.nome == e.nome && a.valore_a == e.valore_a &&
                a.valore_b == e.valore_b && a.valore_c == e.valore_c && a.valore_d == e.valore_d &&
                a.valore_e == e.valore_e && a.scelta_d == e.scelta_d && a.valore_f == e.valore_f &&
                a.scelta_c == e.scelta_c && a.scelta_b == e.scelta_b && a.orario == e.orario)
        << "slot " << i;
  }
  EXPECT_EQ(s.punti[2].nome, "Citt\xE0 Alta");
  const piano_per_metro compilato = metri_del_piano(c.a.tracciato);
  EXPECT_EQ(s.tracciato.ultimo_metro, compilato.ultimo_metro);
  for (size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(s.tracciato.tag[k], compilato.tag[k]);
    EXPECT_EQ(s.tracciato.valore[k], compilato.valore[k]);
  }
  // What the fixture put where the worked examples say.
  EXPECT_EQ(s.percorso[51].tipo, 1);
  EXPECT_EQ(s.percorso[82].tempo, 125);
  EXPECT_EQ(s.percorso[50].tipo, 12);
  EXPECT_EQ(s.percorso[50].valore_1, 270);
}
