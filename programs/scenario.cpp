// The authoring tool: compiles, decodes and draws scenarios for their authors.
#include "tool/strumento.h"

int main(int argc, char** argv) { return esegui_strumento(argc, argv); }
