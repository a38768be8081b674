// End-to-end tests of the authoring tool's help, dump and plot: the real
// program, run in a folder of its own on compiled files written there.
#include <gtest/gtest.h>

#include "cartella_di_prova.h"
#include "compilati_di_prova.h"
#include "esegui_programma.h"
#include "json_di_prova.h"
#include "scenari_di_prova.h"
#include "xml_di_prova.h"

namespace {

const std::filesystem::path strumento = SCENARIO_EXE;

// Writes the three compiled files of a scenario as the compiler names them.
void scrivi_scenario(const prova::cartella_di_prova& c, const scenario_compilato& s, const std::string& linea,
                     const std::string& treno) {
  prova::scrivi(c / (linea + "_linea.dat"), prova::byte_tracciato(s.tracciato));
  prova::scrivi(c / (linea + "_" + treno + ".sim"), prova::byte_punti(s.punti));
  prova::scrivi(c / (linea + "_" + treno + ".dat"), prova::byte_celle(s.percorso));
}

}  // namespace

TEST(Strumento, HelpGoesToStandardOutputAndUsageErrorsExitTwo) {
  prova::cartella_di_prova c("strumento_aiuto");
  struct caso {
    std::vector<std::string> argomenti;
    int stato;
    const char* uscita;  // start of stdout, or of stderr when the status is not 0
  };
  const caso casi[] = {
      {{"--help"}, 0, "usage: scenario COMMAND [ARGS...]\n\nThe scenario compiler"},
      {{"help"}, 0, "usage: scenario COMMAND [ARGS...]\n\nThe scenario compiler"},
      {{"help", "dump"}, 0, "usage: scenario dump FILE... [--json] [--all] [--every N]\n"},
      {{"help", "plot"}, 0, "usage: scenario plot [-o FILE.svg] LINE_NAME TRAIN_NAME [DIR]\n"},
      {{"help", "compile"}, 0, "usage: scenario compile LINE_FILE TRAIN_FILE [-o DIR] [--line-name N]"},
      {{"help", "sources"}, 0, "usage: scenario sources [DIR]\n"},
      {{"dump", "--help"}, 0, "usage: scenario dump FILE..."},
      {{"plot", "x", "-h"}, 0, "usage: scenario plot"},
      {{}, 2, "scenario: no command given\nusage: scenario COMMAND"},
      {{"frobnicate"}, 2, "scenario: unknown command 'frobnicate'\nusage: scenario COMMAND"},
      {{"--verison"}, 2, "scenario: unknown option '--verison'\nusage: scenario COMMAND"},
      {{"help", "frobnicate"}, 2, "scenario: unknown command 'frobnicate'\n"},
      {{"dump"}, 2, "scenario: dump: no file to decode\nusage: scenario dump FILE..."},
      {{"dump", "--every", "ten", "a_linea.dat"}, 2, "scenario: dump: --every takes a whole number"},
      {{"dump", "--every"}, 2, "scenario: dump: --every needs a number"},
      {{"dump", "--colour", "a.dat"}, 2, "scenario: dump: unknown option '--colour'\nusage: scenario dump"},
      {{"dump", "notes.txt"}, 2, "scenario: dump: cannot tell the kind of 'notes.txt'"},
      {{"plot", "L"}, 2, "scenario: plot: give the line's and the train's names\nusage: scenario plot"},
      {{"plot", "L", "T", ".", "extra"}, 2, "scenario: plot: too many arguments\n"},
      {{"plot", "-o"}, 2, "scenario: plot: -o needs a file name\n"},
      {{"plot", "--scale", "L", "T"}, 2, "scenario: plot: unknown option '--scale'\n"},
  };
  for (const caso& k : casi) {
    prova::esito_programma e = prova::esegui(strumento, k.argomenti, c.percorso);
    std::string chi = k.argomenti.empty() ? "(none)" : k.argomenti.front() + " ...";
    EXPECT_EQ(e.stato, k.stato) << chi << "\n" << e.errori;
    const std::string& testo = k.stato == 0 ? e.uscita : e.errori;
    EXPECT_EQ(testo.substr(0, std::string_view(k.uscita).size()), k.uscita) << chi;
    if (k.stato == 0) {
      EXPECT_EQ(e.errori, "") << chi;
    }
  }
}

