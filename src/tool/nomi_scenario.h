// Scenario names given to the tool: taken from the description file names or
// from options, and refused when they could not stand in a file name.
#pragma once

#include <optional>
#include <string>

// Empty when the name may be used; otherwise why it is refused.
std::optional<std::string> nome_rifiutato(const std::string& nome, bool nome_treno);

// The line name of NAME_linea.txt; empty when the file name has another shape.
std::string nome_linea_da_file(const std::string& file);

// The train name of LINE_TRAIN-.txt; empty when the file name has another shape.
std::string nome_treno_da_file(const std::string& file, const std::string& nome_linea);
