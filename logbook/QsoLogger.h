#pragma once

#include <QCoreApplication>

#include "logbook/QsoRecord.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class WsjtxSender;
struct StationSettings;
struct TSettings;

// Logs the QSO of the QSO box: appends it to the ADIF file, then sends it to the
// loggers listening for WSJT-X messages.
//
// One QSO is one call sign with its time on. The time on is taken when the call sign
// field goes from empty to filled (typing into an empty field, a double-click in a
// receive pane, a macro's question), and again when the call is changed after its
// QSO was logged. Correcting a typo in the call keeps it. A QSO already logged is
// not logged again, however the log is asked for (button, Ctrl+L, the Talmer
// hand-over): the operator is told so in the status bar.
class QsoLogger : public QObject
{
    Q_OBJECT
public:
    struct Fields
    {
        QLineEdit *HisCall = nullptr;
        QLineEdit *HisName = nullptr;
        QLineEdit *HisRep = nullptr;
    };

    // What the logger reads when it logs; everything but the fields is optional.
    struct Sources
    {
        const TSettings *settings = nullptr;          // MyCall, RXMode
        const StationSettings *station = nullptr;     // file, locator, UDP, clearing
        std::function<int()> audioHz;                 // the current channel's frequency
        std::function<std::optional<RigDial>()> rigDial;   // empty while no rig is read
        std::function<void(int icon, const QString &text)> notice;   // status-bar line
        std::function<QDateTime()> clockUtc;          // tests fix the time
    };

    enum class Result { Logged, AlreadyLogged, NoCall, WriteFailed };

    QsoLogger(const Fields &fields, Sources sources, QObject *parent = nullptr);
    ~QsoLogger() override;

    // The first heartbeat to the listeners; the window calls it once its settings are in.
    void start();

    Result logQso();

    std::optional<QDateTime> timeOn() const { return m_timeOn; }

private:
    void callChanged(const QString &text);
    QsoRecord currentRecord(const QDateTime &nowUtc) const;
    QDateTime nowUtc() const;
    void notice(int icon, const QString &text) const;

    Fields m_fields;
    Sources m_sources;
    std::unique_ptr<WsjtxSender> m_sender;
    std::optional<QDateTime> m_timeOn;
    bool m_currentLogged = false;   // the QSO now in the box has been logged
};

// The message shown (after a beep) when the ADIF file cannot be written; %1 is its path.
inline const QString kLogWriteFailedText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo",
    "Impossible d'écrire le QSO dans le journal\r\n"
    "%1\r\n"
    "Le QSO reste dans la boîte \"QSO en cours\"."));
