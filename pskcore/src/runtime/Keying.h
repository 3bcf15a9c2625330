#pragma once

// The transmitter's keying by the chosen method: nothing (VOX), the serial port's RTS/DTR lines, or a rig
// through hamlib (CAT, rigctld, CM108 GPIO). Serial keying is done at once; a rig is keyed on its own thread
// and the transmitter waits for ready() before its first sample goes out.
//
// Threads: any; no call blocks on a rig. A lock of its own, taken last.

#include "pskcore/pskcore.h"
#include "pskcore/seams.h"
#include "runtime/PttLines.h"
#include "runtime/RigControl.h"

#include <atomic>

namespace pskcore {

class Keying {
public:
    // failure: a rig's refusal or silence found later, from the rig thread (RigControl::Failure).
    explicit Keying(RigControl::Failure failure);

    bool selectPort(int port, int lines) { return m_lines.select(port, lines); }
    void setLines(std::shared_ptr<ModemLines> lines) { m_lines.setLines(std::move(lines)); }
    void configure(const PskRigConfig& config);
    PskRigState rigState() const { return m_rig.state(); }

    // False when keying (releasing) failed at once; a rig's answer comes later, through failure.
    bool key();
    bool unkey();
    // The transmitter is keyed: its audio may go out.
    bool ready() const;

private:
    std::atomic<int> m_method{pskkey::Serial};
    PttLines m_lines;
    RigControl m_rig;
};

} // namespace pskcore
