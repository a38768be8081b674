// The command line of the authoring tool `scenario`.
#pragma once

// Runs the tool with the program's arguments; returns the exit status.
int esegui_strumento(int argc, char** argv);
