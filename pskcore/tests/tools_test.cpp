// The command-line tools as an operator runs them: round trips and every error path.
#include "ModemFixtures.h"
#include "SyntheticBand.h"
#include "pskcore/dsp/Resampler.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdio>
#include <fcntl.h>
#include <random>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pskcore;

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class Tools : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("pskcore_tools_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    static std::string slurp(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The tool runs under timeout: one that blocks fails the test (status 124) instead of hanging it.
    Result run(const std::string& tool, const std::string& args, const std::string& input = "/dev/null",
               const std::string& output = "") const
    {
        const std::string out = output.empty() ? path("stdout.txt") : output, err = path("stderr.txt");
        const std::string command =
            "timeout 60 '" + tool + "' " + args + " >'" + out + "' 2>'" + err + "' <'" + input + "'";
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = output.empty() ? slurp(out) : "";
        r.err = slurp(err);
        return r;
    }

    Result decode(const std::string& args) const { return run(PSKCORE_DECODE_TOOL, args); }
    Result skim(const std::string& args, const std::string& input = "/dev/null") const
    {
        return run(PSKCORE_SKIM_TOOL, args, input);
    }
    Result encode(const std::string& args) const { return run(PSKCORE_ENCODE_TOOL, args); }

    std::filesystem::path m_dir;
};

// One line on stderr, nothing on stdout, status 2.
void expectCleanFailure(const Result& r)
{
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

void writeFile(const std::string& file, const std::vector<float>& interleaved, int rate, int channels, int format)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    sf_write_float(f, interleaved.data(), sf_count_t(interleaved.size()));
    sf_close(f);
}

} // namespace

