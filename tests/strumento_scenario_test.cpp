// End-to-end tests of `scenario dump` and `scenario plot` on the embedded
// scenario as the installer compiles it.
#include <gtest/gtest.h>

#include <map>

#include "json_di_prova.h"
#include "prova_compilazione.h"
#include "tool/lettura_compilati.h"
#include "xml_di_prova.h"

namespace {

// The installer, copied into the folder and run there, writes the scenario.
void installa_in(const cartella_temporanea& c) {
  std::filesystem::copy_file(VALMORANA_EXE, c.percorso / "valmorana");
  std::string errori;
  ASSERT_EQ(esegui((c.percorso / "valmorana").string(), {}, c.percorso, nullptr, &errori), 0) << errori;
}

}  // namespace

TEST(StrumentoScenario, DumpShowsTheWorkedExampleCellsAndSlots) {
  cartella_temporanea c;
  installa_in(c);
  std::string uscita, errori;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"dump", "Valmorana_Corsola.dat", "Valmorana_Corsola.sim", "Valmorana_linea.dat"},
                   c.percorso, &uscita, &errori),
            0)
      << errori;
  EXPECT_EQ(errori, "");
  for (const char* riga : {
           "Valmorana_Corsola.dat: track cells 0 to 4691 (4692 cells, 70380 bytes), ",
           "cell 1: tipo=0 valore_1=5121 valore_2=2628 ",                               // the header stamps
           "cell 51: tipo=1 valore_1=41 valore_2=0 valore_3=0 valore_4=8 tempo=0 ",     // signal at 2500
           "cell 49: tipo=0 valore_1=0 valore_2=0 valore_3=0 valore_4=0 tempo=0 marca=81 ",
           "cell 222: tipo=1 valore_1=32 valore_2=11 valore_3=11 valore_4=8 tempo=125 ",  // signal at 11050
           "cell 1914: tipo=12 valore_1=270 ",                                          // abatement at 95700
           "cell 4309: tipo=4 valore_1=80 valore_2=80 ",                                // the slowdown's warning,
           "cell 4333: tipo=3 valore_1=80 valore_2=80 valore_3=0 ",                     // start
           "cell 4373: tipo=2 valore_1=80 valore_2=80 valore_3=0 ",                     // and end
           "cell 4553: tipo=10 valore_1=38 ",                                           // the last station
           "Valmorana_Corsola.sim: point table, 87 slots (3448 bytes): 38 stations, 2 signboard texts, ",
           "slot 1 (station 1): tipo=8 inizio=-400 fine=400 posizione=0 ",
           "slot 85 (line header): tipo=0 inizio=",
           "Valmorana_linea.dat: line plan, metres 0 to 234550 in 2 components (469102 elements, 4690964 bytes)",
           "  component 0 (x): 2 integer, 234547 real, 2 empty",
           "  points: 234549 metres, from metre 0 to 234548",
       }) {
    EXPECT_NE(uscita.find(std::string(riga)), std::string::npos) << riga;
  }
  // A cell with nothing but its stretch is not shown.
  EXPECT_EQ(uscita.find("\ncell 0: "), std::string::npos);
  EXPECT_NE(uscita.find(" nome=\"Valmorana\" valore_a=610 "), std::string::npos);
  EXPECT_NE(uscita.find(" orario=67335 (18:42:15)\n"), std::string::npos);  // the first station's time

  ASSERT_EQ(esegui(SCENARIO_EXE, {"dump", "--json", "--every", "50000", "Valmorana_Corsola.dat", "Valmorana_Corsola.sim",
                                  "Valmorana_linea.dat"},
                   c.percorso, &uscita, &errori),
            0)
      << errori;
  EXPECT_TRUE(prova::json_valido(uscita));
  EXPECT_NE(uscita.find("{\"cell\": 4333, \"tipo\": 3, \"valore_1\": 80, \"valore_2\": 80"), std::string::npos);
  EXPECT_NE(uscita.find("{\"metre\": 200000, \"x\": "), std::string::npos);
}

TEST(StrumentoScenario, PlotNamesEveryNamedStationOnceInThePlanAndTheProfile) {
  cartella_temporanea c;
  installa_in(c);
  std::string errori;
  ASSERT_EQ(esegui(SCENARIO_EXE, {"plot", "-o", "pagina.svg", "Valmorana", "Corsola"}, c.percorso, nullptr, &errori), 0)
      << errori;
  prova::documento_xml d = prova::analizza_xml(leggi_byte(c.percorso / "pagina.svg"));
  ASSERT_TRUE(d.valido) << d.errore;

  scenario_compilato s;
  ASSERT_FALSE(carica_scenario(c.percorso, "Valmorana", "Corsola", s));
  std::map<std::string, int> attese;
  int senza_nome = 0;
  for (int slot = 1; slot <= numero_stazioni(s.punti); ++slot) {
    const std::string& nome = s.punti[static_cast<size_t>(slot)].nome;
    if (nome.empty()) {
      ++senza_nome;
    } else {
      ++attese[nome];  // the embedded names are ASCII: the same bytes in UTF-8
    }
  }
  EXPECT_EQ(attese.size(), 37u);
  EXPECT_EQ(senza_nome, 1);  // the station at 11900

  std::map<std::string, int> piano, profilo;
  for (const prova::elemento_xml& x : d.elementi) {
    const std::string* classe = x.attributo("class");
    if (x.nome != "text" || classe == nullptr) continue;
    if (*classe == "plan-station") ++piano[x.testo];
    if (*classe == "profile-station") ++profilo[x.testo];
  }
  EXPECT_EQ(piano, attese);
  EXPECT_EQ(profilo, attese);
}
