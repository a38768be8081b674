// A train description laid out like the embedded one (its first and last
// stations, the signals at 2500 and 11050, the slowdown at 216600, the
// abatement at 95700, its speed and adhesion rows), compiled in process and by
// `scenario compile`; and the ways in which the order of the rows matters.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

// The line's two signboards leave the stations slots 1 to 76.
std::string linea_esempio() {
  return linea_con({"pendenza,   0,    0", "cartello_indicatore, 179600, (Valmorana)(km 179)(uscita)",
                    "cartello_indicatore, 205400, (Corsola)(km 205)(deviata per Lanzo)"});
}

// 38 stations: the first and the last as embedded, 36 of kind 28 (no cells) between.
std::string treno_esempio() {
  std::vector<std::string> r = {
      "[generale]", "percentuale massa frenata,  85", "numero vetture,  9",
      "orologio,    18              42            15 ", "sabbia,  1",
      "[aderenze]", "aderenza,   0,  90", "aderenza,  33900,  80", "aderenza, 215650,  75",
      "[vel_limite]", "velocita,   0,  150", "velocita,  28450,  160", "velocita, 224800,  115",
      "[stazioni]", stazione(0, 8, 400, "1, 2, 1,  0, 0,  0,  0, 0, 0,  0,  18, 42, 15,  Valmorana")};
  for (int k = 1; k <= 36; ++k) r.push_back(stazione(6000 * k, 28, 200));
  r.push_back(stazione(227550, 6, 500, "0, 0, 0,  2, 0,  1,  0, 0, 0,  0,  21, 3, 0,  Corsola"));
  for (const char* x : {"[rallentamenti]", "rallentamento, 216600,  80, 2000, 0, 1, 80", "[segnali]",
                        "segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
                        "segnale,   11050,   2, 3, 1,  1, 0,    2,  2,1,1, 125", "[codici]",
                        "abbattimento,   95700,   270", "[fine]"}) {
    r.push_back(x);
  }
  std::string testo;
  for (const std::string& x : r) testo += x + "\r\n";
  return testo;
}

// One cell as the track cell file stores it.
struct cella_letta { int tipo, valore_1, valore_2, valore_3, valore_4, tempo, marca, velocita, pendenza, aderenza; };

int16_t i16(const std::string& b, size_t at) {
  return static_cast<int16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
int32_t i32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return static_cast<int32_t>(v);
}

cella_letta cella_da(const std::string& dat, size_t i) {
  const size_t o = 15 * i;
  auto u8 = [&](size_t k) { return static_cast<int>(static_cast<unsigned char>(dat[o + k])); };
  return {u8(0), i16(dat, o + 1), i16(dat, o + 3), i16(dat, o + 5), i16(dat, o + 7), u8(9), u8(10), u8(12), u8(13),
          u8(14)};
}

cella_letta cella_da(const area_lavoro& a, size_t i) {
  const cella_percorso& c = a.percorso[i];
  return {c.tipo, c.valore_1, c.valore_2, c.valore_3, c.valore_4, c.tempo, c.marca, c.velocita, c.pendenza, c.aderenza};
}

