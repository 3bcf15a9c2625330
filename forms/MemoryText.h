#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

// A number with the pattern "#.###": no forced digit, at most three decimals
// (rounded), the decimal separator only when decimals remain, no grouping.
QString formatHashPattern(double value, const QLocale &locale);

// "Memoire RAM: 65536 Ko" for a total of 64 MiB of physical memory.
QString memoryReadOut(std::uint64_t totalBytes, const QLocale &locale = QLocale());

// Total physical memory in bytes; 0 when the system does not say.
std::uint64_t totalPhysicalMemory();
