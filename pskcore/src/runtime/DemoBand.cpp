#include "runtime/DemoBand.h"

#include <algorithm>

namespace pskcore {

std::vector<DemoBand::Track> DemoBand::stations()
{
    const auto bpsk = PskMode::Bpsk;
    return {
        {1550, 2.0,
         {{-16, 0, bpsk, "CQ CQ CQ de F4DXK F4DXK F4DXK pse k\r\n"},
          {-27, 3, bpsk, "F4DXK de ON7RB ON7RB k\r\n"},
          {-16, 0, bpsk, "ON7RB de F4DXK\r\nGood evening, thanks for the call.\r\nYour RST 579 579\r\n"
                         "Name Pierre, QTH Rennes.\r\nON7RB de F4DXK k\r\n"},
          {-27, 3, bpsk, "F4DXK de ON7RB\r\nMerci Pierre, RST 599 here.\r\nName Luc, QTH Gent.\r\n"
                         "73 F4DXK de ON7RB sk\r\n"},
          {-16, 0, bpsk, "73 Luc, tnx QSO. ON7RB de F4DXK sk\r\n"}}},
        {2050, 3.0,
         {{-21, 0, bpsk, "CQ CQ CQ de EA3GHZ EA3GHZ EA3GHZ pse k\r\n"},
          {-30, -4, bpsk, "EA3GHZ de DL2MSK DL2MSK k\r\n"},
          {-21, 0, bpsk, "DL2MSK de EA3GHZ ur RST 569 569, name Jordi. hw? k\r\n"},
          {-30, -4, bpsk, "EA3GHZ de DL2MSK fb Jordi, ur 579 579, name Jens. 73 sk\r\n"}}},
        {1200, 4.0, {{-22, 0, PskMode::QpskUsb, "CQ CQ de G4FZN G4FZN in QPSK31 pse k\r\n"}}},
        {2650, 5.0, {{-33, 0, bpsk, "CQ CQ CQ de I5TQR I5TQR I5TQR k\r\n"}}},
        {800, 6.0, {{-24, 0, bpsk, "QRL? de SM5KJA\r\nCQ CQ de SM5KJA SM5KJA k\r\n"}}},
    };
}

DemoBand::DemoBand(uint32_t seed) : m_random(seed)
{
    std::size_t index = 0;
    for (auto& track : stations()) {
        Station& station = m_stations.emplace_back();
        station.track = std::move(track);
        // Stagger the first overs so the band fills up over the first seconds.
        station.pause = index++ * std::size_t(1.5 * kSampleRate);
    }
}

void DemoBand::render(std::span<float> out)
{
    for (float& sample : out)
        sample += m_noise(m_random);
    for (Station& station : m_stations)
        renderStation(station, out);
}

void DemoBand::renderStation(Station& station, std::span<float> out)
{
    std::size_t pos = 0;
    while (pos < out.size()) {
        if (station.pause > 0) {
            const std::size_t skip = std::min(station.pause, out.size() - pos);
            station.pause -= skip;
            pos += skip;
            continue;
        }
        if (!station.onAir) {
            const Over& over = station.track.overs[station.next];
            station.modulator.setFrequency(station.track.freqHz + over.offsetHz);
            station.modulator.setLevelDb(over.levelDb);
            station.modulator.setMode(over.mode);
            for (char c : over.text)
                station.modulator.queueChar(static_cast<uint8_t>(c));
            station.modulator.requestReturnToReceive();
            station.modulator.startText();
            station.onAir = true;
        }
        m_scratch.resize(out.size() - pos);
        const std::size_t written = station.modulator.render(m_scratch);
        for (std::size_t n = 0; n < written; ++n)
            out[pos + n] += m_scratch[n];
        pos += written;
        if (written < m_scratch.size() || station.modulator.finished()) {
            station.onAir = false;
            station.next = (station.next + 1) % station.track.overs.size();
            station.pause = std::size_t(station.track.gapSeconds * kSampleRate);
        }
    }
}

} // namespace pskcore