TEST_F(Tools, EncodeThenDecodePrintsExactlyTheText)
{
    const std::string wav = path("hello.wav");
    ASSERT_EQ(encode("'Hello World, 73!' '" + wav + "'").status, 0);
    const Result r = decode("'" + wav + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Hello World, 73!");
    EXPECT_TRUE(r.err.empty());
}

TEST_F(Tools, LineBreaksAndAccentsSurvive)
{
    const std::string wav = path("accents.wav");
    ASSERT_EQ(encode("--mode qpsk-lsb --freq 1750.5 --level -10 'été\nçà€' '" + wav + "'").status, 0);
    const Result r = decode("--mode qpsk-lsb '" + wav + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "été\nçà€");
}

TEST_F(Tools, TextFromStandardInput)
{
    const std::string wav = path("stdin.wav"), text = path("text.txt");
    std::ofstream(text) << "from a pipe";
    ASSERT_EQ(run(PSKCORE_ENCODE_TOOL, "- '" + wav + "'", text).status, 0);
    EXPECT_EQ(decode("'" + wav + "'").out, "from a pipe");
}

TEST_F(Tools, JsonGivesOneObjectPerChannel)
{
    // Two signals 200 Hz apart in one file.
    const auto a = fixtures::transmit("first", PskMode::Bpsk, 1000);
    const auto b = fixtures::transmit("second", PskMode::Bpsk, 1200);
    std::vector<float> mix(std::max(a.samples.size(), b.samples.size()), 0.0f);
    for (std::size_t i = 0; i < a.samples.size(); ++i)
        mix[i] += a.samples[i];
    for (std::size_t i = 0; i < b.samples.size(); ++i)
        mix[i] += b.samples[i];
    const std::string wav = path("two.wav");
    writeFile(wav, mix, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Result r = decode("--json --freq 1000 --freq 1200 '" + wav + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"channel\": 0, \"mode\": \"bpsk\", \"start_hz\": 1000.00"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"text\": \"first\"}\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"start_hz\": 1200.00"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"text\": \"second\"}\n"), std::string::npos) << r.out;
}

// Ten stations and a weak eleventh in one recording: every station at -6 dB or better copied, each line of
// output one station's own text.
TEST_F(Tools, AllDecodesEverySignalOfTheRecording)
{
    constexpr unsigned kSeed = 10;
    const std::vector<BandStation> stations = {
        {400, PskMode::Bpsk, -6, "cq cq de f5abc f5abc pse k... cq cq de f5abc f5abc in jn18 pse k", 0.5},
        {460, PskMode::Bpsk, 12, "dl2msk de ea3ghz ur rst 599 599 name jordi qth barcelona hw? bk", 0.0},
        {800, PskMode::QpskUsb, -3, "cq cq de g4fzn g4fzn in qpsk31 qrv on 20 m and 40 m pse k", 1.0},
        {1150, PskMode::Bpsk, 0, "qrl? de sm5kja... cq cq de sm5kja sm5kja kp08 pse k", 2.0, 0.3},
        {1400, PskMode::QpskLsb, 6, "on7rb de i5tqr tnx fer nice qso luc, 73 es gl on7rb de i5tqr sk", 0.5},
        {1700, PskMode::Bpsk, -5, "name luc luc qth gent gent, rig ic-7300 100 w dipole", 3.0, 0.0, 250},
        {2000, PskMode::Bpsk, 20, "test de ok1abc ok1abc ok1abc, 1 2 3 4 5 6 7 8 9 0 test k", 1.5},
        {2400, PskMode::QpskUsb, 3, "rig ft-991 ant dipole at 12 m, wx sunny 18 c, hw cpy? bk", 2.5, -0.2},
        {2800, PskMode::Bpsk, -6, "wx sunny 18 c here in lyon, pwr 30 w to a vertical. bk", 0.0, 0.0, -300},
        {3200, PskMode::Bpsk, 9, "hw cpy? qsl via bureau, email ok too. 73 and good dx", 1.0},
        {1000, PskMode::Bpsk, -14, "far too weak to copy well, this station may print less than sent", 0.0},
    };
    const auto band = renderBand(stations, 0, kSeed);
    const std::string wav = path("band.wav");
    writeFile(wav, band.samples, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Result r = decode("--all --json '" + wav + "'");
    ASSERT_EQ(r.status, 0) << r.err;

    std::vector<bool> copied(stations.size(), false);
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        SCOPED_TRACE(line + ", seed " + std::to_string(kSeed));
        for (const char* key : {"\"channel\": ", "\"mode\": ", "\"start_hz\": ", "\"snr_db\": "})
            EXPECT_NE(line.find(key), std::string::npos) << key;
        const double finalHz = std::stod(line.substr(line.find("\"final_hz\": ") + 12));
        const auto textAt = line.find("\"text\": \"") + 9;
        const std::string text = line.substr(textAt, line.rfind('"') - textAt);
        const auto s = std::min_element(stations.begin(), stations.end(), [&](const auto& a, const auto& b) {
            return std::fabs(a.freqHz + a.driftHzPerSecond * 10 - finalHz) <
                   std::fabs(b.freqHz + b.driftHzPerSecond * 10 - finalHz);
        });
        ASSERT_LT(std::fabs(s->freqHz + s->driftHzPerSecond * 10 - finalHz), 10) << "no station there";
        // Within 2 % of the station's text: nothing invented, nothing from a neighbour. A station near the
        // receiver's threshold prints with errors, but no more than it sent.
        const double cer = double(fixtures::editDistance(s->text, text)) / double(s->text.size());
        if (s->snrDb >= -6) {
            EXPECT_LE(cer, 0.02);
            EXPECT_LE(double(text.size()), double(s->text.size()) * 1.02);
        } else {
            EXPECT_LE(double(text.size()), double(s->text.size()) * 1.2);
        }
        copied[std::size_t(s - stations.begin())] = cer <= 0.02;
    }
    for (std::size_t i = 0; i < stations.size(); ++i)
        if (stations[i].snrDb >= -6)
            EXPECT_TRUE(copied[i]) << stations[i].freqHz << " Hz not copied; seed " << kSeed << "\n" << r.out;
}

namespace {

// Samples as raw 16-bit little-endian PCM, what an SDR program sends through a pipe.
void writeRawPcm(const std::string& file, const std::vector<float>& samples)
{
    std::ofstream out(file, std::ios::binary);
    for (float x : samples) {
        const auto v = int16_t(std::lround(std::clamp(x, -1.0f, 32767.0f / 32768.0f) * 32768.0f));
        const char bytes[2] = {char(v & 0xFF), char((v >> 8) & 0xFF)};
        out.write(bytes, 2);
    }
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

// 48 kHz PCM on standard input: one JSON line per line of text of each signal, with its frequency and mode.
TEST_F(Tools, SkimWritesALinePerLineOfTextOfEverySignal)
{
    constexpr unsigned kSeed = 48;
    const std::vector<BandStation> stations = {
        {700, PskMode::Bpsk, 3, "cq cq de f5abc f5abc\r\npse k\r\n", 0.5},
        {1900, PskMode::QpskUsb, 6, "dl2msk de g4fzn\r\n73\r\n", 1.0},
    };
    const auto band = renderBand(stations, 0, kSeed);
    Resampler up(6.0);
    std::vector<float> audio48k;
    up.process(band.samples, audio48k);
    const std::string raw = path("band48k.raw");
    writeRawPcm(raw, audio48k);
    const Result r = skim("--stdin --rate 48000", raw);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const std::string expected[][3] = {{"700.", "bpsk", "cq cq de f5abc f5abc"}, {"700.", "bpsk", "pse k"},
                                       {"1900.", "qpsk-usb", "dl2msk de g4fzn"}, {"1900.", "qpsk-usb", "73"}};
    const auto lines = linesOf(r.out);
    EXPECT_EQ(lines.size(), std::size(expected)) << r.out;
    for (const auto& [freq, mode, text] : expected) {
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find("\"freq_hz\": " + freq) != std::string::npos &&
                   line.find("\"mode\": \"" + mode + "\"") != std::string::npos &&
                   line.find("\"text\": \"" + text + "\"}") != std::string::npos && line.find("\"utc\": \"20") == 1 &&
                   line.find("\"snr_db\": ") != std::string::npos;
        });
        EXPECT_TRUE(found) << text << " (seed " << kSeed << ")\n" << r.out;
    }
}

// SIGTERM while the input is still open: the text of a line not yet ended is written before it stops.
TEST_F(Tools, SkimStopsCleanlyOnTermAndWritesWhatItHolds)
{
    const auto band = renderBand({{1200, PskMode::Bpsk, 10, "no line break here", 0.5}}, 0, 7);
    const std::string raw = path("band.raw"), out = path("skim.txt");
    writeRawPcm(raw, band.samples);
    const std::string command = "{ cat '" + raw + "'; sleep 6; } | timeout -s TERM 5 '" PSKCORE_SKIM_TOOL
                                "' --stdin >'" + out + "'";
    const int raw_status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw_status));
    EXPECT_EQ(WEXITSTATUS(raw_status), 124) << "stopped by the signal";
    const std::string text = slurp(out);
    EXPECT_NE(text.find("\"text\": \"no line break here\"}\n"), std::string::npos) << text;
}

