// End-to-end tests of `scenario compile` against hostile input: files that are
// not there or not files, random bytes, megabyte lines and fields, NUL and
// control bytes, names that would lead out of the folder, floods of warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

namespace fs = std::filesystem;

const std::string linea_base = linea_con({"curvad1,  1500,  900", "pendenza,   0,    0"}, 2000);
const std::string treno_base = treno_con({"velocita, 0, 150"});

std::vector<std::string> compila_args(const std::string& linea, const std::string& treno, const std::string& uscita) {
  return {"compile", linea, treno, "-o", uscita};
}

size_t riga_piu_lunga(const std::string& testo) {
  size_t massima = 0, corrente = 0;
  for (char c : testo) {
    corrente = c == '\n' ? 0 : corrente + 1;
    massima = std::max(massima, corrente);
  }
  return massima;
}

std::string byte_a_caso(size_t quanti, uint32_t seme) {
  std::mt19937 caso(seme);
  std::string testo(quanti, '\0');
  for (char& c : testo) c = static_cast<char>(caso() & 0xFF);
  return testo;
}

// Inputs that cannot be read as descriptions stop before anything is written.
TEST(ScenarioOstile, InputsThatAreNotDescriptionsWriteNothing) {
  struct caso {
    const char* linea;
    const char* treno;
    int stato;
    const char* nel_messaggio;
  };
  const caso casi[] = {
      {"Assente_linea.txt", "Assente_T-.txt", 2, "Assente_linea.txt: No such file or directory"},
      {"Prova_linea.txt", "Prova_Assente-.txt", 2, "Prova_Assente-.txt: No such file or directory"},
      {"Cartella_linea.txt", "Cartella_T-.txt", 2, "Cartella_linea.txt: Is a directory"},
      {"Prova_linea.txt", "Prova_Cartella-.txt", 2, "Prova_Cartella-.txt: Is a directory"},
      {"Caso_linea.txt", "Caso_T-.txt", 1, "error 102"},  // random bytes: no "[generale]" in them
  };
  for (const caso& c : casi) {
    cartella_temporanea t;
    scrivi_testo(t.percorso / "Prova_linea.txt", linea_base);
    scrivi_testo(t.percorso / "Prova_T-.txt", treno_base);
    fs::create_directory(t.percorso / "Cartella_linea.txt");
    fs::create_directory(t.percorso / "Cartella_T-.txt");
    fs::create_directory(t.percorso / "Prova_Cartella-.txt");
    scrivi_testo(t.percorso / "Caso_linea.txt", byte_a_caso(100000, 7));
    scrivi_testo(t.percorso / "Caso_T-.txt", byte_a_caso(50000, 8));
    std::string errori;
    EXPECT_EQ(esegui(SCENARIO_EXE, compila_args(c.linea, c.treno, "uscita"), t.percorso, nullptr, &errori), c.stato)
        << c.linea << " " << c.treno;
    EXPECT_NE(errori.find(c.nel_messaggio), std::string::npos) << errori;
    EXPECT_FALSE(fs::exists(t.percorso / "uscita")) << c.linea;
    EXPECT_LT(riga_piu_lunga(errori), 200u) << "the offending line is shown cut short";
  }
}

// A name that would lead out of the output folder is refused before the
// folder is even created.
TEST(ScenarioOstile, NamesLeadingOutOfTheFolderAreRefusedBeforeAnythingIsWritten) {
  const std::vector<std::string> opzioni[] = {
      {"--line-name", "../fuori"},
      {"--line-name", "sotto/fuori"},
      {"--train-name", "../../fuori"},
      {"--train-name", "a\\fuori"},
  };
  for (const auto& o : opzioni) {
    cartella_temporanea t;
    fs::create_directory(t.percorso / "dentro");
    scrivi_testo(t.percorso / "dentro" / "Prova_linea.txt", linea_base);
    scrivi_testo(t.percorso / "dentro" / "Prova_T-.txt", treno_base);
    std::vector<std::string> argomenti = compila_args("Prova_linea.txt", "Prova_T-.txt", "nuova");
    argomenti.insert(argomenti.end(), o.begin(), o.end());
    EXPECT_EQ(esegui(SCENARIO_EXE, argomenti, t.percorso / "dentro"), 2) << o[1];
    EXPECT_FALSE(fs::exists(t.percorso / "dentro" / "nuova")) << o[1];
    std::vector<std::string> presenti;
    for (const auto& voce : fs::recursive_directory_iterator(t.percorso)) presenti.push_back(voce.path().filename());
    std::sort(presenti.begin(), presenti.end());
    EXPECT_EQ(presenti, (std::vector<std::string>{"Prova_T-.txt", "Prova_linea.txt", "dentro"})) << o[1];
  }
}

// An output folder that does not exist is created with its parents.
TEST(ScenarioOstile, AMissingOutputFolderIsCreatedWithItsParents) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "Prova_linea.txt", linea_base);
  scrivi_testo(t.percorso / "Prova_T-.txt", treno_base);
  ASSERT_EQ(esegui(SCENARIO_EXE, compila_args("Prova_linea.txt", "Prova_T-.txt", "a/b/c"), t.percorso), 0);
  EXPECT_EQ(fs::file_size(t.percorso / "a/b/c/Prova_T.dat"), 15u * 181);
  EXPECT_TRUE(fs::exists(t.percorso / "a/b/c/Prova_T.sim"));
  EXPECT_TRUE(fs::exists(t.percorso / "a/b/c/Prova_linea.dat"));
}

