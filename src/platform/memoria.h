// Preparing the workspace's large arrays before they are filled.
#pragma once

#include <cstddef>

// Takes in, in one go, the pages under a large array that is about to be
// filled, asking for large pages where they fit. The plan of a long line spans
// thousands of small pages, and taking each one in on its first touch costs
// more than computing the plan. Only a request: where the system has no such
// means, the pages come in on first touch as before.
void prepara_pagine(void* inizio, size_t byte);
