// Small compiled scenarios built in memory for the tool's tests: a long line
// shaped like the embedded one (227 km, 38 stations, curves both ways, one
// slowdown) and a short one of 2 km.
#pragma once

#include <string>
#include <vector>

#include "compilati_di_prova.h"
#include "tool/lettura_compilati.h"

namespace prova {

struct stazione_di_prova {
  int32_t posizione;
  int32_t lunghezza;
  const char* nome;
};

inline void metti_segnale(scenario_compilato& s, int32_t posizione) {
  cella_percorso& c = s.percorso[static_cast<size_t>(posizione / 50 + 1)];
  c.tipo = 1;
  c.valore_1 = 41;
  c.valore_4 = 8;
}

inline void metti_rallentamento(scenario_compilato& s, int32_t posizione, int32_t lunghezza, int16_t v) {
  auto cella = [&](int32_t m) -> cella_percorso& { return s.percorso[static_cast<size_t>(m / 50 + 1)]; };
  cella(posizione - 1200).tipo = 4;
  cella(posizione - 1200).valore_1 = v;
  cella(posizione).tipo = 3;
  cella(posizione).valore_1 = v;
  cella(posizione + lunghezza).tipo = 2;
  cella(posizione + lunghezza).valore_1 = v;
}

// Cells, slots and plan of a line of the given length, the way the compiler
// lays them out (7000 metres past the end, stations from slot 1).
inline scenario_compilato scenario_di_prova(int32_t lunghezza, const std::vector<stazione_di_prova>& stazioni,
                                            const std::vector<curva>& curve) {
  scenario_compilato s;
  int32_t L = lunghezza + 7000;
  s.percorso.assign(static_cast<size_t>(L / 50 + 1), cella_percorso{});
  for (size_t c = 0; c < s.percorso.size(); ++c) {
    s.percorso[c].pendenza = 100;
    s.percorso[c].velocita = 30;
  }
  s.tracciato = disegna_piano(L, curve);
  for (size_t i = 0; i < stazioni.size(); ++i) {
    punto& p = s.punti[i + 1];
    p.tipo = 22;
    p.posizione = stazioni[i].posizione;
    p.inizio = stazioni[i].posizione - stazioni[i].lunghezza / 2;
    p.fine = stazioni[i].posizione + stazioni[i].lunghezza / 2;
    p.nome = stazioni[i].nome;
  }
  s.punti[84].fine = lunghezza;
  s.punti[85].nome = "Provalinea";
  s.punti[86].nome = "Provatreno";
  return s;
}

inline scenario_compilato linea_lunga() {
  const char* const nomi[] = {
      "Valmorana Centrale", "Borgo San Dalmazzo", "Ponte", "Castelnuovo di Sotto", "Rivalta", "Sant'Ilario",
      "Le Ghiaie", "Ca' Bianca", "Montechiaro Alto", "Pieve", "Fornaci", "", "Corte Vecchia", "Lama",
      "San Martino in Rio", "Villa Ottoni", "Gualtieri Scalo", "Po", "Rocca", "Mulino Nuovo", "Cerreto",
      "Torre dei Passeri", "Albareto", "Quattro Castella", "Bivio Nord", "Bivio Sud", "Casalgrande", "Salvaterra",
      "Fontana", "Campagnola Emilia-Nord", "Rio Saliceto", "Poggio", "Stellata", "Bondeno", "Finale", "Massa",
      "Lido", "Corsola Mare"};
  std::vector<stazione_di_prova> stazioni;
  int32_t posizione = 0;
  for (size_t i = 0; i < 38; ++i) {
    stazioni.push_back({posizione, 400, nomi[i]});
    // Uneven spacing, with a close group of stations in the middle.
    int32_t passo = i >= 23 && i <= 26 ? 1500 : 4500 + static_cast<int32_t>((i * 2377) % 5) * 1000;
    posizione = std::min(posizione + passo, 227550);
    if (i == 36) posizione = 227550;
  }
  std::vector<curva> curve;
  const double classi[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int32_t inizio = 1500, n = 0; inizio < 225000; inizio += 2900 + (n * 731) % 2600, ++n) {
    double k = classi[(n * 5) % 6] * (n % 3 == 1 ? -1 : 1);
    curve.push_back({inizio, 300 + (n * 389) % 1500, k});
  }
  scenario_compilato s = scenario_di_prova(227550, stazioni, curve);
  for (int32_t m = 2500; m < 227000; m += 1350) metti_segnale(s, m);
  metti_rallentamento(s, 216600, 2000, 80);
  for (size_t c = 0; c < s.percorso.size(); ++c) {
    s.percorso[c].velocita = static_cast<uint8_t>(c < 800 ? 30 : c < 2800 ? 24 : c < 2900 ? 12 : 32);
  }
  return s;
}

inline scenario_compilato linea_corta() {
  scenario_compilato s = scenario_di_prova(2000,
                                           {{0, 400, "Alfa"}, {950, 200, "Beta Nord"}, {1350, 200, "Beta Sud"},
                                            {2000, 300, "Gamma & Delta <Porto>"}},
                                           {{300, 400, 0.002}, {1200, 300, -0.003}});
  metti_segnale(s, 700);
  metti_segnale(s, 1700);
  for (size_t c = 0; c < s.percorso.size(); ++c) s.percorso[c].pendenza = static_cast<uint8_t>(c < 20 ? 112 : 94);
  return s;
}

}  // namespace prova