// The cells this description must give, checked on either source.
template <typename Sorgente>
void controlla_celle(const Sorgente& s) {
  struct atteso { size_t cella; int tipo, valore_1, valore_2, valore_3, valore_4, tempo; };
  const atteso oggetti[] = {
      {7, 10, 1, 0, 0, 0, 0},                                          // the first station's end marker
      {4553, 10, 38, 0, 0, 0, 0},                                      // the last station's
      {222, 1, 32, 11, 11, 8, 125}, {51, 1, 41, 0, 0, 8, 0},           // the signals
      {4309, 4, 80, 80, 0, 0, 0}, {4333, 3, 80, 80, 0, 0, 0}, {4373, 2, 80, 80, 0, 0, 0},
      {4308, 5, 1, 1, 0, 0, 0}, {4307, 5, 2, 2, 0, 0, 0}, {4306, 5, 3, 3, 0, 0, 0}, {4305, 5, 4, 4, 0, 0, 0},
      {1914, 12, 270, 0, 0, 0, 0},                                     // the abatement
      {3593, 14, 80, 0, 0, 0, 0}, {4109, 14, 79, 0, 0, 0, 0},          // the signboards
  };
  for (const atteso& o : oggetti) {
    const cella_letta c = cella_da(s, o.cella);
    EXPECT_EQ(c.tipo, o.tipo) << "cell " << o.cella;
    EXPECT_EQ(c.valore_1, o.valore_1) << "cell " << o.cella;
    EXPECT_EQ(c.valore_2, o.valore_2) << "cell " << o.cella;
    EXPECT_EQ(c.valore_3, o.valore_3) << "cell " << o.cella;
    EXPECT_EQ(c.valore_4, o.valore_4) << "cell " << o.cella;
    EXPECT_EQ(c.tempo, o.tempo) << "cell " << o.cella;
  }
  struct marca { size_t cella; int valore; };
  const marca marche[] = {{6, 81}, {5, 82}, {4, 83}, {3, 84}, {2, 0}, {220, 81}, {218, 82}, {216, 83}, {214, 84},
                          {49, 81}, {47, 82}, {45, 83}, {43, 84}, {4552, 0}, {4549, 0}};
  for (const marca& m : marche) EXPECT_EQ(cella_da(s, m.cella).marca, m.valore) << "cell " << m.cella;
  struct tratto { size_t da, a; int velocita, aderenza; };
  const tratto tratti[] = {{0, 568, 30, 90}, {569, 677, 32, 90}, {678, 4312, 32, 80}, {4313, 4495, 32, 75},
                           {4496, 4688, 23, 75}, {4689, 4691, 0, 0}};
  for (const tratto& t : tratti) {
    for (size_t i = t.da; i <= t.a; ++i) {
      const cella_letta c = cella_da(s, i);
      ASSERT_EQ(c.velocita, t.velocita) << "cell " << i;
      ASSERT_EQ(c.aderenza, t.aderenza) << "cell " << i;
      ASSERT_EQ(c.pendenza, i < 4689 ? 100 : 0) << "cell " << i;
    }
  }
  // The finishing pass around the slowdown: approach triples, then every 8
  // cells from the start, the last one before the end cell.
  for (size_t i : {4328, 4322, 4315, 4341, 4349, 4357, 4365, 4372}) {
    EXPECT_EQ(cella_da(s, i).tipo, 12) << "cell " << i;
    EXPECT_EQ(cella_da(s, i).valore_1, 180) << "cell " << i;
  }
  // Header: 5121 and 2628, the plain code of "corsolavalmorana" + "ccddffggh".
  EXPECT_EQ(cella_da(s, 1).valore_1, 5121);
  EXPECT_EQ(cella_da(s, 1).valore_2, 2628);
}

TEST(EsempiTreno, CompiledInProcess) {
  compilato k;
  compila_testi(k, linea_esempio(), treno_esempio(), 0);
  ASSERT_EQ(k.intestazione, 0);
  ASSERT_EQ(k.a.codice_errore, 0);
  controlla_celle(k.a);
  const punto& prima = k.a.punti[1];
  EXPECT_EQ(prima.tipo, 8);
  EXPECT_EQ(prima.inizio, -400);
  EXPECT_EQ(prima.fine, 400);
  EXPECT_EQ(prima.scelta_b, 0);
  EXPECT_EQ(prima.scelta_c, 0);
  EXPECT_EQ(prima.orario, 67335);  // 18:42:15
  const punto& ultima = k.a.punti[38];
  EXPECT_EQ(ultima.tipo, 6);
  EXPECT_EQ(ultima.posizione, 227550);
  EXPECT_EQ(ultima.inizio, 227050);
  EXPECT_EQ(ultima.fine, 227700);
  EXPECT_EQ(ultima.nome, "Corsola");
  EXPECT_EQ(ultima.orario, 75780);  // 21:03:00
  EXPECT_EQ(k.a.punti[39].posizione, 0);
  EXPECT_EQ(k.a.punti[84].inizio, 85);
  EXPECT_EQ(k.a.punti[84].posizione, 9);
  EXPECT_EQ(k.a.punti[86].valore_a, 1);
  EXPECT_EQ(k.a.punti[86].valore_c, 18);
  EXPECT_EQ(k.a.punti[86].valore_d, 42);
  EXPECT_EQ(k.a.punti[86].valore_e, 15);
  EXPECT_EQ(k.a.punti[85].valore_a, 610);
  EXPECT_EQ(k.a.punti[85].orario, 33667);  // the weighted code of the same text
}

struct uscita { std::string dat, sim, piano; };

uscita leggi_uscita(const std::filesystem::path& cartella) {
  return {leggi_byte(cartella / "Valmorana_Corsola.dat"), leggi_byte(cartella / "Valmorana_Corsola.sim"),
          leggi_byte(cartella / "Valmorana_linea.dat")};
}

