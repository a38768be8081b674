// The tool's dispatcher: the command name, then the command's own arguments;
// the help of the tool and of each command is answered here for all of them.
#include "tool/strumento.h"

#include <cstdio>
#include <string>
#include <vector>

#include "tool/aiuto.h"
#include "tool/comandi.h"

namespace {

using comando = int (*)(std::span<const std::string>);

struct voce_comando {
  const char* nome;
  comando esegui;
};

constexpr voce_comando comandi[] = {
    {"compile", comando_compile},
    {"sources", comando_sources},
    {"dump", comando_dump},
    {"plot", comando_plot},
};

bool chiede_aiuto(const std::string& a) { return a == "--help" || a == "-h"; }

int mostra_aiuto(std::string_view nome) {
  std::fputs(std::string(testo_aiuto(nome)).c_str(), stdout);
  return 0;
}

int comando_help(std::span<const std::string> argomenti) {
  if (argomenti.empty()) return mostra_aiuto("");
  if (argomenti.size() > 1) return errore_uso("help", "help takes one command name");
  const std::string& nome = argomenti.front();
  if (testo_aiuto(nome).empty()) return errore_uso("", "unknown command '" + nome + "'");
  return mostra_aiuto(nome);
}

}  // namespace

int esegui_strumento(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  if (argomenti.empty()) return errore_uso("", "no command given");
  const std::string& nome = argomenti.front();
  std::span<const std::string> resto(argomenti.data() + 1, argomenti.size() - 1);
  if (chiede_aiuto(nome)) return resto.empty() ? mostra_aiuto("") : comando_help(resto);
  if (nome == "help") return comando_help(resto);
  for (const voce_comando& c : comandi) {
    if (nome != c.nome) continue;
    for (const std::string& a : resto) {
      if (chiede_aiuto(a)) return mostra_aiuto(nome);
    }
    return c.esegui(resto);
  }
  if (!nome.empty() && nome.front() == '-') return errore_uso("", "unknown option '" + nome + "'");
  return errore_uso("", "unknown command '" + nome + "'");
}
