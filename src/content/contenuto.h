// The five text lists the installer carries (the line and train descriptions,
// the notes, the slow-order form and the train sheet) and their writers.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

// Every list ends with this entry, which is never written.
inline constexpr const char* marcatore_fine = "riferimento fine del file";

// A content list: the entries in order, the end marker last. Entries are UTF-8
// in the source and written in Windows-1252.
using lista_righe = std::span<const char* const>;

lista_righe righe_linea();
lista_righe righe_treno();
lista_righe righe_note();
lista_righe righe_rallentamenti();
lista_righe righe_scheda();
