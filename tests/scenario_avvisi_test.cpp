// End-to-end tests of the warnings of `scenario compile`: what the reader
// passes over silently, told to the author with its file and line.
#include <gtest/gtest.h>

#include "prova_compilazione.h"
#include "reading/osservatore.h"

namespace {

struct avviso_atteso {
  std::string luogo;       // FILE:LINE
  std::string nel_testo;   // a piece of the message
};

const std::string linea_con_avvisi = righe({
    "[generale]",                                              // 1
    "lunghezza percorso,    10000",                            // 2
    "Progressiva chilometrica uno,    0,    187550,    0",     // 3 a case-sensitive keyword with a capital
    "sfondo uno, 1",                                           // 4
    "[curve]",                                                 // 5 headers say nothing
    "curvad1,  1500,  900",                                    // 6
    "curvad2,  2000,  100",                                    // 7 out of order
    "pendenza, 0, 0, 7, 8",                                    // 8 a value left over, then another
    "pendenze, 100, 0",                                        // 9 a misspelt keyword, its values silent
    "[fine]",
});

const std::string treno_con_avvisi = righe({
    "[generale]",                                              // 1
    "velocita, 1000, 100",                                     // 2
    "velocita, 500, 100",                                      // 3 out of order
    "aderenza, 0, 90",                                         // 4
    "aderenza, -50, 85",                                       // 5 out of order
    "segnalle, 2500, 2, 4, 0, 0, 0, 2, 1,0,0, 0",               // 6 misspelt
    "segnale-x, 3500, 2, 4, 0, 0, 0, 2, 1,0,0, 0",              // 7 taken for a comment
    "-- a plain comment says nothing",                         // 8
    "abbattimento, 3000",                                      // 9 cut short
    " 270",                                                    // 10
    "[fine]",
});

const avviso_atteso attesi[] = {
    {"L_linea.txt:3", "case-sensitive"},
    {"L_linea.txt:7", "begins before the previous curve ends"},
    {"L_linea.txt:8", "value 7 is left over"},
    {"L_linea.txt:9", "\"pendenze\" matches no keyword"},
    {"L_T-.txt:3", "speed row at 500 m comes after the one at 1000 m"},
    {"L_T-.txt:5", "adhesion row at -50 m"},
    {"L_T-.txt:6", "\"segnalle\" matches no keyword"},
    {"L_T-.txt:7", "taken for a comment"},
    {"L_T-.txt:9", "fewer values than its keyword takes: it goes on reading line 10"},
};

TEST(ScenarioAvvisi, EachKindIsReportedWithItsFileAndLine) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "L_linea.txt", linea_con_avvisi);
  scrivi_testo(t.percorso / "L_T-.txt", treno_con_avvisi);
  std::string err;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "L_linea.txt", "L_T-.txt"}, t.percorso, nullptr, &err), 0);
  std::vector<std::string> righe_avviso;
  for (size_t i = 0; (i = err.find(": warning: ", i)) != std::string::npos; ++i) {
    const size_t inizio = err.rfind('\n', i) == std::string::npos ? 0 : err.rfind('\n', i) + 1;
    righe_avviso.push_back(err.substr(inizio, err.find('\n', i) - inizio));
  }
  ASSERT_EQ(righe_avviso.size(), std::size(attesi)) << err;
  for (size_t i = 0; i < std::size(attesi); ++i) {
    EXPECT_EQ(righe_avviso[i].rfind(attesi[i].luogo + ": warning: ", 0), 0u) << righe_avviso[i];
    EXPECT_NE(righe_avviso[i].find(attesi[i].nel_testo), std::string::npos) << righe_avviso[i];
  }
  EXPECT_NE(err.find("    pendenza, 0, 0, 7, 8\n                    ^\n"), std::string::npos) << err;
  EXPECT_NE(err.find("0 errors, 9 warnings\n"), std::string::npos) << err;

  std::string out;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "L_linea.txt", "L_T-.txt", "--json", "-o", "j"}, t.percorso, &out), 0);
  EXPECT_NE(out.find("{\"file\": \"L_T-.txt\", \"line\": 6, \"message\": \"\\\"segnalle\\\" matches no keyword"),
            std::string::npos)
      << out;

  std::string silenzio;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "L_linea.txt", "L_T-.txt", "--quiet", "-o", "q"}, t.percorso, nullptr, &silenzio), 0);
  EXPECT_EQ(silenzio, "");
  for (const char* f : {"L_linea.dat", "L_T.sim", "L_T.dat"}) {
    EXPECT_EQ(leggi_byte(t.percorso / f), leggi_byte(t.percorso / "q" / f)) << f;
    EXPECT_EQ(leggi_byte(t.percorso / f), leggi_byte(t.percorso / "j" / f)) << f;
  }
}

TEST(ScenarioAvvisi, ListeningChangesNothingThatIsCompiled) {
  compilato senza, con;
  compila_testi(senza, linea_con_avvisi, treno_con_avvisi);
  con.a.nome_linea = "Valmorana";
  con.a.nome_treno = "Corsola";
  scrivi_testo(con.cartella.percorso / "l.txt", linea_con_avvisi);
  scrivi_testo(con.cartella.percorso / "t.txt", treno_con_avvisi);
  osservatore_lettura o;
  opzioni_compilazione opzioni;
  opzioni.osservatore = &o;
  compila(con.a, 1, descrizioni{con.cartella.percorso / "l.txt", con.cartella.percorso / "t.txt", false}, opzioni);
  EXPECT_EQ(o.avvisi.size(), std::size(attesi));
  cartella_temporanea a, b;
  ASSERT_FALSE(scrivi_compilati(senza.a, a.percorso));
  ASSERT_FALSE(scrivi_compilati(con.a, b.percorso));
  for (const char* f : {"Valmorana_linea.dat", "Valmorana_Corsola.sim", "Valmorana_Corsola.dat"}) {
    EXPECT_EQ(leggi_byte(a.percorso / f), leggi_byte(b.percorso / f)) << f;
  }
}

TEST(ScenarioAvvisi, VerboseListsWhatTheFinishingPassAdded) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "L_linea.txt", linea_con({}, 10000));
  scrivi_testo(t.percorso / "L_T-.txt", treno_con({"rallentamento,  5000,    80, 500, 0,  1,  80"}));
  std::string err;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "L_linea.txt", "L_T-.txt", "--verbose"}, t.percorso, nullptr, &err), 0);
  // start cell 101: the approach triples take 96, 90 and 83; the walk 109
  for (const char* nota : {"cell 96 (4800 m): approach triple", "cell 90 (4500 m): approach triple",
                           "cell 83 (4150 m): approach triple", "cell 109 (5450 m): spacing inside a slowdown"}) {
    EXPECT_NE(err.find(nota), std::string::npos) << err;
  }
}

}  // namespace