TEST(EsempiTreno, CompiledByTheToolTwiceToTheSameBytes) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "Valmorana_linea.txt", linea_esempio());
  scrivi_testo(t.percorso / "Valmorana_Corsola-.txt", treno_esempio());
  for (const char* cartella : {"uno", "due"}) {
    std::string errori;
    ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "Valmorana_linea.txt", "Valmorana_Corsola-.txt", "-o", cartella},
                     t.percorso, nullptr, &errori), 0) << errori;
  }
  const uscita uno = leggi_uscita(t.percorso / "uno");
  const uscita due = leggi_uscita(t.percorso / "due");
  ASSERT_EQ(uno.dat.size(), 70380u);
  EXPECT_EQ(uno.piano.size(), 4690964u);
  EXPECT_TRUE(uno.dat == due.dat);
  EXPECT_TRUE(uno.sim == due.sim);
  EXPECT_TRUE(uno.piano == due.piano);
  EXPECT_EQ(uno.dat.substr(15, 3), std::string("\x00\x01\x14", 3));
  controlla_celle(uno.dat);
  // Slot 85 of the point table: 610 and the weighted check code.
  size_t o = 0;
  for (int slot = 0; slot < 85; ++slot) o += 34 + static_cast<uint16_t>(i16(uno.sim, o + 14));
  const size_t n = static_cast<uint16_t>(i16(uno.sim, o + 14));
  EXPECT_EQ(uno.sim.substr(o + 16, n), "Valmorana");
  EXPECT_EQ(i16(uno.sim, o + 16 + n), 610);
  EXPECT_EQ(i32(uno.sim, o + 30 + n), 33667);
  // The tool never deletes its inputs.
  EXPECT_TRUE(std::filesystem::exists(t.percorso / "Valmorana_Corsola-.txt"));
}

TEST(EsempiTreno, NothingIsWrittenEvenWithForce) {
  struct caso { const char* nome; std::string linea, treno, messaggio; };
  const caso casi[] = {
      {"a taken header place", linea_esempio(), treno_con({"abbattimento, 50, 270"}), "error 1250"},
      {"a taken header check-code place", linea_esempio(), treno_con({"rallentamento, 0, 0, 500, 0, 0, 7"}),
       "error 1251"},
      {"cells never sized", righe({"[generale]", "sfondo uno, 1", "[fine]"}), treno_con({}), "error 1"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea t;
    scrivi_testo(t.percorso / "Valmorana_linea.txt", c.linea);
    scrivi_testo(t.percorso / "Valmorana_Corsola-.txt", c.treno);
    std::string errori;
    EXPECT_EQ(esegui(SCENARIO_EXE, {"compile", "Valmorana_linea.txt", "Valmorana_Corsola-.txt", "--force"},
                     t.percorso, nullptr, &errori), 1);
    EXPECT_NE(errori.find(c.messaggio + ":"), std::string::npos) << errori;
    EXPECT_FALSE(std::filesystem::exists(t.percorso / "Valmorana_Corsola.dat"));
    EXPECT_FALSE(std::filesystem::exists(t.percorso / "Valmorana_Corsola.sim"));
    EXPECT_FALSE(std::filesystem::exists(t.percorso / "Valmorana_linea.dat"));
  }
}

// Stations replace what earlier rows left in their cells; signals and
// abatements refuse what earlier rows took.
TEST(OrdineDelleRighe, LaterRowsMeetWhatEarlierOnesLeft) {
  const std::string segnale_7 = "segnale, 300, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0";  // cell 7
  const std::string stazione_7 = stazione(0, 8, 400);                          // end marker in cell 7
  struct caso { const char* nome; std::vector<std::string> righe; int32_t codice, posizione; int tipo, valore_1; };
  const caso casi[] = {
      {"a station's end marker replaces an earlier signal", {segnale_7, stazione_7}, 0, 0, 10, 1},
      {"a later signal is refused on the station's cell", {stazione_7, segnale_7}, 16, 300, 10, 1},
      {"an abatement is refused on a signal cell",
       {segnale_7, "abbattimento, 350, 270"}, 7, 350, 1, 41},
      {"an abatement at the signal's position goes before it",
       {segnale_7, "abbattimento, 300, 270"}, 0, 0, 1, 41},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string treno = "[generale]\r\n";
    for (const std::string& r : c.righe) treno += r + "\r\n";
    compilato k;
    compila_testi(k, linea_esempio(), treno + "[fine]\r\n", 0);
    EXPECT_EQ(k.a.codice_errore, c.codice);
    EXPECT_EQ(k.a.posizione_errore, c.posizione);
    EXPECT_EQ(k.a.percorso[7].tipo, c.tipo);
    EXPECT_EQ(k.a.percorso[7].valore_1, c.valore_1);
  }
}

}  // namespace
