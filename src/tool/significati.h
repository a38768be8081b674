// What each recorded code means, in plain words for scenario authors.
#pragma once

#include <cstdint>

const char* significato_codice(int32_t codice);

// Whether a recorded code comes with a position along the line.
bool codice_con_posizione(int32_t codice, uint8_t descrizione);
