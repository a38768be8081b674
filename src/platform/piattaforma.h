// The platform layer: the few things the programs ask of the operating system
// and its window system. One implementation per platform, chosen at build time.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// The folder that holds the running program's executable file.
std::filesystem::path cartella_programma();

// Shows the waiting window ("Attendere") and paints it once; the run then
// does its work without servicing the window again.
void mostra_attesa();

// Shows a message in a modal box with a single OK button and waits for it.
void mostra_messaggio(const std::string& testo);

// Ends the process at once with the given exit status.
[[noreturn]] void termina(int stato);

// Opens a file by path (wide-character on Windows), as std::fopen does.
std::FILE* apri_file(const std::filesystem::path& percorso_file, const char* modo);
