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
