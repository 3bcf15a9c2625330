#pragma once

#include <string>

// Plain English text for the benchmark: at least `chars` characters taken from a fixed passage.
std::string benchText(std::size_t chars, unsigned offset = 0);

// An exchange dense with call signs, signal reports, numbers and abbreviations (about 500 characters).
std::string callSignText();
