// Reads a description file field by field: text fields, numbers, and the
// end-of-file test that both descriptions share. The reader streams: it holds
// one block of the file and one field at a time, never the whole file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memoria.h"

struct lettore {
  std::FILE* file = nullptr;
  std::vector<char, allocatore_pagine<char>> blocco;
  size_t inizio_blocco = 0;  // next unread byte of the block
  size_t fine_blocco = 0;
  // Where the next byte stands (line and column from 1), and where the field
  // last read began.
  int32_t riga = 1;
  int32_t colonna = 1;
  int32_t riga_campo = 0;
  int32_t colonna_campo = 0;
};

// A field longer than this is a reading failure, so that a file without
// separators cannot make the reader hold it whole.
inline constexpr size_t lunghezza_massima_campo = 4u << 20;

bool apri(lettore& l, const std::filesystem::path& file);
void chiudi(lettore& l);

// True when no byte at all is left in the file.
bool alla_fine(lettore& l);

// Cuts the next field as text. Fails only when no byte is left (or the field
// is beyond the length limit).
bool leggi_testo(lettore& l, std::string& campo);

// Cuts the next field as a number and converts it, rounding half to even, into
// the target's range (int32, int16, or 0 to 255 for a byte). Fails on no byte
// left, on a field that is not a number, and on a value outside the range.
bool leggi_numero(lettore& l, int32_t& valore);
bool leggi_numero(lettore& l, int16_t& valore);
bool leggi_numero(lettore& l, uint8_t& valore);

// The number a text reads as, under the same rules, before rounding; false
// when the text is not a number.
bool converti_numero(std::string_view testo, double& valore);

// Keyword tests: substring tests over the whole field.
bool contiene(std::string_view campo, std::string_view chiave);
bool contiene_maiuscole_minuscole(std::string_view campo, std::string_view chiave);

// A keyword field holding "-" is a comment.
inline bool commento(std::string_view campo) { return campo.find('-') != std::string_view::npos; }
