// The few JSON pieces the tool prints.
#pragma once

#include <string>
#include <string_view>

// A JSON string literal, quotes included.
std::string json_testo(std::string_view testo);
