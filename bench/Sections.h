#pragma once

#include "BenchOptions.h"

// The benchmark's sections; each prints its own table.
void whiteNoiseTable(const BenchOptions& o);
void speed(const BenchOptions& o);
void robustness(const BenchOptions& o);
void printedFromNoise(const BenchOptions& o);
void fadingTable(const BenchOptions& o);
void carrierInterference(const BenchOptions& o);
void impulseNoise(const BenchOptions& o);
void clickAcquisition(const BenchOptions& o);
void sMeter(const BenchOptions& o);
void denseCopy(const BenchOptions& o);
void bandBrowse(const BenchOptions& o);
