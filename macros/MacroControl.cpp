#include "macros/MacroControl.h"

#include "ground/DataFolders.h"
#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"
#include "config/TSettings.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineInterface.h"
#include "macros/MacroExpander.h"
#include "macros/TMkProcForm.h"
#include "transmit/TransmitBuffer.h"
#include "transmit/TransmitControl.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

MacroControl::MacroControl(EngineInterface &engine, const ConnectionFlags &flags,
                           const TSettings &settings, MacroWidgets widgets, TransmitControl &transmit,
                           TransmitBuffer &buffer, QObject *parent)
    : QObject(parent),
      m_engine(engine),
      m_flags(flags),
      m_settings(settings),
      m_w(std::move(widgets)),
      m_transmit(transmit),
      m_buffer(buffer),
      m_localNow([] { return QDateTime::currentDateTime(); }),
      m_locale(QLocale::system()),
      m_dataFolders(dataFolders())
{
    for (int slot = 0; slot < MacroTable::kSlots; ++slot)
        if (QPushButton *button = m_w.buttons[slot])
            connect(button, &QPushButton::clicked, this, [this, slot] { LaunchMacro(slot); });
}

void MacroControl::loadMacros(SettingsStore &store)
{
    m_store = &store;
    try {
        table.load(store);
    } catch (const StoreReadError &) {
        showFailure(translated(kStoreReadFailureText));
    }
    // Buttons of free slots keep their defined look ("Néant").
    for (int slot = 0; slot < table.count; ++slot)
        showButton(slot, false);
}

void MacroControl::showButton(int slot, bool enable)
{
    QPushButton *button = m_w.buttons[slot];
    if (!button)
        return;
    button->setText(table.entries[slot].name);
    button->setToolTip(table.entries[slot].hint);
    if (enable)
        button->setEnabled(m_flags.CardActive && !button->text().isEmpty());
}

void MacroControl::MacroBtnClick()
{
    if (!m_store)
        return;
    {
        TMkProcForm editor(table, *m_store, m_w.dialogParent);
        editor.exec();
    }
    for (int slot = 0; slot < MacroTable::kSlots; ++slot)
        showButton(slot, true);
}

void MacroControl::LaunchMacro(int slot)
{
    if (slot < 0 || slot >= MacroTable::kSlots)
        return;
    m_buffer.dropUndelivered();
    m_w.TxBuf->clear();
    m_engine.fnClearTXBuffer();

    const QDateTime now = m_localNow();
    MacroSources sources;
    sources.MyCall = m_settings.MyCall;
    sources.DatePattern = m_settings.DatePattern;
    sources.localTime = now;
    sources.utcTime = now.toUTC();
    sources.locale = m_locale;
    sources.dataFolders = m_dataFolders;
    sources.Tuning = m_flags.Tuning;

    MacroExpander::Actions actions;
    actions.ask = [](const QString &caption, const QString &prompt) {
        return Dialogs::current().input(caption, prompt, QString());
    };
    // An answer stands in the QSO box at once: a later question, a \t or a failure finds it there.
    actions.answered = [this](const QsoFields &answers) {
        if (m_w.HisCall->text() != answers.HisCall)
            m_w.HisCall->setText(answers.HisCall);
        if (m_w.HisRep->text() != answers.HisRep)
            m_w.HisRep->setText(answers.HisRep);
    };
    actions.startTransmit = [this] { m_transmit.startFromMacro(); };
    actions.clearReceivePane = [this] {
        const int channel = m_w.Canal->currentIndex();
        if (channel >= 0 && channel < 2 && m_w.terms[channel])
            m_w.terms[channel]->clear();
    };

    QsoFields qso{m_w.HisCall->text(), m_w.HisName->text(), m_w.HisRep->text()};
    MacroExpander expander(sources, actions);
    const MacroExpander::Result result = expander.expand(table.entries[slot].text, qso);
    if (!result.ok) {
        showFailure(result.error);
        return;
    }
    QString typed = result.text;
    typed.remove(QChar(0));
    m_buffer.deliverText(typed);
}
