// The emission procedure shared by the five text writers: one content list,
// written up to its end marker, CR LF after each line, in Windows-1252.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "content/contenuto.h"
#include "model/area_lavoro.h"
#include "platform/scrittura_file.h"

// Appends the Windows-1252 bytes of a UTF-8 text; false (and nothing appended
// for the offending character) when a character has no byte in that code page.
bool codifica_1252(std::string_view utf8, std::string& uscita);

// The bytes of a list as its file holds them. Fails (nullopt) when an entry
// holds a character without a Windows-1252 byte or a line break.
std::optional<std::string> testo_lista(lista_righe righe);

// Writes one list to its file, replacing it whole.
std::optional<errore_file> emetti(lista_righe righe, const std::filesystem::path& destinazione);

// The five writers of the run, each into the given folder.
std::optional<errore_file> dati_linea(const area_lavoro& a, const std::filesystem::path& cartella);
std::optional<errore_file> dati_treno(const area_lavoro& a, const std::filesystem::path& cartella);
std::optional<errore_file> dati_note(const area_lavoro& a, const std::filesystem::path& cartella);
std::optional<errore_file> dati_rallentamenti(const area_lavoro& a, const std::filesystem::path& cartella);
std::optional<errore_file> dati_scheda(const area_lavoro& a, const std::filesystem::path& cartella);
