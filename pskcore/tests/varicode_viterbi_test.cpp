// Symbol-level tests of the soft Varicode decoder: unit-energy BPSK31 symbols, differential encoding as
// transmitted, complex white Gaussian noise, perfect timing and carrier. SNR in 3000 Hz: Eb/N0 = SNR + 19.82 dB.
// The sensitivity table is a disabled test, run by hand:
//   pskcore_varicode_viterbi_test --gtest_also_run_disabled_tests --gtest_filter='*SensitivityTable*'
#include "../src/dsp/CharacterPrior.h"
#include "../src/dsp/VaricodeViterbi.h"
#include "pskcore/dsp/Varicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace pskcore;

namespace {

constexpr double kBandwidthToBitRateDb = 19.82; // 10·log10(3000 Hz / 31.25 bit/s)
constexpr int kIdleSymbols = 32;                // preamble and postamble of reversals

// Held-out text (not in the corpus) in the style the decoder meets on the air.
const char* const kEnglish =
    "Conditions were poor this evening, with a high noise level on forty metres and deep fades every minute or "
    "so. Even so, a patient operator in the east kept calling, and after three tries we completed a short "
    "exchange. He was using a small loop antenna on his balcony and only ten watts, yet the text came through "
    "almost clean between the fades. We agreed to try again tomorrow an hour earlier, when the band is usually "
    "quieter. The rest of the night I spent tuning the new filter for the receiver, which now rejects the strong "
    "broadcast station that used to spill into the lower end of the band. A small change, but it made listening "
    "much more pleasant, and the weak signals stand out clearly on the waterfall. ";

const char* const kCallSigns =
    "G4XYZ/P DE F5ABC 599 QTH 75013 PARIS. UR 579 579 QSB. OP JEAN-LUC. 73 TNX QSO. VK2ZQ/MM 14070 KHZ, "
    "JA7QX 1x9 S57Q 3D2AG/P 2E0QQQ/M UA0ZZ LOC JO22KX PWR 5W. ";

std::string repeatedText(const char* passage, size_t chars)
{
    std::string text;
    while (text.size() < chars)
        text += passage;
    text.resize(chars);
    return text;
}

size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1), next(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (size_t j = 1; j <= b.size(); ++j)
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        row.swap(next);
    }
    return row[b.size()];
}

double characterErrorRate(const std::string& sent, const std::string& got)
{
    return double(editDistance(sent, got)) / double(sent.size());
}

// Received symbols of a transmission of `text` framed by idle, and the noise variance per real dimension.
struct Reception {
    std::vector<std::complex<float>> symbols;
    float noiseVariance = 0.0f;
};

Reception transmit(const std::string& text, double snrDb, uint32_t seed)
{
    std::string bits(kIdleSymbols, '0');
    for (unsigned char c : text)
        bits += std::string(varicode::encode(c)) + "00";
    bits += std::string(kIdleSymbols, '0');
    const double ebN0 = std::pow(10.0, (snrDb + kBandwidthToBitRateDb) / 10.0);
    Reception reception;
    reception.noiseVariance = float(1.0 / (2.0 * ebN0));
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, std::sqrt(reception.noiseVariance));
    float phase = 1.0f;
    for (char bit : bits) {
        if (bit == '0')
            phase = -phase;
        reception.symbols.emplace_back(phase + noise(random), noise(random));
    }
    return reception;
}

enum class Metric { Coherent, Differential };

std::string decodeSoft(VaricodeViterbi& decoder, const Reception& reception, Metric metric)
{
    std::string text;
    std::complex<float> previous = 1.0f;
    for (const std::complex<float> symbol : reception.symbols) {
        const float coherentLlr = 2.0f * symbol.real() / reception.noiseVariance;
        const float differentialLlr = (symbol * std::conj(previous)).real() / reception.noiseVariance;
        previous = symbol;
        const auto bytes = metric == Metric::Coherent ? decoder.push(coherentLlr, 0.0f)
                                                      : decoder.push(0.0f, differentialLlr);
        text.append(bytes.begin(), bytes.end());
    }
    const auto rest = decoder.flush();
    text.append(rest.begin(), rest.end());
    return text;
}

std::string decodeSoft(const Reception& reception, Metric metric, VaricodeViterbi::Options options = {})
{
    VaricodeViterbi decoder(options);
    return decodeSoft(decoder, reception, metric);
}

