// Test support: small description fixtures written into a temporary folder and
// compiled in process, and the real programs run in a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/memorizza_percorso.h"
#include "model/area_lavoro.h"

// A fresh temporary folder, removed with its content when the object goes.
struct cartella_temporanea {
  std::filesystem::path percorso;
  cartella_temporanea();
  ~cartella_temporanea();
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;
};

// Lines joined with CR LF, a CR LF after the last.
std::string righe(std::initializer_list<std::string> testo);

void scrivi_testo(const std::filesystem::path& file, const std::string& contenuto);
std::string leggi_byte(const std::filesystem::path& file);

// The general section of a line of the given length, with the references
// and backgrounds of the embedded line, closed by "[curve]".
std::string generale(int32_t lunghezza = 227550);

// A line description: the general section, then the given rows, then "[fine]".
std::string linea_con(std::initializer_list<std::string> righe_dopo, int32_t lunghezza = 227550);

// A train description: "[generale]", the given rows, "[fine]".
std::string treno_con(std::initializer_list<std::string> righe_treno);

struct compilato {
  cartella_temporanea cartella;
  area_lavoro a;
  int32_t intestazione = 0;
};

// Writes the two descriptions as Valmorana_linea.txt and Valmorana_Corsola-.txt,
// compiles them in process with argument j and leaves the workspace for checks.
void compila_testi(compilato& c, const std::string& linea, const std::string& treno, int32_t j = 1);

// Writes the two descriptions as compila_testi does and reads them with
// memorizza_dati alone: the workspace as the train half leaves it, before the
// finishing pass and the header stamps.
void leggi_testi(compilato& c, const std::string& linea, const std::string& treno);

// A station row: position, kind and length, then fields 4 to 17 as given.
std::string stazione(int32_t posizione, int tipo, int32_t lunghezza,
                     const std::string& resto = "0, 0, 0,  0, 0,  0,  0, 0, 0,  0,  0, 0, 0,  Fermata");

// Runs a program with arguments in a folder; returns its exit status and
// fills what it printed on standard output and standard error.
int esegui(const std::string& programma, const std::vector<std::string>& argomenti,
           const std::filesystem::path& cartella, std::string* uscita = nullptr, std::string* errori = nullptr);
