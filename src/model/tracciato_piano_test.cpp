#include "model/tracciato_piano.h"

#include <gtest/gtest.h>

#include "compilati_di_prova.h"
#include "model/file_compilati.h"
#include "prova_compilazione.h"

namespace {

// The plan file written from the stretches of `curve`, each drawn as the line
// compiler draws a curve row: straight up to its start, then turned.
std::string scritto_da_tratti(int32_t L, const std::vector<prova::curva>& curve) {
  tracciato_piano t;
  t.ultimo_metro = L;
  inizia_piano(t);
  for (const prova::curva& c : curve) {
    aggiungi_tratto(t, c.inizio, 0);
    aggiungi_tratto(t, c.inizio + c.lunghezza, c.k);
  }
  aggiungi_tratto(t, L - 2, 0);
  cartella_temporanea cartella;
  const file_da_scrivere f{cartella.percorso / "piano.dat", [&](scrittore& s) { scrivi_tracciato_in(s, t); }};
  if (sostituisci_file(std::span<const file_da_scrivere>(&f, 1))) return "not written";
  EXPECT_EQ(metri_del_piano(t).valore, prova::disegna_piano(L, curve).valore) << L;
  return leggi_byte(cartella.percorso / "piano.dat");
}

// Against the plan drawn metre by metre on its own: every element, tag and
// value, whatever the stretches and however they meet the drawing's blocks.
TEST(TracciatoPiano, WrittenFromStretchesAsDrawnMetreByMetre) {
  const auto blocco = static_cast<int32_t>(metri_per_volta);
  const struct caso {
    const char* perche;
    int32_t L;
    std::vector<prova::curva> curve;
  } casi[] = {
      {"straight only", 7000, {}},
      {"the shortest plan with a computed metre", 5, {}},
      {"one curve of each hand", 9000, {{1500, 900, 0.0001}, {3000, 400, -0.003}}},
      {"a curve across a drawing block", 9000, {{blocco - 10, 30, 0.002}}},
      {"curves meeting end to start", 9000, {{100, 100, 0.001}, {200, 50, 0.001}, {250, 50, -0.001}}},
      {"a curve from metre 1", 7000, {{1, 10, 0.001}}},
  };
  for (const caso& c : casi) {
    const prova::byte_file atteso = prova::byte_tracciato(prova::disegna_piano(c.L, c.curve));
    EXPECT_TRUE(scritto_da_tratti(c.L, c.curve) == std::string(atteso.begin(), atteso.end())) << c.perche;
  }
}

TEST(TracciatoPiano, StretchesTurnedAlikeAreOne) {
  tracciato_piano t;
  t.ultimo_metro = 7000;
  inizia_piano(t);
  aggiungi_tratto(t, 100, 0);
  aggiungi_tratto(t, 50, 0.001);  // behind the drawing: nothing to draw
  aggiungi_tratto(t, 200, 0.001);
  aggiungi_tratto(t, 300, 0.001);
  aggiungi_tratto(t, 400, 0);
  ASSERT_EQ(t.tratti.size(), 3u);
  EXPECT_EQ(t.tratti[1].fine, 300);
  EXPECT_EQ(prossimo_metro(t), 401);
}

}  // namespace
