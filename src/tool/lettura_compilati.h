// Decodes the three compiled scenario files (track cells, point table, line
// plan) back into workspace records. Strict: every byte must belong to a record
// and no field may run past the end, so a damaged file is refused with the
// offset of the first byte that does not fit its layout.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/area_lavoro.h"
#include "platform/scrittura_file.h"

// Bytes of one track cell record.
constexpr int64_t byte_per_cella = 15;
// Bytes of a point-table slot without the bytes of its name.
constexpr int64_t byte_per_punto_senza_nome = 34;

// Where and why a file stops fitting its layout.
struct guasto_formato {
  int64_t offset = 0;
  std::string motivo;
};

// Which compiled file a name stands for, as the writers name them:
// NAME_linea.dat the plan, any other .dat the track cells, .sim the point table.
enum class tipo_compilato { sconosciuto, celle, punti, tracciato };
tipo_compilato tipo_dal_nome(const std::filesystem::path& file);

std::optional<guasto_formato> decodifica_celle(std::span<const uint8_t> byte,
                                               std::vector<cella_percorso>& celle);
std::optional<guasto_formato> decodifica_punti(std::span<const uint8_t> byte,
                                               std::array<punto, numero_punti>& punti);
// Fills every element with its tag; integers are held exactly in `valore`.
std::optional<guasto_formato> decodifica_tracciato(std::span<const uint8_t> byte, piano_per_metro& piano);

// The slot map: stations from slot 1 upward, signboard texts from slot 80
// downward, each run ending at the first slot that holds nothing.
bool punto_vuoto(const punto& p);
int numero_stazioni(const std::array<punto, numero_punti>& punti);
int numero_cartelli(const std::array<punto, numero_punti>& punti);
constexpr int slot_ultimo_cartello = 80;

// Reads a whole file into memory.
std::optional<errore_file> carica_file(const std::filesystem::path& file, std::vector<uint8_t>& byte);

// The three compiled files of one scenario in a folder, decoded.
struct scenario_compilato {
  std::vector<cella_percorso> percorso;
  std::array<punto, numero_punti> punti;
  piano_per_metro tracciato;
};

// A compiled file that could not be used: which file, and either the system's
// reason or the layout fault with its offset.
struct errore_compilato {
  std::filesystem::path file;
  std::optional<errore_file> errore_sistema;
  std::optional<guasto_formato> guasto;
};

// One line for people: "FILE: REASON" or "FILE: error at byte offset N: REASON".
std::string descrivi(const errore_compilato& e);

// Loads NAME_linea.dat, NAME_TRAIN.sim and NAME_TRAIN.dat from the folder.
std::optional<errore_compilato> carica_scenario(const std::filesystem::path& cartella,
                                                const std::string& nome_linea,
                                                const std::string& nome_treno,
                                                scenario_compilato& scenario);
