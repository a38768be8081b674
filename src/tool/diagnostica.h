// Messages for scenario authors, printed the way compilers print them:
// "FILE:LINE: error 16 at 2500 m: TEXT" or "FILE:LINE: warning: TEXT", the
// offending line, and a caret under the field.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

struct messaggio {
  std::string file;      // as the author named it; empty when there is no file
  int32_t riga = 0;      // from 1; 0 when the message has no line
  int32_t colonna = 0;   // from 1
  bool errore = true;    // error or warning
  int32_t codice = 0;    // the recorded code of an error
  std::string dove;      // where along the line ("at 2500 m"), when the code has a place
  std::string testo;
};

// Prints the message, then the line it points at with a caret under the field
// (a long line is cut around the field).
void stampa_messaggio(std::FILE* uscita, const messaggio& m, bool colori);

// Line `riga` of a file, without its line end; empty when there is none.
std::string riga_del_file(const std::filesystem::path& file, int32_t riga);

// "1 error, 3 warnings"
std::string conteggio(int errori, int avvisi);
