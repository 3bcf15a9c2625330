#include "runtime/AudioFileReader.h"

#include "pskcore/dsp/Constants.h"
#include "runtime/RegularFile.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace pskcore {
namespace {

constexpr sf_count_t kReadFrames = 4096;
constexpr int kMinRateHz = 1000;
constexpr int kMaxRateHz = 768000;
constexpr int kMaxChannels = 64;
constexpr std::size_t kOggMaxPage = 27 + 255 + 255 * 255; // header, lacing values, body
constexpr unsigned char kOggEndOfStream = 0x04;

// libsndfile's messages may span lines; an operator gets one.
std::string firstLine(const char* text)
{
    std::string line = text ? text : "";
    line = line.substr(0, line.find('\n'));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '.'))
        line.pop_back();
    return line;
}

} // namespace

AudioFileReader::~AudioFileReader() { close(); }

void AudioFileReader::close()
{
    if (m_file)
        sf_close(m_file);
    if (m_fd >= 0)
        ::close(m_fd);
    m_file = nullptr;
    m_fd = -1;
    m_ended = true;
}

bool AudioFileReader::open(const std::string& path, std::string& error)
{
    close();
    m_path = path;
    m_problem.clear();
    m_fd = openRegularFile(path, FileAccess::Read, error);
    if (m_fd < 0)
        return false;
    SF_INFO info{};
    m_file = sf_open_fd(m_fd, SFM_READ, &info, SF_FALSE);
    if (!m_file) {
        error = path + ": not a readable audio file (" + firstLine(sf_strerror(nullptr)) + ")";
        close();
        return false;
    }
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < kMinRateHz ||
        info.samplerate > kMaxRateHz) {
        error = path + ": unsupported channel count or sample rate";
        close();
        return false;
    }
    m_channels = info.channels;
    m_rateHz = info.samplerate;
    m_declaredFrames = info.frames;
    m_framesRead = 0;
    m_samplesOut = 0;
    m_ended = false;
    m_resampler = Resampler(double(kSampleRate) / m_rateHz);
    m_frames.resize(std::size_t(kReadFrames) * std::size_t(m_channels));
    checkHeaderLength();
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG)
        checkOggEnd(m_fd);
    return true;
}

// libsndfile reads what is there of a cut WAV or AIFF file and only notes in its log that the header
// promised more; an operator wants to know the recording is incomplete.
void AudioFileReader::checkHeaderLength()
{
    std::array<char, 16384> log{};
    sf_command(m_file, SFC_GET_LOG_INFO, log.data(), int(log.size()) - 1);
    const std::string text(log.data());
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string row = text.substr(start, end - start);
        row.erase(0, row.find_first_not_of(" \t"));
        if ((row.rfind("data", 0) == 0 || row.rfind("SSND", 0) == 0) && row.find("should be") != std::string::npos) {
            m_problem = m_path + ": truncated file (the audio data ends before its header says)";
            return;
        }
        start = end + 1;
    }
}

// An Ogg stream ends on a whole page marked end-of-stream; a cut file ends inside a page or before that one.
void AudioFileReader::checkOggEnd(int fd)
{
    // fstat and pread leave the descriptor's offset, which libsndfile reads from, where it is.
    struct stat status {};
    const off_t size = ::fstat(fd, &status) == 0 ? status.st_size : 0;
    const off_t from = std::max<off_t>(0, size - off_t(kOggMaxPage));
    std::vector<unsigned char> tail(std::size_t(size - from));
    const bool read = ::pread(fd, tail.data(), tail.size(), from) == ssize_t(tail.size());
    bool whole = false;
    for (std::size_t at = tail.size() >= 27 ? tail.size() - 27 : 0; read && tail.size() >= 27; --at) {
        if (std::memcmp(&tail[at], "OggS", 4) == 0 && at + 27 <= tail.size()) {
            const std::size_t segments = tail[at + 26];
            std::size_t length = 27 + segments;
            for (std::size_t s = 0; s < segments && at + 27 + s < tail.size(); ++s)
                length += tail[at + 27 + s];
            if (at + length == tail.size()) {
                whole = (tail[at + 5] & kOggEndOfStream) != 0;
                break;
            }
        }
        if (at == 0)
            break;
    }
    if (!whole)
        m_problem = m_path + ": truncated file (the Ogg stream does not end)";
}

bool AudioFileReader::read(std::vector<float>& out)
{
    if (m_ended)
        return false;
    const sf_count_t frames = sf_readf_float(m_file, m_frames.data(), kReadFrames);
    if (frames <= 0) {
        finish(out);
        return true;
    }
    m_framesRead += frames;
    m_mono.clear();
    for (sf_count_t f = 0; f < frames; ++f) {
        float sum = 0;
        for (int c = 0; c < m_channels; ++c)
            sum += m_frames[std::size_t(f) * std::size_t(m_channels) + std::size_t(c)];
        m_mono.push_back(sum / float(m_channels));
    }
    const std::size_t before = out.size();
    if (m_rateHz == kSampleRate)
        out.insert(out.end(), m_mono.begin(), m_mono.end());
    else
        m_resampler.process(m_mono, out);
    m_samplesOut += int64_t(out.size() - before);
    return true;
}

// The end: the filter's look-ahead flushed (the end of the recording is not lost) and the checks that only
// the end allows.
void AudioFileReader::finish(std::vector<float>& out)
{
    if (m_rateHz != kSampleRate) {
        std::vector<float> tail;
        m_resampler.process(std::vector<float>(std::size_t(m_rateHz / 50), 0.0f), tail);
        const int64_t expected = m_framesRead * kSampleRate / m_rateHz;
        const auto keep = std::size_t(std::clamp<int64_t>(expected - m_samplesOut, 0, int64_t(tail.size())));
        out.insert(out.end(), tail.begin(), tail.begin() + std::ptrdiff_t(keep));
        m_samplesOut += int64_t(keep);
    }
    const int status = sf_error(m_file);
    if (m_problem.empty() && m_declaredFrames > 0 && m_declaredFrames != SF_COUNT_MAX &&
        m_framesRead < m_declaredFrames)
        m_problem = m_path + ": truncated file (" + std::to_string(m_framesRead) + " of " +
                    std::to_string(m_declaredFrames) + " frames)";
    if (m_problem.empty() && status != SF_ERR_NO_ERROR)
        m_problem = m_path + ": read error (" + firstLine(sf_error_number(status)) + ")";
    close();
}

} // namespace pskcore
