// pskcore-encode: writes the PSK31 transmission of a text as an 8000 Hz 16-bit mono WAV file.
#include "Options.h"
#include "WavIo.h"

#include "pskcore/Cp1252.h"
#include "pskcore/dsp/Modulator.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr const char* kUsage =
    "usage: pskcore-encode [--mode bpsk|qpsk-usb|qpsk-lsb] [--freq HZ] [--level DBFS] [--cwid TEXT] TEXT|- OUT.wav";
// Sent for a character the air's character set has no byte for.
constexpr char kUnknownCharacter = '?';
constexpr std::size_t kMaxInputBytes = 1 << 20; // text from standard input: far more than hours on the air
constexpr std::size_t kMaxSamples = std::size_t(kSampleRate) * 3600 * 4; // four hours

int fail(const std::string& message)
{
    // One line whatever the message holds (a file name may contain a line break).
    std::string line = message;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    std::fprintf(stderr, "pskcore-encode: %s\n", line.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    PskMode mode = PskMode::Bpsk;
    double freqHz = 1000, levelDb = -6;
    std::optional<std::string> cwid;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--mode" || arg == "--freq" || arg == "--level" || arg == "--cwid") {
            if (i + 1 >= argc)
                return fail(arg + " needs a value");
            const std::string v = argv[++i];
            if (arg == "--mode") {
                const auto m = parseMode(v);
                if (!m)
                    return fail("--mode must be bpsk, qpsk-usb or qpsk-lsb, not '" + v + "'");
                mode = *m;
            } else if (arg == "--freq") {
                const auto f = parseNumber(v, kMinAudioHz, kMaxAudioHz);
                if (!f)
                    return fail("--freq must be a frequency from 100 to 3900 Hz, not '" + v + "'");
                freqHz = *f;
            } else if (arg == "--level") {
                const auto l = parseNumber(v, -60, 0);
                if (!l)
                    return fail("--level must be from -60 to 0 dBFS, not '" + v + "'");
                levelDb = *l;
            } else {
                cwid = v;
            }
        } else if (arg == "-h" || arg == "--help") {
            std::printf("%s\n", kUsage);
            return 0;
        } else if (arg == "--version") {
            std::printf("%s\n", versionLine("pskcore-encode").c_str());
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "' (" + kUsage + ")");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return fail(std::string("expected TEXT (or - for standard input) and OUT.wav (") + kUsage + ")");
    std::string text = positional[0];
    if (text == "-") {
        text.clear();
        std::vector<char> chunk(65536);
        while (text.size() <= kMaxInputBytes) {
            const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), stdin);
            text.append(chunk.data(), n);
            if (n < chunk.size())
                break;
        }
        if (text.size() > kMaxInputBytes)
            return fail("standard input holds more than 1 MB of text");
        if (std::ferror(stdin))
            return fail("cannot read standard input");
    }

    Modulator tx;
    tx.setMode(mode);
    tx.setFrequency(freqHz);
    tx.setLevelDb(levelDb);
    if (cwid)
        tx.setCwIdText(*cwid);
    tx.startText();
    // Line breaks go on the air as CR LF.
    for (unsigned char c : cp1252::fromUtf8(text, kUnknownCharacter)) {
        if (c == '\n') {
            tx.queueChar('\r');
            tx.queueChar('\n');
        } else if (c != '\r') {
            tx.queueChar(c);
        }
    }
    if (cwid)
        tx.requestCwId();
    tx.stop();

    std::string error;
    WavOutput8k output;
    if (!output.open(positional[1], error))
        return fail(error);
    std::vector<float> block(4096);
    std::size_t written = 0;
    while (!tx.finished()) {
        const std::size_t n = tx.render(block);
        output.write(std::span<const float>(block).first(n));
        written += n;
        if (written > kMaxSamples) {
            output.discard();
            return fail("text too long (more than four hours on the air)");
        }
    }
    if (!output.close(error))
        return fail(error);
    return 0;
}
