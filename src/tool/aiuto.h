// The tool's help: the usage line and the help text of every command, and the
// one way a usage error is reported (a message, the usage line, exit 2).
#pragma once

#include <string_view>

// Exit status of a usage error.
constexpr int stato_uso = 2;

// The usage line of a command ("usage: scenario dump FILE... [--json] ...");
// the tool's own usage line for an empty or unknown name.
std::string_view riga_uso(std::string_view comando);

// The whole help of a command, or of the tool for an empty name; empty for an
// unknown command.
std::string_view testo_aiuto(std::string_view comando);

// Prints "scenario: MESSAGE" and the command's usage line on stderr; returns
// the usage error status.
int errore_uso(std::string_view comando, std::string_view messaggio);
