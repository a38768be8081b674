// One SVG page of a compiled scenario: the line's plan to scale, with a scale
// bar, the stations named along it and the signals and slowdowns marked; under
// it the profile along the line of line speed and gradient, with the stations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tool/lettura_compilati.h"

// What the page shows along the line, in metres from its start, taken from the
// cells and the point table.
struct stazione_disegnata {
  int slot = 0;
  int32_t posizione = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  std::string nome;  // as stored, Windows-1252; may be empty
};

struct rallentamento_disegnato {
  int64_t inizio = 0;
  int64_t fine = 0;
  int64_t avviso = -1;  // metre of the warning; -1 without one
  int32_t velocita = 0;  // km/h
};

struct oggetti_linea {
  std::vector<stazione_disegnata> stazioni;
  std::vector<int64_t> segnali;
  std::vector<int64_t> abbattimenti;
  std::vector<rallentamento_disegnato> rallentamenti;
  int64_t fine_linea = 0;  // the line's length where the point table gives it
};

// Signals and slowdown cells stand one cell past position / 50, so cell c
// stands for the metre (c - 1) * 50; abatements stand in cell position / 50.
int64_t metro_cella_oggetto(int64_t cella);
int64_t metro_cella_abbattimento(int64_t cella);

oggetti_linea oggetti_lungo_linea(const scenario_compilato& s);

// A round length for a scale or an axis step: 1, 2 or 5 times a power of ten,
// the smallest one not below the given length.
double passo_rotondo(double almeno);

// The names head the page: those the point table holds (slots 85 and 86), or
// the given ones (UTF-8, as typed) where the table holds none.
std::string disegna_scenario(const scenario_compilato& s, const std::string& nome_linea,
                             const std::string& nome_treno);