// The reference receiver: a hard decision per symbol, then differential decoding.
std::string decodeHard(const Reception& reception, Metric metric)
{
    VaricodeDecoder decoder;
    std::string text;
    std::complex<float> previous = 1.0f;
    for (const std::complex<float> symbol : reception.symbols) {
        const bool same = metric == Metric::Coherent ? (symbol.real() > 0) == (previous.real() > 0)
                                                     : (symbol * std::conj(previous)).real() > 0;
        previous = symbol;
        if (const auto byte = decoder.pushBit(same ? 1 : 0))
            text.push_back(char(*byte));
    }
    return text;
}

std::string allBytes()
{
    std::string text;
    for (int code = 0; code < 256; ++code)
        text.push_back(char(code));
    return text;
}

} // namespace

TEST(VaricodeViterbi, RejectsInvalidOptions)
{
    EXPECT_THROW(VaricodeViterbi({.priorWeight = -0.1f}), std::invalid_argument);
    EXPECT_THROW(VaricodeViterbi({.priorWeight = 1.5f}), std::invalid_argument);
    EXPECT_THROW(VaricodeViterbi({.idleProbability = 0.0f}), std::invalid_argument);
    EXPECT_THROW(VaricodeViterbi({.idleProbability = 1.0f}), std::invalid_argument);
    EXPECT_THROW(VaricodeViterbi({.maxDelaySymbols = 0}), std::invalid_argument);
    EXPECT_THROW(VaricodeViterbi({.maxDelaySymbols = VaricodeViterbi::kLongestDelaySymbols + 1}),
                 std::invalid_argument);
}

