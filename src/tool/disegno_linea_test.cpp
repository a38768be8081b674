#include "tool/disegno_linea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "scenari_di_prova.h"
#include "xml_di_prova.h"

namespace {

// The texts of one class inside the group with the given id, counted.
std::map<std::string, int> etichette(const prova::documento_xml& d, const std::string& gruppo,
                                     const std::string& classe) {
  std::map<std::string, int> conteggio;
  for (const prova::elemento_xml& e : d.elementi) {
    const std::string* c = e.attributo("class");
    if (e.nome != "text" || c == nullptr || *c != classe) continue;
    const prova::elemento_xml& g = d.elementi[static_cast<size_t>(e.genitore)];
    const std::string* id = g.attributo("id");
    if (id != nullptr && *id == gruppo) ++conteggio[e.testo];
  }
  return conteggio;
}

int elementi_con_classe(const prova::documento_xml& d, const std::string& classe, const std::string& gruppo = "") {
  return static_cast<int>(std::count_if(d.elementi.begin(), d.elementi.end(), [&](const prova::elemento_xml& e) {
    const std::string* c = e.attributo("class");
    if (c == nullptr || *c != classe) return false;
    if (gruppo.empty()) return true;
    const std::string* id = d.elementi[static_cast<size_t>(e.genitore)].attributo("id");
    return id != nullptr && *id == gruppo;
  }));
}

}  // namespace

TEST(DisegnaScenario, APageWellFormedWithOneLabelPerNamedStationInPlanAndProfile) {
  struct caso {
    const char* nome;
    scenario_compilato s;
    std::map<std::string, int> attese;  // UTF-8
  };
  scenario_compilato ostile = prova::linea_corta();
  ostile.punti[2].nome = "Citt\xE0 \x01<&>\x81";  // Windows-1252, a control byte, an unused byte
  ostile.punti[3].nome = "";
  std::vector<caso> casi;
  casi.push_back({"long line", prova::linea_lunga(), {}});
  casi.push_back({"short line", prova::linea_corta(),
                  {{"Alfa", 1}, {"Beta Nord", 1}, {"Beta Sud", 1}, {"Gamma & Delta <Porto>", 1}}});
  casi.push_back({"hostile names", ostile,
                  {{"Alfa", 1}, {"Citt\xC3\xA0 \xEF\xBF\xBD<&>\xEF\xBF\xBD", 1}, {"Gamma & Delta <Porto>", 1}}});
  for (int slot = 1; slot <= numero_stazioni(casi[0].s.punti); ++slot) {
    const std::string& n = casi[0].s.punti[static_cast<size_t>(slot)].nome;
    if (!n.empty()) casi[0].attese[n] += 1;  // the long line's names are ASCII
  }
  ASSERT_EQ(casi[0].attese.size(), 37u);

  for (const caso& c : casi) {
    std::string svg = disegna_scenario(c.s, "L", "T");
    prova::documento_xml d = prova::analizza_xml(svg);
    ASSERT_TRUE(d.valido) << c.nome << ": " << d.errore;
    EXPECT_EQ(d.elementi.front().nome, "svg") << c.nome;
    EXPECT_EQ(etichette(d, "plan-labels", "plan-station"), c.attese) << c.nome;
    EXPECT_EQ(etichette(d, "profile-labels", "profile-station"), c.attese) << c.nome;
    // Every station has its mark, named or not.
    int segni = elementi_con_classe(d, "station-mark", "station-marks") +
                elementi_con_classe(d, "station-mark unnamed", "station-marks");
    EXPECT_EQ(segni, numero_stazioni(c.s.punti)) << c.nome;
    EXPECT_EQ(elementi_con_classe(d, "slowdown-label") > 0, !oggetti_lungo_linea(c.s).rallentamenti.empty()) << c.nome;
  }
}

