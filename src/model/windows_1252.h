// The system's single-byte character set, Windows-1252: the character each
// byte stands for, and the byte of a character.
#pragma once

// The character of a byte; 0 for the five bytes the code page leaves unused.
char32_t carattere_1252(unsigned char b);

// The byte of a character; false when the code page has none for it.
bool byte_1252(char32_t c, unsigned char& b);
