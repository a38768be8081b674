// The platform layer: the few things the programs ask of the operating system
// and its window system. One implementation per platform, chosen at build time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// The folder that holds the running program's executable file.
std::filesystem::path cartella_programma();

// Shows the waiting window ("Attendere") and paints it once; the run then
// does its work without servicing the window again.
void mostra_attesa();

// Shows a message in a modal box with a single OK button and waits for it.
void mostra_messaggio(const std::string& testo);

// Ends the process at once with the given exit status.
[[noreturn]] void termina(int stato);

// The program's arguments after its name, in UTF-8 whatever the platform hands
// over (Windows passes them in its ANSI code page, which cannot hold every name).
std::vector<std::string> argomenti_programma(int argc, char** argv);

// Paths from and to the UTF-8 texts the programs work in: a narrow string
// means the ANSI code page to Windows, so every conversion goes through these.
inline std::filesystem::path percorso_da_testo(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string testo_da_percorso(const std::filesystem::path& p) {
  const std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

// Opens a file by path (wide-character on Windows), as std::fopen does.
std::FILE* apri_file(const std::filesystem::path& percorso_file, const char* modo);

// Moves an open file's position to byte `posizione` (past its end too, to
// write there); false when the system refuses.
bool sposta_a(std::FILE* file, uint64_t posizione);
