// The commands of the authoring tool; each takes the arguments after its name
// and returns the exit status (0 done, 1 the scenario has a problem, 2 usage or
// file-system trouble).
#pragma once

#include <span>
#include <string>

int comando_compile(std::span<const std::string> argomenti);
int comando_sources(std::span<const std::string> argomenti);
int comando_dump(std::span<const std::string> argomenti);
int comando_plot(std::span<const std::string> argomenti);
