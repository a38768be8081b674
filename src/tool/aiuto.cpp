// Help texts and usage lines of the authoring tool.
#include "tool/aiuto.h"

#include <cstdio>
#include <string>

namespace {

struct voce_aiuto {
  std::string_view comando;
  std::string_view uso;
  std::string_view testo;
};

constexpr std::string_view uso_strumento = "usage: scenario COMMAND [ARGS...]   (scenario --help for the commands)";

constexpr std::string_view aiuto_strumento =
    "usage: scenario COMMAND [ARGS...]\n"
    "\n"
    "The scenario compiler for authors: compiles a line and a train description\n"
    "into the simulator's three files, decodes compiled files and draws them.\n"
    "\n"
    "Commands:\n"
    "  compile   compile a line and a train description into the compiled files\n"
    "  sources   write the embedded scenario's descriptions and documents\n"
    "  dump      decode compiled files, one record per line\n"
    "  plot      draw a compiled line's plan and profile as one SVG page\n"
    "  help      show the help of a command\n"
    "\n"
    "Run 'scenario help COMMAND' or 'scenario COMMAND --help' for a command's\n"
    "arguments and options.\n"
    "\n"
    "Exit status: 0 done, 1 the scenario or a compiled file has a problem,\n"
    "2 usage or file-system trouble.\n";

constexpr voce_aiuto voci[] = {
    {"compile",
     "usage: scenario compile LINE_FILE TRAIN_FILE [-o DIR] [--line-name N] [--train-name N] [--no-plan] "
     "[--force] [--json] [--quiet] [--verbose]",
     "usage: scenario compile LINE_FILE TRAIN_FILE [-o DIR] [--line-name N] [--train-name N]\n"
     "                        [--no-plan] [--force] [--json] [--quiet] [--verbose]\n"
     "\n"
     "Compiles a line description (NAME_linea.txt) and a train description\n"
     "(NAME_TRAIN-.txt) into the three files the simulator loads: the line plan\n"
     "NAME_linea.dat, the point table NAME_TRAIN.sim and the track cells\n"
     "NAME_TRAIN.dat. The description files are never changed.\n"
     "\n"
     "Problems are printed as FILE:LINE: error|warning: TEXT, with the offending\n"
     "line and a caret under the field. With a recorded problem nothing is\n"
     "written and the exit status is 1. The first 100 warnings are printed (or\n"
     "listed by --json), the rest only counted (\"warnings_not_listed\").\n"
     "\n"
     "The compiled files replace earlier ones as a set: each is written to a\n"
     "temporary file beside it (FILE.nuovo~) and all are moved into place only\n"
     "when every one is complete. When writing fails (a folder that cannot be\n"
     "written, a full disk), one line names the file and the reason, the exit\n"
     "status is 2 and the earlier files stay exactly as they were.\n"
     "\n"
     "Options:\n"
     "  -o DIR             folder for the compiled files (default: the current folder);\n"
     "                     created, with its parents, when it does not exist\n"
     "  --line-name N      line name, instead of the one in LINE_FILE's name\n"
     "  --train-name N     train name, instead of the one in TRAIN_FILE's name\n"
     "  --no-plan          compile without the plan: no NAME_linea.dat\n"
     "  --force            write the compiled files even with a recorded problem\n"
     "                     (the exit status stays 1)\n"
     "  --json             print the result as one JSON object on stdout\n"
     "  --quiet            do not print warnings\n"
     "  --verbose          also list what the finishing pass added, cell by cell\n"},
    {"sources", "usage: scenario sources [DIR]",
     "usage: scenario sources [DIR]\n"
     "\n"
     "Writes the embedded scenario's line and train descriptions and its crew\n"
     "documents into DIR (default: the current folder), without compiling or\n"
     "deleting anything, so that authors can start from them and compile them\n"
     "with 'scenario compile'.\n"},
    {"dump", "usage: scenario dump FILE... [--json] [--all] [--every N]",
     "usage: scenario dump FILE... [--json] [--all] [--every N]\n"
     "\n"
     "Decodes compiled files into one record per line, with the field names of\n"
     "the compiler's records. The kind of each file comes from its name:\n"
     "  NAME_linea.dat      the line plan: a summary (metres, elements per tag,\n"
     "                      bounding box, drawn length, turn of the heading)\n"
     "  NAME_TRAIN.dat      the track cells, one cella_percorso per 50 m\n"
     "  NAME_TRAIN.sim      the point table, 87 punto slots\n"
     "\n"
     "By default only cells that carry an object, a mark or header values, and\n"
     "slots that hold something, are shown.\n"
     "\n"
     "Options:\n"
     "  --all              every record (for a plan: every metre)\n"
     "  --every N          plan: a sampled point every N metres\n"
     "  --json             one JSON object on stdout instead of text\n"
     "\n"
     "A file whose length does not fit its layout is reported with the byte\n"
     "offset where it stops fitting, and the exit status is 1.\n"},
    {"plot", "usage: scenario plot [-o FILE.svg] LINE_NAME TRAIN_NAME [DIR]",
     "usage: scenario plot [-o FILE.svg] LINE_NAME TRAIN_NAME [DIR]\n"
     "\n"
     "Draws a compiled scenario as one SVG page, from DIR/LINE_NAME_linea.dat,\n"
     "DIR/LINE_NAME_TRAIN_NAME.sim and DIR/LINE_NAME_TRAIN_NAME.dat (DIR: the\n"
     "current folder by default): the line's plan to scale with a scale bar, the\n"
     "stations named along it, the signals and slowdowns marked; under it the\n"
     "profile along the line of line speed and gradient, with the stations.\n"
     "\n"
     "Options:\n"
     "  -o FILE.svg        where to write the page (default:\n"
     "                     LINE_NAME_TRAIN_NAME.svg in the current folder;\n"
     "                     - for standard output)\n"},
    {"help", "usage: scenario help [COMMAND]",
     "usage: scenario help [COMMAND]\n"
     "\n"
     "Shows the help of a command, or of the tool without one.\n"},
};

const voce_aiuto* voce(std::string_view comando) {
  for (const voce_aiuto& v : voci) {
    if (v.comando == comando) return &v;
  }
  return nullptr;
}

}  // namespace

std::string_view riga_uso(std::string_view comando) {
  const voce_aiuto* v = voce(comando);
  return v != nullptr ? v->uso : uso_strumento;
}

std::string_view testo_aiuto(std::string_view comando) {
  if (comando.empty()) return aiuto_strumento;
  const voce_aiuto* v = voce(comando);
  return v != nullptr ? v->testo : std::string_view{};
}

int errore_uso(std::string_view comando, std::string_view messaggio) {
  std::string testo = "scenario: ";
  if (!comando.empty() && voce(comando) != nullptr) testo += std::string(comando) + ": ";
  testo += std::string(messaggio) + "\n" + std::string(riga_uso(comando)) + "\n";
  std::fputs(testo.c_str(), stderr);
  return stato_uso;
}