// Long lines and odd bytes: what the reader passes over leaves the compiled
// bytes as they are without it; what is too long for its field is a reading
// failure; NUL bytes in a text pass through; nothing reaches the terminal raw.
TEST(ScenarioOstile, LongLinesAndOddBytes) {
  const std::string mega(1u << 20, 'x');
  const std::string cartello = "cartello_indicatore,  1000,   ";
  struct caso {
    std::string linea;
    int stato;
    const char* nel_messaggio;  // in standard error, or nothing expected
    bool come_senza;            // compiles to the bytes of the description without the odd line
    const char* perche;
  };
  const caso casi[] = {
      {linea_con({"- " + mega, "curvad1,  1500,  900", "pendenza,   0,    0"}, 2000), 0, "", true,
       "a comment line of a megabyte is passed over"},
      {linea_con({"curvad1,  1500,  900", cartello + mega, "pendenza,   0,    0"}, 2000), 1, "error 25", false,
       "a signboard text of a megabyte does not fit its counted text"},
      {linea_con({"curvad1,  1500,  900", std::string(5u << 20, 'y'), "pendenza,   0,    0"}, 2000), 1,
       "error 25", false, "a field beyond the reader's limit of 4 MiB"},
      {linea_con({"curvad1,  1500,  900", "pen\x1b]0;titolo\x07" "denza, 0, 0"}, 2000), 0, "pen?]0;titolo?denza",
       false, "control bytes are shown as '?'"},
  };
  cartella_temporanea riferimento;
  scrivi_testo(riferimento.percorso / "Prova_linea.txt", linea_base);
  scrivi_testo(riferimento.percorso / "Prova_T-.txt", treno_base);
  ASSERT_EQ(esegui(SCENARIO_EXE, compila_args("Prova_linea.txt", "Prova_T-.txt", "."), riferimento.percorso), 0);
  for (const caso& c : casi) {
    cartella_temporanea t;
    scrivi_testo(t.percorso / "Prova_linea.txt", c.linea);
    scrivi_testo(t.percorso / "Prova_T-.txt", treno_base);
    std::string errori;
    EXPECT_EQ(esegui(SCENARIO_EXE, compila_args("Prova_linea.txt", "Prova_T-.txt", "."), t.percorso, nullptr, &errori),
              c.stato)
        << c.perche << "\n" << errori.substr(0, 500);
    EXPECT_NE(errori.find(c.nel_messaggio), std::string::npos) << c.perche << "\n" << errori.substr(0, 500);
    EXPECT_EQ(errori.find('\x1b'), std::string::npos) << c.perche;
    EXPECT_LT(riga_piu_lunga(errori), 300u) << c.perche;
    if (c.come_senza) {
      for (const char* nome : {"Prova_T.dat", "Prova_T.sim"}) {
        EXPECT_EQ(leggi_byte(t.percorso / nome), leggi_byte(riferimento.percorso / nome)) << c.perche << " " << nome;
      }
    }
    if (c.stato == 1) {
      EXPECT_FALSE(fs::exists(t.percorso / "Prova_T.sim")) << c.perche;
    }
  }
}

TEST(ScenarioOstile, NulBytesInATextPassThroughToThePointTable) {
  cartella_temporanea t;
  const std::string testo("(a\0b)", 5);
  scrivi_testo(t.percorso / "Prova_linea.txt", linea_con({"cartello_indicatore,  1000,   " + testo}, 2000));
  scrivi_testo(t.percorso / "Prova_T-.txt", treno_base);
  ASSERT_EQ(esegui(SCENARIO_EXE, compila_args("Prova_linea.txt", "Prova_T-.txt", "."), t.percorso), 0);
  const std::string punti = leggi_byte(t.percorso / "Prova_T.sim");
  // the signboard text stands in slot 80 as a counted text of 5 bytes
  EXPECT_NE(punti.find(std::string("\x05\x00", 2) + testo), std::string::npos);
  EXPECT_EQ(punti.size(), 87u * 34 + testo.size() + 5 + 1);  // and the names "Prova" and "T"
}

// A description of junk raises a warning on every field: the first 100 are
// printed, the others counted, and the total stays right.
TEST(ScenarioOstile, AFloodOfWarningsIsCutToTheFirstHundred) {
  cartella_temporanea t;
  std::string righe_inutili;
  for (int i = 0; i < 5000; ++i) righe_inutili += "parola" + std::to_string(i) + "\r\n";
  std::string linea = linea_base;
  linea.insert(linea.find("[fine]"), righe_inutili);
  scrivi_testo(t.percorso / "Prova_linea.txt", linea);
  scrivi_testo(t.percorso / "Prova_T-.txt", treno_base);
  std::string errori, uscita;
  ASSERT_EQ(esegui(SCENARIO_EXE, compila_args("Prova_linea.txt", "Prova_T-.txt", "."), t.percorso, nullptr, &errori), 0);
  size_t avvisi = 0;
  for (size_t at = errori.find(": warning: "); at != std::string::npos; at = errori.find(": warning: ", at + 1)) ++avvisi;
  EXPECT_EQ(avvisi, 100u);
  EXPECT_NE(errori.find("note: 4900 more warnings not shown\n"), std::string::npos);
  EXPECT_NE(errori.find("0 errors, 5000 warnings\n"), std::string::npos);
  ASSERT_EQ(esegui(SCENARIO_EXE, {"compile", "Prova_linea.txt", "Prova_T-.txt", "--json"}, t.percorso, &uscita), 0);
  EXPECT_NE(uscita.find("], \"warnings_not_listed\": 4900}"), std::string::npos) << uscita.substr(uscita.size() - 200);
}

}  // namespace
