// Whether an output stream is a terminal, so that colour is used only there.
#pragma once

#include <cstdio>

#ifdef _WIN32
#include <io.h>
inline bool e_terminale(std::FILE* f) { return _isatty(_fileno(f)) != 0; }
#else
#include <unistd.h>
inline bool e_terminale(std::FILE* f) { return isatty(fileno(f)) != 0; }
#endif
