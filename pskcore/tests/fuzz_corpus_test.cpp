// Every input kept from the audio-file fuzzer (the seeds, and any input that once failed) read again as an
// ordinary test: it reads or is refused with one line, and the sanitizer build checks the memory on the way.
#include "fuzz/AudioFileInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

// libvorbis leaks its stream information on some damaged Vorbis headers (a fault of the system library, not
// of this reader): not reported, so the fuzzer and the sanitizer build go on to faults of our own.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbis.so\n"; }

TEST(FuzzCorpus, EveryKeptInputReadsOrIsRefusedWithOneLine)
{
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PSKCORE_FUZZ_CORPUS_DIR)) {
        if (!entry.is_regular_file())
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string error;
        if (!pskcore::fuzz::readAudioBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), error)) {
            EXPECT_FALSE(error.empty());
            EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        }
        ++files;
    }
    EXPECT_GT(files, 0u);
}
