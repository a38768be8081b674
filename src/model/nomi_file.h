// The names of every file the run touches, built from the scenario's two names.
#pragma once

#include <string>

#include "model/area_lavoro.h"

inline std::string nome_descrizione_linea(const area_lavoro& a) { return a.nome_linea + "_linea.txt"; }
inline std::string nome_descrizione_treno(const area_lavoro& a) {
  return a.nome_linea + "_" + a.nome_treno + "-.txt";
}
inline std::string nome_note(const area_lavoro& a) { return a.nome_linea + "_" + a.nome_treno + "_note.txt"; }
inline std::string nome_rallentamenti(const area_lavoro& a) {
  return a.nome_linea + "_" + a.nome_treno + "_rallentamenti.txt";
}
inline std::string nome_scheda(const area_lavoro& a) {
  return a.nome_linea + "_" + a.nome_treno + "_scheda_treno.txt";
}
inline std::string nome_file_tracciato(const area_lavoro& a) { return a.nome_linea + "_linea.dat"; }
inline std::string nome_file_punti(const area_lavoro& a) { return a.nome_linea + "_" + a.nome_treno + ".sim"; }
inline std::string nome_file_celle(const area_lavoro& a) { return a.nome_linea + "_" + a.nome_treno + ".dat"; }
