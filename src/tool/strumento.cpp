// The tool's dispatcher: the command name, then the command's own arguments.
#include "tool/strumento.h"

#include <cstdio>
#include <string>
#include <vector>

#include "tool/comandi.h"

int esegui_strumento(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  if (argomenti.empty()) {
    std::fputs("usage: scenario COMMAND [ARGS...]\n", stderr);
    return 2;
  }
  std::string comando = argomenti.front();
  std::span<const std::string> resto(argomenti.data() + 1, argomenti.size() - 1);
  if (comando == "compile") return comando_compile(resto);
  if (comando == "sources") return comando_sources(resto);
  if (comando == "dump") return comando_dump(resto);
  if (comando == "plot") return comando_plot(resto);
  std::fprintf(stderr, "scenario: unknown command '%s'\n", comando.c_str());
  return 2;
}
