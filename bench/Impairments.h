#pragma once

#include <vector>

// Additive impairments of a recording: white noise, a steady carrier, impulse clicks.

// White Gaussian noise for snrDb in 3000 Hz against a signal of the given power (the noise spans 0-4000 Hz).
void addNoise(std::vector<float>& samples, double signalPower, double snrDb, unsigned seed);

// A steady unmodulated carrier of the given mean power over the whole recording.
void addCarrier(std::vector<float>& samples, double freqHz, double power);

// clicksPerSecond clicks at random instants within each second: 8-sample decaying bursts (1 ms) of random
// sign with the given peak.
void addClicks(std::vector<float>& samples, int clicksPerSecond, double peak, unsigned seed);
