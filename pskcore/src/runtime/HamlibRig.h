#pragma once

// A rig through hamlib's C API: a CAT rig model, hamlib's network rig for a running rigctld, or its dummy
// rig keyed by a CM108 GPIO.

#include "runtime/RigLink.h"

#include <vector>

struct s_rig;

namespace pskcore {

class HamlibRig : public RigLink {
public:
    ~HamlibRig() override;
    bool open(const PskRigConfig& config) override;
    bool setPtt(bool on) override;
    bool readDial(Dial& dial) override;
    void close() override;

    static std::vector<PskRigModel> models();

private:
    bool setConf(const char* name, const std::string& value);

    s_rig* m_rig = nullptr;
};

} // namespace pskcore
