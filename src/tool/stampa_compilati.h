// Decoded compiled files as `scenario dump` prints them: one record per line
// with the workspace's field names, as text for people or as JSON.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/area_lavoro.h"

struct scelta_stampa {
  bool json = false;
  bool tutto = false;  // every record, not only those that hold something
  int64_t ogni = 0;    // plan: a sampled point every so many metres; 0 none
};

// A cell worth showing by default: it carries an object, a mark or header
// values (cell 1), not only the values of its stretch of line.
bool cella_notevole(const cella_percorso& c);

// Each appends one file's description to `uscita`: text lines ending in a line
// break, or one JSON object without a trailing break.
void stampa_celle(const std::string& file, size_t byte, const std::vector<cella_percorso>& celle,
                  const scelta_stampa& scelta, std::string& uscita);
void stampa_punti(const std::string& file, size_t byte, const std::array<punto, numero_punti>& punti,
                  const scelta_stampa& scelta, std::string& uscita);
void stampa_tracciato(const std::string& file, size_t byte, const piano_per_metro& piano,
                      const scelta_stampa& scelta, std::string& uscita);

// What a slot stands for in the slot map ("station 3", "line header", ...).
std::string ruolo_slot(const std::array<punto, numero_punti>& punti, int slot);
