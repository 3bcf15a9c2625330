#pragma once

#include <QLocale>
#include <QString>
#include <utility>

// The product banner at the head of the main window's caption.
inline const QString kProductBanner = QStringLiteral("Korvo v1.7c - Terminal PSK31");

// "<banner> - <MYCALL>": the caption carries the operator's call upper-cased, then
// in brackets what stands in for the sound card, if anything does.
QString mainWindowCaption(const QString &myCall, const QString &standInNote = QString());

// "pskcore.dll version 1.7  ": a point after the first digit of the engine's version.
QString engineVersionCaption(int version);

// "Replay 0,256 secondes": blocks of 0.256 s written with the locale's decimal
// separator, up to 15 significant digits, no trailing zeros.
QString replayHint(int blocks, const QLocale &locale = QLocale::system());

// The two receive channels around the band's centre, each kept within 1-3996 Hz.
std::pair<int, int> channelPlacement(int wfMin, int wfMax);

// The hint of the "Port COM" indicator; empty when no line keys the transmitter.
QString portIndicatorHint(int pttControl, int comPort);
