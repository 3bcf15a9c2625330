#include "config/ConfigCommand.h"

#include "ground/Cp1252.h"
#include "config/ComPortMap.h"
#include "config/DateFormats.h"
#include "config/RadioGroup.h"
#include "config/StationTab.h"
#include "config/TSetForm.h"
#include "config/TSettings.h"
#include "controls/TCGauge.h"
#include "engine/EngineInterface.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

ConfigCommand::ConfigCommand(TSettings &settings, EngineInterface &engine,
                             std::function<SettingsStore &()> store, QWidget *owner,
                             ConfigWindowHooks hooks, StationSettings *station)
    : runDialog([](TSetForm &dialog) { return dialog.exec(); }),
      presentDevices(&presentSerialDevices),
      m_settings(settings),
      m_station(station),
      m_engine(engine),
      m_store(std::move(store)),
      m_owner(owner),
      m_hooks(std::move(hooks))
{
}

void ConfigCommand::CfgBtnClick()
{
    // A fresh dialog every time: its values always come from the store.
    TSetForm dialog(m_settings, m_engine, m_store(), presentDevices(), m_owner);
    if (runDialog(dialog) == QDialog::Accepted)
        copyResult(dialog);
    sendToEngine();
}

void ConfigCommand::copyResult(const TSetForm &dialog)
{
    m_settings.MyCall = dialog.CALLEdit->text();
    m_settings.ShowUTCTime = dialog.HTUBox->isChecked();
    m_settings.CWIDSpeed = dialog.CWGroup->itemIndex();
    m_settings.CWID = dialog.CWMsgEdit->text();
    m_settings.WFMin = dialog.BAND->AreaLeft();
    m_settings.WFMax = dialog.BAND->AreaRight();
    if (m_hooks.bandChanged)
        m_hooks.bandChanged();
    m_settings.ComPort = dialog.checkedPort();
    m_settings.RXMode = dialog.RXModeGroup->itemIndex();
    m_settings.PTTControl = dialog.PTTGroup->itemIndex();
    if (m_hooks.updatePortIndicator)
        m_hooks.updatePortIndicator();
    m_settings.DateFormat = dialog.DateGroup->itemIndex();
    m_settings.DatePattern = datePatternFor(m_settings.DateFormat);
    m_settings.PPMAdjust = dialog.PpmSpin->value();
    m_settings.Blocks = dialog.BlocksSpin->value();
    if (m_hooks.updateReplayHint)
        m_hooks.updateReplayHint();
    if (m_station)
        *m_station = dialog.Station->values();
}

// Also after Cancel: the live changes made while the dialog was open (CW
// identification, clock correction, port) reach the engine with the rest.
void ConfigCommand::sendToEngine()
{
    if (m_hooks.rebuildCaption)
        m_hooks.rebuildCaption();
    m_engine.fnSetCWIDString(Cp1252::encode(m_settings.CWID).constData());
    m_engine.fnSetCWIDSpeed(m_settings.CWIDSpeed + 1);
    m_engine.fnSetClockErrorAdjustment(m_settings.PPMAdjust);
    m_engine.fnSetComPort(m_settings.ComPort, m_settings.PTTControl);
    m_engine.fnSetRXPSKMode(m_settings.RXMode, 0);
    m_engine.fnSetRXPSKMode(m_settings.RXMode, 1);
}