TEST_F(Tools, SkimRefusesBadArguments)
{
    expectCleanFailure(skim(""));
    expectCleanFailure(skim("--stdin --rate 4000"));
    expectCleanFailure(skim("--stdin --rate abc"));
    expectCleanFailure(skim("--stdin --device x"));
    expectCleanFailure(skim("--fast"));
    const Result help = skim("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: pskcore-skim"), std::string::npos);
    const Result version = skim("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("pskcore-skim ", 0), 0u) << version.out;
}

TEST_F(Tools, WithoutFrequencyTheStrongestSignalIsDecoded)
{
    const auto weak = fixtures::transmit("weak one", PskMode::Bpsk, 900, -30);
    const auto strong = fixtures::transmit("strong one", PskMode::Bpsk, 2345.6, -10);
    std::vector<float> mix(std::max(weak.samples.size(), strong.samples.size()), 0.0f);
    for (std::size_t i = 0; i < weak.samples.size(); ++i)
        mix[i] += weak.samples[i];
    for (std::size_t i = 0; i < strong.samples.size(); ++i)
        mix[i] += strong.samples[i];
    const std::string wav = path("mix.wav");
    writeFile(wav, mix, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Result r = decode("'" + wav + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "strong one");
}

TEST_F(Tools, ReadsStereoFlacAtAnotherRate)
{
    const auto t = fixtures::transmit("stereo flac at 44100", PskMode::Bpsk, 1300);
    Resampler up(44100.0 / 8000.0);
    std::vector<float> high;
    up.process(t.samples, high);
    std::vector<float> stereo;
    for (float x : high) {
        stereo.push_back(x);
        stereo.push_back(x);
    }
    const std::string flac = path("stereo.flac");
    writeFile(flac, stereo, 44100, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const Result r = decode("'" + flac + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "stereo flac at 44100");
}

TEST_F(Tools, TruncatedFileIsAnError)
{
    const std::string wav = path("full.wav");
    ASSERT_EQ(encode("'a message long enough to cut' '" + wav + "'").status, 0);
    const std::string bytes = slurp(wav);
    const std::string cut = path("cut.wav");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    expectCleanFailure(decode("'" + cut + "'"));
    std::ofstream(path("header.wav"), std::ios::binary) << bytes.substr(0, 30);
    expectCleanFailure(decode("'" + path("header.wav") + "'"));
}

struct BadCase {
    const char* name;
    const char* args; // FILE stands for a valid recording
};

class ToolErrors : public Tools, public ::testing::WithParamInterface<BadCase> {};

TEST_P(ToolErrors, DecodeFailsCleanly)
{
    const std::string good = path("good.wav");
    ASSERT_EQ(encode("hi '" + good + "'").status, 0);
    std::ofstream(path("text.wav")) << "this is not audio at all\n";
    std::ofstream(path("empty.wav")) << "";
    std::string args = GetParam().args;
    for (const auto& [key, file] : {std::pair{"FILE", good}, std::pair{"TEXT", path("text.wav")},
                                    std::pair{"EMPTY", path("empty.wav")}, std::pair{"DIR", m_dir.string()}}) {
        for (std::size_t at; (at = args.find(key)) != std::string::npos;)
            args.replace(at, std::string(key).size(), "'" + file + "'");
    }
    expectCleanFailure(decode(args));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolErrors,
    ::testing::Values(BadCase{"NoFile", ""}, BadCase{"MissingFile", "/nonexistent/none.wav"},
                      BadCase{"NotAudio", "TEXT"}, BadCase{"EmptyFile", "EMPTY"}, BadCase{"Directory", "DIR"},
                      BadCase{"FreqTooLow", "--freq 50 FILE"}, BadCase{"FreqTooHigh", "--freq 3901 FILE"},
                      BadCase{"FreqNotANumber", "--freq abc FILE"}, BadCase{"FreqMissingValue", "FILE --freq"},
                      BadCase{"AfcTooWide", "--afc 101 FILE"}, BadCase{"SquelchTooHigh", "--squelch 100 FILE"},
                      BadCase{"SquelchFraction", "--squelch 5.5 FILE"}, BadCase{"PpmTooLarge", "--ppm 10001 FILE"},
                      BadCase{"UnknownMode", "--mode psk63 FILE"}, BadCase{"UnknownOption", "--fast FILE"},
                      BadCase{"TwoFiles", "FILE FILE"}, BadCase{"AllWithFreq", "--all --freq 1000 FILE"},
                      BadCase{"AllWithMode", "--all --mode bpsk FILE"}, BadCase{"FreqLeadingSpace", "--freq ' 1000' FILE"},
                      BadCase{"FreqTrailingSpace", "--freq '1000 ' FILE"}, BadCase{"FreqHex", "--freq 0x3e8 FILE"},
                      BadCase{"PpmExponent", "--ppm 1e2 FILE"}, BadCase{"AfcInfinity", "--afc inf FILE"},
                      BadCase{"SquelchNan", "--squelch nan FILE"}, BadCase{"DeviceNode", "/dev/zero"},
                      BadCase{"LineBreakInName", "'/nonexistent/two\nlines.wav'"},
                      BadCase{"TooManyChannels", "$(for f in $(seq 1000 10 1330); do echo --freq $f; done) FILE"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tools, EncodeFailsCleanly)
{
    expectCleanFailure(encode(""));
    expectCleanFailure(encode("'only text'"));
    expectCleanFailure(encode("--level 3 hi '" + path("x.wav") + "'"));
    expectCleanFailure(encode("--freq 4000 hi '" + path("x.wav") + "'"));
    expectCleanFailure(encode("--mode bpsk31 hi '" + path("x.wav") + "'"));
    expectCleanFailure(encode("hi /nonexistent/dir/x.wav"));
}

TEST_F(Tools, AFifoIsRefusedAtOnce)
{
    const std::string fifo = path("input.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Result r = decode("'" + fifo + "'");
    expectCleanFailure(r);
    EXPECT_NE(r.err.find(fifo), std::string::npos) << r.err;
    expectCleanFailure(encode("hi '" + fifo + "'"));
}

struct CutFormat {
    const char* name;
    const char* extension;
    int format;
};

class TruncatedFile : public Tools, public ::testing::WithParamInterface<CutFormat> {};

TEST_P(TruncatedFile, IsAnError)
{
    // Noise compresses badly: even the compressed formats keep a long file.
    std::vector<float> noise(8000 * 6);
    std::mt19937 rng(17);
    std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
    for (float& x : noise)
        x = uniform(rng);
    const std::string whole = path(std::string("whole.") + GetParam().extension);
    writeFile(whole, noise, 8000, 1, GetParam().format);
    EXPECT_EQ(decode("--freq 1000 '" + whole + "'").status, 0);
    const std::string bytes = slurp(whole);
    const std::string cut = path(std::string("cut.") + GetParam().extension);
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 2 / 3);
    const Result r = decode("--freq 1000 '" + cut + "'");
    expectCleanFailure(r);
    EXPECT_NE(r.err.find("truncated"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Formats, TruncatedFile,
                         ::testing::Values(CutFormat{"Wav", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                           CutFormat{"Aiff", "aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
                                           CutFormat{"Ogg", "ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                                           CutFormat{"Flac", "flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tools, ControlCodesNeverReachTheOutput)
{
    // DEL, the C1 codes Windows-1252 leaves undefined, a tab and a C0 code; 0x80 is the euro sign.
    const auto t = fixtures::transmit("a\x7F" "b\x81" "c\x9D" "d\x8F" "e\t\x01" "f\x80" "g\r\nh", PskMode::Bpsk, 1000);
    const std::string wav = path("controls.wav");
    writeFile(wav, t.samples, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Result plain = decode("'" + wav + "'");
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "abcdef\u20ACg\nh");
    const Result json = decode("--json '" + wav + "'");
    EXPECT_NE(json.out.find("\"text\": \"abcdef\u20ACg\\nh\"}\n"), std::string::npos) << json.out;
    const Result two = decode("--freq 1000 --freq 2000 '" + wav + "'");
    EXPECT_EQ(two.out.find("abcdef\u20ACg\nh\n[2000.00 Hz] "), std::string("[1000.00 Hz] ").size()) << two.out;
}

TEST_F(Tools, NonFiniteSamplesInAFloatFileAreSilence)
{
    auto samples = fixtures::transmit("before", PskMode::Bpsk, 1500).samples;
    const std::size_t burst = samples.size() - kSampleRate / 2;
    for (std::size_t i = 0; i < 32; ++i)
        samples[burst + i] = i % 2 ? std::numeric_limits<float>::infinity() : std::numeric_limits<float>::quiet_NaN();
    const auto after = fixtures::transmit("after", PskMode::Bpsk, 1500).samples;
    samples.insert(samples.end(), after.begin(), after.end());
    const std::string wav = path("nan.wav");
    writeFile(wav, samples, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // Without --freq the strongest signal is looked for in a spectrum that saw the burst too.
    for (const std::string options : {"--json", "--json --freq 1500", "--json --ppm 100"}) {
        SCOPED_TRACE(options);
        const Result r = decode(options + " '" + wav + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\"text\": \"beforeafter\"}"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
    }
}

TEST_F(Tools, AFailedWriteOfTheOutputIsReported)
{
    const std::string wav = path("hello.wav");
    ASSERT_EQ(encode("hello '" + wav + "'").status, 0);
    const Result r = run(PSKCORE_DECODE_TOOL, "'" + wav + "'", "/dev/null", "/dev/full");
    EXPECT_EQ(r.status, 2);
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

TEST_F(Tools, StandardInputOfTheEncoderIsLimited)
{
    const std::string text = path("big.txt"), wav = path("big.wav");
    // Carriage returns alone: the air would take nothing of it, a reader without limit would take it all.
    std::ofstream(text) << std::string((1 << 20) + 1, '\r');
    expectCleanFailure(run(PSKCORE_ENCODE_TOOL, "- '" + wav + "'", text));
    EXPECT_FALSE(std::filesystem::exists(wav));
}

namespace {

// Peak resident memory, kB, of the decoder run on file.
long decoderPeakKb(const std::string& file)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        // Under AddressSanitizer freed memory is held back for a while and would read as growth.
        ::setenv("ASAN_OPTIONS", "quarantine_size_mb=0:thread_local_quarantine_size_kb=0", 1);
        ::execl(PSKCORE_DECODE_TOOL, PSKCORE_DECODE_TOOL, "--freq", "1000", file.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return usage.ru_maxrss;
}

} // namespace

TEST_F(Tools, MemoryStaysFlatWhateverTheLength)
{
    // Six minutes of 8 kHz audio take 11.5 MB as floats; read block by block they take none of it.
    const auto t = fixtures::transmit("short", PskMode::Bpsk, 1000);
    const std::string shortFile = path("short.flac"), longFile = path("long.flac");
    writeFile(shortFile, t.samples, 8000, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    std::vector<float> longer = t.samples;
    longer.resize(std::size_t(8000) * 360, 0.0f);
    writeFile(longFile, longer, 8000, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const long shortKb = decoderPeakKb(shortFile), longKb = decoderPeakKb(longFile);
    EXPECT_LT(longKb - shortKb, 4 * 1024) << "short " << shortKb << " kB, long " << longKb << " kB";
}