TEST(VaricodeViterbi, PriorTableMatchesCorpus)
{
    std::ifstream file(PSKCORE_DATA_DIR "/corpus.txt", std::ios::binary);
    ASSERT_TRUE(file) << "corpus not found";
    const std::string corpus((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::array<uint32_t, 256> counts{};
    for (size_t i = 0; i < corpus.size(); ++i) {
        const auto byte = uint8_t(corpus[i]);
        if (byte == '\r' && i + 1 < corpus.size() && corpus[i + 1] == '\n')
            continue;
        if (byte == '\n')
            ++counts['\r'];
        ++counts[byte];
    }
    EXPECT_EQ(counts, characterprior::corpusCounts()) << "run pskcore/tools/character_counts.py";
}

TEST(VaricodeViterbi, PairTableMatchesCorpus)
{
    std::ifstream file(PSKCORE_DATA_DIR "/corpus.txt", std::ios::binary);
    ASSERT_TRUE(file) << "corpus not found";
    std::string stream; // line ends as CR LF
    for (char c; file.get(c);) {
        if (c == '\r')
            continue;
        if (c == '\n')
            stream += '\r';
        stream += c;
    }
    std::map<std::pair<uint8_t, uint8_t>, uint32_t> pairs;
    for (size_t i = 1; i < stream.size(); ++i)
        ++pairs[{uint8_t(stream[i - 1]), uint8_t(stream[i])}];
    std::vector<characterprior::PairCount> expected;
    for (const auto& [pair, count] : pairs)
        expected.push_back({pair.first, pair.second, count});
    const auto table = characterprior::corpusPairCounts();
    EXPECT_EQ(expected, std::vector<characterprior::PairCount>(table.begin(), table.end()))
        << "run pskcore/tools/character_counts.py";
}

// The pair prior is a distribution after every byte, and sharper than the unigram where the corpus knows the pair.
TEST(VaricodeViterbi, PairPriorIsADistribution)
{
    for (const int previous : {int(' '), int('e'), int('Q'), int('\r'), 0xE9}) {
        double total = 0.0;
        for (int next = 0; next < 256; ++next)
            total += std::exp(double(characterprior::pairLogProbability(uint8_t(previous), uint8_t(next))));
        EXPECT_NEAR(total, 1.0, 0.03) << "after byte " << previous;
    }
    EXPECT_GT(characterprior::pairLogProbability('Q', 'S'), characterprior::unigramLogProbability()['S']);
    EXPECT_GT(characterprior::pairLogProbability('\r', '\n'), std::log(0.5f));
}

constexpr VaricodeViterbi::Options kUnigram{.priorWeight = 1.0f, .prior = VaricodeViterbi::Prior::Unigram};
constexpr VaricodeViterbi::Options kBigram{.priorWeight = 0.5f, .prior = VaricodeViterbi::Prior::Bigram};

struct SeedCase {
    Metric metric;
    double snrDb;
    uint32_t seed;
    VaricodeViterbi::Options options = kUnigram;
};

void PrintTo(const SeedCase& c, std::ostream* out)
{
    *out << (c.metric == Metric::Coherent ? "coherent " : "differential ") << c.snrDb << " dB seed " << c.seed
         << (c.options.prior == VaricodeViterbi::Prior::Bigram ? " bigram" : " unigram");
}

class EveryByte : public ::testing::TestWithParam<SeedCase> {};

TEST_P(EveryByte, DecodesExactly)
{
    const SeedCase& c = GetParam();
    const std::string text = allBytes();
    EXPECT_EQ(decodeSoft(transmit(text, c.snrDb, c.seed), c.metric, c.options), text) << "seed " << c.seed;
}

INSTANTIATE_TEST_SUITE_P(VaricodeViterbi, EveryByte,
                         ::testing::Values(SeedCase{Metric::Coherent, -6.0, 11}, SeedCase{Metric::Differential, -6.0, 12},
                                           SeedCase{Metric::Coherent, -6.0, 13, kBigram},
                                           SeedCase{Metric::Differential, -6.0, 14, kBigram}));

class CallSigns : public ::testing::TestWithParam<SeedCase> {};

// The prior must not "correct" call signs, numbers and rare letters into common text.
TEST_P(CallSigns, CopiedExactly)
{
    const SeedCase& c = GetParam();
    const std::string text = repeatedText(kCallSigns, 1000);
    EXPECT_EQ(decodeSoft(transmit(text, c.snrDb, c.seed), c.metric, c.options), text) << "seed " << c.seed;
}

INSTANTIATE_TEST_SUITE_P(VaricodeViterbi, CallSigns,
                         ::testing::Values(SeedCase{Metric::Coherent, -10.0, 21}, SeedCase{Metric::Coherent, -10.0, 22},
                                           SeedCase{Metric::Differential, -9.0, 23},
                                           SeedCase{Metric::Coherent, -10.0, 24, kBigram},
                                           SeedCase{Metric::Coherent, -10.0, 25, kBigram},
                                           SeedCase{Metric::Differential, -9.0, 26, kBigram}));

// Where hard decisions lose a few percent of the characters, the sequence decoder loses clearly fewer.
TEST(VaricodeViterbi, BeatsHardDecisionsAtLowSnr)
{
    constexpr double kSnrDb = -14.2;
    constexpr uint32_t kSeed = 31;
    const std::string text = repeatedText(kEnglish, 4000);
    const Reception reception = transmit(text, kSnrDb, kSeed);
    const double hard = characterErrorRate(text, decodeHard(reception, Metric::Coherent));
    const double soft = characterErrorRate(text, decodeSoft(reception, Metric::Coherent));
    std::printf("SNR %.1f dB, seed %u: CER hard %.2f %%, soft %.2f %%\n", kSnrDb, kSeed, 100 * hard, 100 * soft);
    EXPECT_GT(hard, 0.02) << "seed " << kSeed << ": the test no longer runs where hard decisions fail";
    EXPECT_LT(soft, 0.75 * hard) << "seed " << kSeed;
}

// At a strong signal every character is out at the symbol of its second separator zero.
TEST(VaricodeViterbi, ReleasesAtOnceOnStrongSignals)
{
    const std::string text = "cq de f5abc k";
    const Reception reception = transmit(text, 0.0, 41);
    VaricodeViterbi decoder;
    std::string out;
    size_t symbol = 0;
    size_t wordEnd = kIdleSymbols;
    for (size_t i = 0; i < text.size(); ++i) {
        wordEnd += varicode::encode(uint8_t(text[i])).size() + 2;
        for (; symbol < wordEnd; ++symbol) {
            const auto bytes = decoder.push(2.0f * reception.symbols[symbol].real() / reception.noiseVariance, 0.0f);
            out.append(bytes.begin(), bytes.end());
        }
        EXPECT_EQ(out, text.substr(0, i + 1));
    }
}

// Symbols with no information (a deep fade), or non-finite ones, neither break the decoder nor keep it from
// copying what follows.
TEST(VaricodeViterbi, RecoversAfterFade)
{
    const std::string before = "before the fade ";
    const std::string after = "after the fade G4XYZ 599";
    const Reception first = transmit(before, -8.0, 51);
    const Reception second = transmit(after, -8.0, 52);
    VaricodeViterbi decoder;
    decodeSoft(decoder, first, Metric::Coherent);
    for (int i = 0; i < 300; ++i)
        decoder.push(0.0f, 0.0f);
    decoder.push(std::nanf(""), INFINITY);
    decoder.push(-INFINITY, std::nanf(""));
    const std::string out = decodeSoft(decoder, second, Metric::Coherent);
    ASSERT_GE(out.size(), after.size());
    EXPECT_EQ(out.substr(out.size() - after.size()), after) << out;
}

// After reset() the decoder gives exactly what a new one gives.
TEST(VaricodeViterbi, ResetBehavesLikeNew)
{
    const Reception noisy = transmit(repeatedText(kEnglish, 300), -14.0, 61);
    const Reception next = transmit(repeatedText(kCallSigns, 200), -13.0, 62);
    VaricodeViterbi used;
    decodeSoft(used, noisy, Metric::Coherent);
    for (int i = 0; i < 5; ++i) // stopped in the middle of a word
        used.push(5.0f, 0.0f);
    used.reset();
    VaricodeViterbi fresh;
    EXPECT_EQ(decodeSoft(used, next, Metric::Coherent), decodeSoft(fresh, next, Metric::Coherent));
}

// Figures for the notes, not a pass/fail test: CER against SNR for the hard and soft receivers, on mixed text and
// on call signs alone, and the soft decoders' speed.
TEST(VaricodeViterbi, DISABLED_SensitivityTable)
{
    constexpr size_t kChars = 20000;
    constexpr uint32_t kSeed = 1000;
    constexpr VaricodeViterbi::Options kUnigramHalf{.priorWeight = 0.5f, .prior = VaricodeViterbi::Prior::Unigram};
    const std::string mixed = repeatedText(kEnglish, kChars / 2) + repeatedText(kCallSigns, kChars / 4)
        + repeatedText(kEnglish, kChars / 4);
    const std::string callSigns = repeatedText(kCallSigns, kChars);
    for (const auto& [name, text] : {std::pair{"mixed", &mixed}, std::pair{"call signs", &callSigns}}) {
        std::printf("%s text: CER %%, %zu characters, seed %u + SNR index\n", name, text->size(), kSeed);
        std::printf("SNR dB | hard diff | hard coh | coh no prior | coh uni 1 | coh uni .5 | coh bi .5 | diff uni 1 | diff bi .5\n");
        for (int step = 0; step <= 8; ++step) {
            const double snrDb = -12.0 - 0.5 * step;
            const Reception reception = transmit(*text, snrDb, kSeed + uint32_t(step));
            auto cer = [&](Metric metric, VaricodeViterbi::Options options) {
                return 100 * characterErrorRate(*text, decodeSoft(reception, metric, options));
            };
            std::printf("%6.1f | %9.2f | %8.2f | %12.2f | %9.2f | %10.2f | %9.2f | %10.2f | %10.2f\n", snrDb,
                        100 * characterErrorRate(*text, decodeHard(reception, Metric::Differential)),
                        100 * characterErrorRate(*text, decodeHard(reception, Metric::Coherent)),
                        cer(Metric::Coherent, {.priorWeight = 0.0f}), cer(Metric::Coherent, kUnigram),
                        cer(Metric::Coherent, kUnigramHalf), cer(Metric::Coherent, kBigram),
                        cer(Metric::Differential, kUnigram), cer(Metric::Differential, kBigram));
        }
    }
    const Reception reception = transmit(mixed, -14.0, kSeed);
    for (const auto& [name, options] : {std::pair{"unigram", kUnigram}, std::pair{"bigram", kBigram}}) {
        // Processor time, not wall time: the machine may be shared.
        const std::clock_t start = std::clock();
        decodeSoft(reception, Metric::Coherent, options);
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        const double symbolsPerSecond = double(reception.symbols.size()) / seconds;
        std::printf("%s decoder: %.0f symbols/s = %.0f x real time\n", name, symbolsPerSecond,
                    symbolsPerSecond / 31.25);
    }
}
