#include "runtime/HamlibRig.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <mutex>
#include <tuple>

namespace pskcore {
namespace {

// A rig that does not answer within this is taken as silent; the dial is read once a second.
constexpr int kTimeoutMs = 800;
constexpr int kRetries = 0;

void quietHamlib()
{
    static std::once_flag once;
    std::call_once(once, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_load_all_backends();
    });
}

bool isLowerSideband(rmode_t mode)
{
    return mode == RIG_MODE_LSB || mode == RIG_MODE_PKTLSB || mode == RIG_MODE_ECSSLSB;
}

} // namespace

HamlibRig::~HamlibRig() { close(); }

bool HamlibRig::setConf(const char* name, const std::string& value)
{
    const token_t token = rig_token_lookup(m_rig, name);
    return token != RIG_CONF_END && rig_set_conf(m_rig, token, value.c_str()) == RIG_OK;
}

bool HamlibRig::open(const PskRigConfig& config)
{
    close();
    quietHamlib();
    rig_model_t model = RIG_MODEL_DUMMY;
    if (config.keying == pskkey::Cat)
        model = rig_model_t(config.model);
    else if (config.keying == pskkey::Rigctld)
        model = RIG_MODEL_NETRIGCTL;
    m_rig = rig_init(model);
    if (!m_rig)
        return false;
    bool configured = setConf("timeout", std::to_string(kTimeoutMs)) && setConf("retry", std::to_string(kRetries));
    if (config.keying == pskkey::Cat) {
        configured = configured && setConf("rig_pathname", config.device);
        if (config.speed > 0)
            configured = configured && setConf("serial_speed", std::to_string(config.speed));
    } else if (config.keying == pskkey::Rigctld) {
        configured = configured && setConf("rig_pathname", config.address);
    } else {
        configured = configured && setConf("ptt_type", "CM108") && setConf("ptt_pathname", config.device);
    }
    if (!configured || rig_open(m_rig) != RIG_OK) {
        rig_cleanup(m_rig);
        m_rig = nullptr;
        return false;
    }
    return true;
}

bool HamlibRig::setPtt(bool on)
{
    return m_rig && rig_set_ptt(m_rig, RIG_VFO_CURR, on ? RIG_PTT_ON : RIG_PTT_OFF) == RIG_OK;
}

bool HamlibRig::readDial(Dial& dial)
{
    freq_t freq = 0;
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (!m_rig || rig_get_freq(m_rig, RIG_VFO_CURR, &freq) != RIG_OK
        || rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width) != RIG_OK)
        return false;
    dial.freqHz = int64_t(freq + 0.5);
    dial.mode = rig_strrmode(mode);
    dial.lowerSideband = isLowerSideband(mode);
    return true;
}

void HamlibRig::close()
{
    if (!m_rig)
        return;
    rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
}

std::vector<PskRigModel> HamlibRig::models()
{
    quietHamlib();
    std::vector<PskRigModel> list;
    rig_list_foreach(
        [](const rig_caps* caps, rig_ptr_t data) {
            static_cast<std::vector<PskRigModel>*>(data)->push_back(
                {int32_t(caps->rig_model), caps->mfg_name ? caps->mfg_name : "", caps->model_name ? caps->model_name : ""});
            return 1;
        },
        &list);
    std::sort(list.begin(), list.end(), [](const PskRigModel& a, const PskRigModel& b) {
        return std::tie(a.maker, a.name, a.model) < std::tie(b.maker, b.name, b.model);
    });
    return list;
}

} // namespace pskcore
