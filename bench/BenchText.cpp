#include "BenchText.h"

namespace {

// Our own prose, the kind of text exchanged on the air; repeated as needed.
const char* const kPassage =
    "The band was quiet this morning, so I called for a while on the usual frequency and listened between "
    "calls. After a few minutes a station from the north answered with a clean signal and a steady trace on "
    "the waterfall. We exchanged names, locations and signal reports, then talked about antennas and the "
    "weather. He uses a long wire strung between two old trees behind the house and a small tuner at the "
    "window, running about twenty watts from a transceiver he built from a kit many years ago. I told him "
    "about my own dipole, which sags a little more every winter, and about the new sound card interface that "
    "finally cured the hum on my transmitted signal. Keyboard modes reward patience: a weak signal that "
    "barely shows on the screen can still carry a whole conversation if both operators keep their power "
    "modest and their audio clean. When the noise rises, the text breaks into odd letters for a moment, and "
    "then the words come back as the fading passes. Some operators prefer short exchanges with only the "
    "essentials, while others enjoy a long chat over a cup of coffee. Both are part of the fun of the hobby. "
    "Later in the afternoon the conditions improved and several stations from the south and the west came "
    "through, one of them using the quadrature mode with its error correcting code, which held up very well "
    "through a deep fade. We compared notes on software, on the habit of sending a short test before a "
    "contact, and on the best way to keep the transmitter from overdriving, since a distorted signal spreads "
    "across the band and annoys everybody nearby. A quiet evening at the radio is a good way to end a busy "
    "week. Thank you for the contact and for the fine report, I hope to meet you again on the band soon, and "
    "until then good luck with the new antenna and best regards to your family. ";

// Invented call signs and details; mixed case, digits, strokes and punctuation as logged on the air.
const char* const kCallSigns =
    "CQ CQ DE OK2VRT OK2VRT PSE K  OK2VRT DE KB7QZN/P KB7QZN/P KN  KB7QZN DE OK2VRT GM OM TNX CALL UR RST 579 "
    "579 NAME IS Pavel QTH BRNO JN89HE PWR 25W ANT GP AT 12M  BTU KB7QZN DE OK2VRT  OK2VRT DE KB7QZN R FB PAVEL "
    "UR 599 IN IDAHO DN13 QSL VIA LOTW OR BURO  PSE QSY 14.072 OR 7.038 MHZ? HW? 73  DL4MJW/QRP 5W 339 QSB "
    "FREQ 10142.3 KHZ LOC JO62QM SER 0417 0418 0419  EA8/G3XFK 1520Z 21.07.2024 TEMP -3C  VK6ZTB 2E0OUY "
    "JA1HQC 4X6KPD YB0AR ZS6BNT  UR SIG 59+10DB 1/2 KW 3EL YAGI @ 18M  #42 & 7% = 0.294  <TU> 73 SK ";

} // namespace

std::string benchText(std::size_t chars, unsigned offset)
{
    const std::string passage(kPassage);
    std::string text;
    std::size_t pos = (offset * 997u) % passage.size();
    // Start on a word boundary so every run reads as prose.
    while (pos < passage.size() && passage[pos] != ' ')
        ++pos;
    pos = (pos + 1) % passage.size();
    while (text.size() < chars) {
        text += passage[pos];
        pos = (pos + 1) % passage.size();
    }
    return text;
}

std::string callSignText()
{
    return kCallSigns;
}
