#include "logbook/QsoLogger.h"

#include "config/StationSettings.h"
#include "config/TSettings.h"
#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "ground/Images.h"
#include "logbook/AdifLogFile.h"
#include "logbook/AdifWriter.h"
#include "logbook/WsjtxSender.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace {

const StationSettings kDefaultStation;
const TSettings kDefaultSettings;

} // namespace

QsoLogger::QsoLogger(const Fields &fields, Sources sources, QObject *parent)
    : QObject(parent), m_fields(fields), m_sources(std::move(sources))
{
    if (!m_sources.settings)
        m_sources.settings = &kDefaultSettings;
    if (!m_sources.station)
        m_sources.station = &kDefaultStation;
    m_sender = std::make_unique<WsjtxSender>(*m_sources.station);
    connect(m_fields.HisCall, &QLineEdit::textChanged, this, &QsoLogger::callChanged);
    callChanged(m_fields.HisCall->text());
}

QsoLogger::~QsoLogger() = default;

void QsoLogger::start()
{
    m_sender->start();
}

QDateTime QsoLogger::nowUtc() const
{
    return m_sources.clockUtc ? m_sources.clockUtc().toUTC() : QDateTime::currentDateTimeUtc();
}

void QsoLogger::notice(int icon, const QString &text) const
{
    if (m_sources.notice)
        m_sources.notice(icon, text);
}

void QsoLogger::callChanged(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        m_timeOn.reset();
        m_currentLogged = false;
        return;
    }
    if (!m_timeOn || m_currentLogged) {
        m_timeOn = nowUtc();
        m_currentLogged = false;
    }
}

QsoRecord QsoLogger::currentRecord(const QDateTime &now) const
{
    QsoRecord qso;
    qso.call = m_fields.HisCall->text();
    qso.name = m_fields.HisName->text();
    qso.rstSent = m_fields.HisRep->text();
    qso.timeOn = m_timeOn.value_or(now);
    qso.timeOff = now;
    qso.submode = submodeForRxMode(m_sources.settings->RXMode);
    qso.audioHz = m_sources.audioHz ? m_sources.audioHz() : 0;
    if (m_sources.rigDial)
        qso.dial = m_sources.rigDial();
    qso.stationCallsign = m_sources.settings->MyCall;
    qso.myGrid = m_sources.station->MyGrid;
    return qso;
}

QsoLogger::Result QsoLogger::logQso()
{
    const QString call = m_fields.HisCall->text().trimmed().toUpper();
    if (call.isEmpty()) {
        notice(Image::Warning, QCoreApplication::translate("Korvo", "Pas d'indicatif : QSO non enregistré"));
        return Result::NoCall;
    }
    if (m_currentLogged) {
        notice(Image::Information, QCoreApplication::translate("Korvo", "QSO avec %1 déjà enregistré").arg(call));
        return Result::AlreadyLogged;
    }

    const QDateTime now = nowUtc();
    const QsoRecord qso = currentRecord(now);
    const QByteArray record = adifRecord(qso);
    AdifLogFile file(m_sources.station->LogFile);
    if (!file.append(record, now)) {
        showFailure(translated(kLogWriteFailedText).arg(file.path()));
        return Result::WriteFailed;
    }
    m_currentLogged = true;
    m_sender->sendQso(qso, adifHeader(now) + record);
    notice(Image::Information, QCoreApplication::translate("Korvo", "QSO avec %1 enregistré à %2 TU")
                                   .arg(call, now.toString(QStringLiteral("HH:mm"))));

    if (m_sources.station->ClearAfterLog) {
        m_fields.HisCall->clear();
        m_fields.HisName->clear();
        m_fields.HisRep->clear();
    }
    return Result::Logged;
}
