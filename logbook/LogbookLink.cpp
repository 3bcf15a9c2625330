#include "logbook/LogbookLink.h"

#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "ground/Images.h"
#include "controls/TLED.h"
#include "logbook/QsoLogger.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QFileInfo>
#include <QStandardPaths>
#include <QLineEdit>
#include <QShortcut>

LogbookLink::LogbookLink(const Controls &controls, std::optional<QDBusConnection> bus, QObject *parent)
    : QObject(parent), m_controls(controls), m_talmer(std::move(bus))
{
    connect(m_controls.ClearBtn, &QAbstractButton::clicked, this, &LogbookLink::ClearBtnClick);
    connect(m_controls.TalmerBtn, &QAbstractButton::clicked, this, &LogbookLink::TalmerBtnClick);
    connect(m_controls.SendBtn, &QAbstractButton::clicked, this, &LogbookLink::SendBtnClick);
    m_controls.SendBtn->setEnabled(false);
    if (m_controls.LogBtn) {
        m_controls.LogBtn->setToolTip(translated(kLogQsoHint));
        connect(m_controls.LogBtn, &QAbstractButton::clicked, this, &LogbookLink::LogBtnClick);
        // Anywhere in the window, the transmit pane included: Ctrl+L is no character
        // worth sending.
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), m_controls.LogBtn->window());
        connect(shortcut, &QShortcut::activated, this, &LogbookLink::LogBtnClick);
    }
}

void LogbookLink::showButtonIfInstalled(const QStringList &folders)
{
    bool installed = !QStandardPaths::findExecutable(QStringLiteral("talmer")).isEmpty();
    for (const QString &folder : folders)
        for (const QString &name : {QStringLiteral("talmer"), QStringLiteral("talmer.exe")})
            installed = installed || QFileInfo::exists(QDir(folder).filePath(name));
    m_controls.TalmerBtn->setVisible(installed);
}

void LogbookLink::ClearBtnClick()
{
    m_controls.HisCall->clear();
    m_controls.HisName->clear();
    m_controls.HisRep->clear();
}

void LogbookLink::TalmerBtnClick()
{
    if (m_talmer.isOpen()) {
        m_talmer.release();
    } else {
        QString error;
        if (!m_talmer.open(&error)) {
            // The platform's own text, with the beep of every failure; nothing else changes.
            showFailure(error);
            return;
        }
    }
    showState();
}

void LogbookLink::showState()
{
    const bool connected = m_talmer.isOpen();
    m_controls.SendBtn->setEnabled(connected);
    if (m_controls.QuenLed)
        m_controls.QuenLed->setLit(connected);
    if (m_controls.images)
        m_controls.TalmerBtn->setIcon(
            m_controls.images->icon(connected ? Image::LogbookOpen : Image::Logbook));
    m_controls.TalmerBtn->setToolTip(connected ? QCoreApplication::translate("Korvo", "Se déconnecter de TALMER")
                                               : QCoreApplication::translate("Korvo", "Se connecter à TALMER"));
}

void LogbookLink::LogBtnClick()
{
    if (m_controls.logger)
        m_controls.logger->logQso();
}

// The fields are free text handed over as they stand; the first failing put skips
// the rest. The QSO is logged whether or not Talmer took it: a second hand-over of
// the same QSO does not log it twice. The QSO box is not emptied by the hand-over
// itself: ClearBtn does that (and logging, if the operator asked for it).
void LogbookLink::SendBtnClick()
{
    const std::pair<QString, QString> puts[] = {
        {QStringLiteral("Indicatif"), m_controls.HisCall->text()},
        {QStringLiteral("Nom"), m_controls.HisName->text()},
        {QStringLiteral("Report"), m_controls.HisRep->text()},
        {QStringLiteral("Mode"), QStringLiteral("PSK31")},
    };
    for (const auto &[name, value] : puts) {
        if (!m_talmer.setStringProperty(name, value)) {
            showFailure(translated(kTalmerSendFailedText));
            break;
        }
    }
    LogBtnClick();
}
