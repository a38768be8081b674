// The three compiled files: plain little-endian dumps of the plan, the point
// table and the track cells, with no header, count or padding.
#pragma once

#include "model/area_lavoro.h"
#include "platform/scrittura_file.h"

// Every element of the plan, component 0 for all metres, then component 1:
// a 2-byte tag, then nothing (empty), an Integer or a Double.
void scrivi_tracciato_in(scrittore& s, const tracciato_piano& t);

// The 87 slots, each 34 bytes plus the length of its name.
void scrivi_punti_in(scrittore& s, const area_lavoro& a);

// Cells 0 to P, 15 bytes each.
void scrivi_celle_in(scrittore& s, const area_lavoro& a);
