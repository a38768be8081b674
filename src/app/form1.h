// The installer's run: the start-up sequence of its one window and `errore`.
#pragma once

#include <string>

// The whole run of the installer; never returns.
[[noreturn]] void Form_Load();

// Shows " Errore n. " followed by a in the message box and ends the run with
// exit status 1.
[[noreturn]] void errore(const std::string& a);