TEST(Strumento, DumpDecodesEachKindAndReportsTheOffsetOfATruncatedFile) {
  prova::cartella_di_prova c("strumento_dump");
  scenario_compilato s = prova::linea_corta();
  scrivi_scenario(c, s, "Corta", "Treno");

  prova::esito_programma e = prova::esegui(strumento, {"dump", "Corta_Treno.dat", "Corta_Treno.sim", "Corta_linea.dat", "--every", "1000"}, c.percorso);
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find("Corta_Treno.dat: track cells 0 to 180 (181 cells, 2715 bytes), 2 shown\n"
                          "cell 15: tipo=1 valore_1=41 valore_2=0 valore_3=0 valore_4=8 tempo=0 marca=0 montagna=0 "
                          "velocita=30 pendenza=112 aderenza=0\n"),
            std::string::npos)
      << e.uscita;
  EXPECT_NE(e.uscita.find("slot 4 (station 4): tipo=22 inizio=1850 fine=2150 posizione=2000 scelta_a=0 "
                          "nome=\"Gamma & Delta <Porto>\""),
            std::string::npos);
  EXPECT_NE(e.uscita.find("Corta_linea.dat: line plan, metres 0 to 9000 in 2 components (18002 elements, 179964 bytes)\n"),
            std::string::npos);
  EXPECT_NE(e.uscita.find("\nmetre 9000: empty\n"), std::string::npos);

  e = prova::esegui(strumento, {"dump", "--json", "Corta_Treno.dat", "Corta_Treno.sim", "Corta_linea.dat"}, c.percorso);
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_TRUE(prova::json_valido(e.uscita)) << e.uscita;

  // The cell file cut 8 bytes into its last record.
  prova::byte_file celle = prova::byte_celle(s.percorso);
  celle.resize(celle.size() - 7);
  prova::scrivi(c / "Corta_Treno.dat", celle);
  e = prova::esegui(strumento, {"dump", "Corta_Treno.dat", "Corta_Treno.sim"}, c.percorso);
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori,
            "scenario: Corta_Treno.dat: error at byte offset 2700: cell 180 cut short: 8 of 15 bytes "
            "(the file holds 2708 bytes)\n");
  EXPECT_NE(e.uscita.find("Corta_Treno.sim: point table"), std::string::npos);  // the other file is still shown

  e = prova::esegui(strumento, {"dump", "--json", "Corta_Treno.dat"}, c.percorso);
  EXPECT_EQ(e.stato, 1);
  EXPECT_TRUE(prova::json_valido(e.uscita)) << e.uscita;
  EXPECT_NE(e.uscita.find("\"offset\": 2700"), std::string::npos);

  e = prova::esegui(strumento, {"dump", "Missing_Treno.sim"}, c.percorso);
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.errori.substr(0, 29), "scenario: Missing_Treno.sim: ");
}

TEST(Strumento, PlotWritesOneWellFormedPage) {
  prova::cartella_di_prova c("strumento_plot");
  scrivi_scenario(c, prova::linea_lunga(), "Lunga", "Treno");

  prova::esito_programma e = prova::esegui(strumento, {"plot", "Lunga", "Treno"}, c.percorso);
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.errori, "scenario: wrote Lunga_Treno.svg\n");
  prova::documento_xml d = prova::analizza_xml(prova::leggi_testo(c / "Lunga_Treno.svg"));
  ASSERT_TRUE(d.valido) << d.errore;

  // From another folder, into a named file; and to standard output.
  std::filesystem::create_directories(c / "altrove");
  e = prova::esegui(strumento, {"plot", "-o", "pagina.svg", "Lunga", "Treno", ".."}, c / "altrove");
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(prova::leggi_testo(c / "altrove" / "pagina.svg"), prova::leggi_testo(c / "Lunga_Treno.svg"));
  e = prova::esegui(strumento, {"plot", "-o", "-", "Lunga", "Treno"}, c.percorso);
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.uscita, prova::leggi_testo(c / "Lunga_Treno.svg"));

  // A missing file is file-system trouble; a damaged one a problem of the scenario.
  e = prova::esegui(strumento, {"plot", "Lunga", "Altro"}, c.percorso);
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.errori.find("Lunga_Altro.sim: "), std::string::npos) << e.errori;
  prova::byte_file piano = prova::byte_tracciato(prova::linea_lunga().tracciato);
  piano[2 * 4 + 10 * 3] = 9;  // the tag of element 5
  prova::scrivi(c / "Lunga_linea.dat", piano);
  e = prova::esegui(strumento, {"plot", "Lunga", "Treno"}, c.percorso);
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori, "scenario: ./Lunga_linea.dat: error at byte offset 38: element 5: unknown tag 9 (a plan holds "
                      "only 0, 2 and 5)\n");
}
