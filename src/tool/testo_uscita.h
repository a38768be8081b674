// The compiled files' names and texts, held in Windows-1252, as the tool's
// outputs carry them: quoted text for people, JSON strings and XML text, all
// in UTF-8.
#pragma once

#include <string>
#include <string_view>

// "text" in UTF-8 with \" and \\ escaped; bytes that stand for no printable
// character (controls, the unused bytes of the code page) as \xNN.
std::string citazione_testo(std::string_view byte_1252);

// A JSON string literal, quotes included. Unused bytes of the code page keep
// their byte value as the code point, so nothing is lost.
std::string stringa_json(std::string_view byte_1252);

// Text for an XML element or attribute, with & < > " ' escaped; characters
// that XML cannot hold become U+FFFD.
std::string testo_xml(std::string_view byte_1252);

// The same for a UTF-8 text (a name as typed on the command line); malformed
// sequences become U+FFFD.
std::string testo_xml_utf8(std::string_view utf8);

// Number of characters the text shows (one per byte in this code page).
inline size_t caratteri(std::string_view byte_1252) { return byte_1252.size(); }
