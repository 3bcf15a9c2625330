#pragma once

#include "BenchOptions.h"

// The benchmark's sections; each prints its own table.
void whiteNoiseTable(const BenchOptions& o);
void speed(const BenchOptions& o);
void robustness(const BenchOptions& o);
void fadingTable(const BenchOptions& o);
