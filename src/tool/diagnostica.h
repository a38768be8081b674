// Messages for scenario authors, printed the way compilers print them:
// "FILE:LINE: error 16 at 2500 m: TEXT" or "FILE:LINE: warning: TEXT", the
// offending line, and a caret under the field.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// Prints the messages in their order. Each file is read on from where the
// previous message left it, so that messages in line order cost one pass over
// the file however many there are.
void stampa_messaggi(std::FILE* uscita, const std::vector<messaggio>& messaggi, bool colori);

// A file read line by line in increasing order of line numbers; asking for an
// earlier line starts again from the top.
struct righe_di_file {
  std::filesystem::path file;
  std::FILE* f = nullptr;
  int32_t corrente = 1;  // the line the next byte belongs to
  int precedente = 0;    // the byte read last, to pair CR LF
};

// Line `riga` of the file, without its line end (at most its first MiB);
// empty when there is none.
std::string riga_numero(righe_di_file& r, int32_t riga);
void chiudi_righe(righe_di_file& r);

// Line `riga` of a file, without its line end; empty when there is none.
std::string riga_del_file(const std::filesystem::path& file, int32_t riga);

// "1 error, 3 warnings"
std::string conteggio(int64_t errori, int64_t avvisi);
