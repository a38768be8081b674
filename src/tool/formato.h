// printf-style formatting into strings, for the tool's messages and outputs;
// the numbers come out the same in every locale the tool may run under, since
// the tool never changes the C locale.
#pragma once

#include <string>

#if defined(__GNUC__)
#define FORMATO_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define FORMATO_PRINTF(f, a)
#endif

FORMATO_PRINTF(1, 2) std::string formato(const char* modello, ...);
FORMATO_PRINTF(2, 3) void aggiungi(std::string& s, const char* modello, ...);
