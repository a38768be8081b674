// End-to-end tests of `scenario compile`, run as a real program in a temporary folder.
#include <gtest/gtest.h>

#include "prova_compilazione.h"

namespace {

const std::string linea_valida = linea_con({"curvad1,  1500,  900", "pendenza,   0,    0"}, 2000);
const std::string treno_valido = treno_con({"velocita, 0, 150", "segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0"});

struct sorgenti_prova {
  cartella_temporanea cartella;
  sorgenti_prova(const std::string& linea = linea_valida, const std::string& treno = treno_valido,
                 const std::string& nome_linea = "Prova_linea.txt", const std::string& nome_treno = "Prova_Rapido-.txt") {
    scrivi_testo(cartella.percorso / nome_linea, linea);
    scrivi_testo(cartella.percorso / nome_treno, treno);
  }
};

TEST(ScenarioCompile, WritesTheThreeFilesNamedFromTheDescriptions) {
  sorgenti_prova s;
  std::string out;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "-o", "out", "--json"},
                   s.cartella.percorso, &out),
            0);
  EXPECT_EQ(out, "{\"code\": 0, \"position\": 0, \"message\": \"no problem\", \"written\": [\"Prova_linea.dat\", "
                 "\"Prova_Rapido.sim\", \"Prova_Rapido.dat\"], \"warnings\": []}\n");
  const auto out_dir = s.cartella.percorso / "out";
  EXPECT_EQ(std::filesystem::file_size(out_dir / "Prova_Rapido.dat"), 15u * 181);  // L = 9000, P = 180
  EXPECT_EQ(std::filesystem::file_size(out_dir / "Prova_linea.dat"), 2u * (8 + (9000 - 3) * 10 + 4));
  // the inputs are never changed or deleted
  EXPECT_EQ(leggi_byte(s.cartella.percorso / "Prova_linea.txt"), linea_valida);
  EXPECT_EQ(leggi_byte(s.cartella.percorso / "Prova_Rapido-.txt"), treno_valido);
}

TEST(ScenarioCompile, NoPlanLeavesThePlanFileAlone) {
  sorgenti_prova s;
  scrivi_testo(s.cartella.percorso / "Prova_linea.dat", "older plan");
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--no-plan"}, s.cartella.percorso), 0);
  EXPECT_EQ(leggi_byte(s.cartella.percorso / "Prova_linea.dat"), "older plan");
  EXPECT_TRUE(std::filesystem::exists(s.cartella.percorso / "Prova_Rapido.sim"));
}

TEST(ScenarioCompile, ReportsARecordedProblemWithItsRowAndWritesNothing) {
  const std::string treno = treno_con({"segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
                                       "segnale,    2510,   2, 4, 0,  0, 0,    2,  1,0,0, 0"});
  sorgenti_prova s(linea_valida, treno);
  std::string err;
  EXPECT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_Rapido-.txt"}, s.cartella.percorso, nullptr, &err), 1);
  EXPECT_EQ(err,
            "Prova_Rapido-.txt:3: error 16 at 2510 m: signal on a cell already taken\n"
            "    segnale,    2510,   2, 4, 0,  0, 0,    2,  1,0,0, 0\n"
            "    ^\n"
            "1 error, 0 warnings\n");
  EXPECT_FALSE(std::filesystem::exists(s.cartella.percorso / "Prova_Rapido.dat"));

  std::string out;
  EXPECT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--force", "--json"},
                   s.cartella.percorso, &out),
            1);
  EXPECT_NE(out.find("\"code\": 16, \"position\": 2510"), std::string::npos) << out;
  EXPECT_NE(out.find("\"written\": [\"Prova_linea.dat\""), std::string::npos) << out;
  EXPECT_TRUE(std::filesystem::exists(s.cartella.percorso / "Prova_Rapido.dat"));
}

TEST(ScenarioCompile, TakenHeaderPlaceWritesNothingEvenWithForce) {
  sorgenti_prova s(linea_valida, treno_con({"abbattimento, 50, 270"}));
  std::string out;
  EXPECT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--force", "--json"},
                   s.cartella.percorso, &out),
            1);
  EXPECT_NE(out.find("\"code\": 1250"), std::string::npos) << out;
  EXPECT_FALSE(std::filesystem::exists(s.cartella.percorso / "Prova_Rapido.sim"));
}

TEST(ScenarioCompile, RefusesNamesAndArgumentsItCannotUse) {
  struct caso {
    std::vector<std::string> argomenti;
    const char* nel_messaggio;
  };
  const caso casi[] = {
      {{"compile", "Prova_linea.txt"}, "give the line description and the train description"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--line-name", "../x"}, "cannot hold '/'"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--line-name", ".."}, "\"..\""},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--train-name", "a\\b"}, "cannot hold '\\'"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--train-name", "LINEA"}, "line plan"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--train-name", "t*"}, "cannot hold '*'"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--train-name", ""}, "cannot be empty"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "--bogus"}, "unknown option --bogus"},
      {{"compile", "x.txt", "Prova_Rapido-.txt"}, "cannot tell the line name"},
      {{"compile", "Prova_linea.txt", "Other_Rapido-.txt"}, "cannot tell the train name"},
      {{"compile", "Missing_linea.txt", "Missing_T-.txt"}, "No such file"},
      {{"compile", "Prova_linea.txt", "Prova_Rapido-.txt", "-o"}, "-o needs a folder"},
  };
  for (const caso& c : casi) {
    sorgenti_prova s;
    std::string err;
    EXPECT_EQ(esegui(SCENARIO_EXE, c.argomenti, s.cartella.percorso, nullptr, &err), 2) << c.nel_messaggio;
    EXPECT_NE(err.find(c.nel_messaggio), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(s.cartella.percorso / "Prova_Rapido.sim"));
  }
}

}  // namespace
