// libFuzzer entry: arbitrary bytes through the audio-file reader (libsndfile's parsers, the truncation
// checks, mixing and resampling). Built with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
#include "AudioFileInput.h"

// libvorbis leaks its stream information on some damaged Vorbis headers (a fault of the system library, not
// of this reader): not reported, so the fuzzer and the sanitizer build go on to faults of our own.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbis.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string error;
    pskcore::fuzz::readAudioBytes(data, size, error);
    return 0;
}
