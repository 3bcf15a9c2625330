#include "runtime/Keying.h"

namespace pskcore {

Keying::Keying(RigControl::Failure failure) : m_rig(std::move(failure)) {}

void Keying::configure(const PskRigConfig& config)
{
    m_method = config.keying;
    m_rig.configure(config);
}

bool Keying::key()
{
    const int method = m_method;
    if (method == pskkey::Serial)
        return m_lines.raise();
    if (keyingUsesRig(method))
        m_rig.setPtt(true);
    return true;
}

bool Keying::unkey()
{
    // Both, whatever the method: a change of method during a transmission must not leave either keyed.
    m_rig.setPtt(false);
    return m_lines.drop();
}

bool Keying::ready() const { return !keyingUsesRig(m_method) || m_rig.keyed(); }

} // namespace pskcore