TEST(DisegnaScenario, TheTitleTakesThePointTableNamesOrTheGivenOnes) {
  scenario_compilato s = prova::linea_corta();
  prova::documento_xml d = prova::analizza_xml(disegna_scenario(s, "ignored", "ignored"));
  ASSERT_TRUE(d.valido) << d.errore;
  EXPECT_EQ(etichette(d, "title", "title"), (std::map<std::string, int>{{"Provalinea \xC2\xB7 Provatreno", 1}}));
  s.punti[85].nome.clear();
  s.punti[86].nome.clear();
  d = prova::analizza_xml(disegna_scenario(s, "Citt\xC3\xA0", "T<1>\xFF"));  // typed UTF-8, one bad byte
  ASSERT_TRUE(d.valido) << d.errore;
  EXPECT_EQ(etichette(d, "title", "title"),
            (std::map<std::string, int>{{"Citt\xC3\xA0 \xC2\xB7 T<1>\xEF\xBF\xBD", 1}}));
}

TEST(DisegnaScenario, APlanWithoutPointsStillGivesAPage) {
  scenario_compilato s = prova::linea_corta();
  for (auto& tag : s.tracciato.tag) std::fill(tag.begin(), tag.end(), tag_vuoto);
  prova::documento_xml d = prova::analizza_xml(disegna_scenario(s, "L", "T"));
  ASSERT_TRUE(d.valido) << d.errore;
  EXPECT_EQ(etichette(d, "plan", "heading")["the plan holds no points to draw"], 1);
  EXPECT_EQ(etichette(d, "profile-labels", "profile-station").size(), 4u);
}

TEST(OggettiLungoLinea, ReadsTheObjectsBackToTheirMetres) {
  scenario_compilato s = prova::scenario_di_prova(20000, {{0, 400, "A"}, {11900, 500, ""}}, {});
  prova::metti_segnale(s, 2500);                 // cell 51
  prova::metti_rallentamento(s, 9000, 1000, 60);  // warning 7800, start 9000, end 10000
  // A slowdown of no length: its start cell overwrote its end cell.
  s.percorso[15000 / 50 + 1].tipo = 3;
  s.percorso[15000 / 50 + 1].valore_1 = 30;
  s.percorso[4000 / 50].tipo = 12;  // an abatement at 4000 m
  s.percorso[4100 / 50].tipo = 13;
  oggetti_linea o = oggetti_lungo_linea(s);
  EXPECT_EQ(o.segnali, (std::vector<int64_t>{2500}));
  EXPECT_EQ(o.abbattimenti, (std::vector<int64_t>{4000, 4100}));
  ASSERT_EQ(o.rallentamenti.size(), 2u);
  EXPECT_EQ(o.rallentamenti[0].avviso, 7800);
  EXPECT_EQ(o.rallentamenti[0].inizio, 9000);
  EXPECT_EQ(o.rallentamenti[0].fine, 10000);
  EXPECT_EQ(o.rallentamenti[0].velocita, 60);
  EXPECT_EQ(o.rallentamenti[1].avviso, -1);
  EXPECT_EQ(o.rallentamenti[1].inizio, 15000);
  EXPECT_EQ(o.rallentamenti[1].fine, 15000);
  ASSERT_EQ(o.stazioni.size(), 2u);
  EXPECT_EQ(o.stazioni[1].posizione, 11900);
  EXPECT_EQ(o.fine_linea, 20000);

  // Without the line's length in slot 84 the end is taken 7000 m before the
  // end of the cells, as the compiler sizes them.
  s.punti[84].fine = 0;
  EXPECT_EQ(oggetti_lungo_linea(s).fine_linea, static_cast<int64_t>(s.percorso.size()) * 50 - 7000);
  s.punti[84].fine = 999999;  // past the cells: not believed
  EXPECT_EQ(oggetti_lungo_linea(s).fine_linea, static_cast<int64_t>(s.percorso.size()) * 50 - 7000);
}

TEST(PassoRotondo, GivesOneTwoOrFiveTimesAPowerOfTen) {
  struct caso { double almeno; double passo; };
  const caso casi[] = {{0.3, 0.5}, {1, 1}, {1.01, 2}, {3, 5}, {7, 10}, {140, 200}, {1540, 2000}, {15400, 20000},
                       {0, 1}};
  for (const caso& c : casi) EXPECT_DOUBLE_EQ(passo_rotondo(c.almeno), c.passo) << c.almeno;
}
