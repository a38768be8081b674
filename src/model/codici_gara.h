// The two competition check codes, computed from the scenario's two names.
#pragma once

#include <cstdint>

#include "model/area_lavoro.h"

// The plain sum of the first 25 character codes of the code text.
int32_t codice_gara_og(area_lavoro& a);

// The sum of each of the first 25 character codes times its position (1 to 25).
int32_t codice_gara_st(area_lavoro& a);
