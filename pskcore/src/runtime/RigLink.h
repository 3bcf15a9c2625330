#pragma once

// A rig under control: keying and the dial. Every call may block for the rig's time-out, so only the rig
// control's own thread makes them.

#include "pskcore/pskcore.h"

#include <cstdint>
#include <string>

namespace pskcore {

class RigLink {
public:
    struct Dial {
        int64_t freqHz = 0;
        std::string mode;
        bool lowerSideband = false;
    };
    virtual ~RigLink() = default;
    // Opens the rig of config (keying Cat, Rigctld or Cm108). False when it does not answer.
    virtual bool open(const PskRigConfig& config) = 0;
    virtual bool setPtt(bool on) = 0;
    virtual bool readDial(Dial& dial) = 0;
    virtual void close() = 0;
};

} // namespace pskcore
