#pragma once

#include <QDBusConnection>
#include <QString>
#include <optional>

// The Talmer logbook's object on the session bus. The original reached it by OLE
// automation under the same name; here it is a D-Bus object whose string
// properties Indicatif, Nom, Report and Mode are set through
// org.freedesktop.DBus.Properties.Set.
inline const QString kTalmerService = QStringLiteral("Talmer.QuenDatas");
inline const QString kTalmerPath = QStringLiteral("/QuenDatas");
inline const QString kTalmerInterface = QStringLiteral("Talmer.QuenDatas");

// A held reference to the logbook object. Opening binds it to the process that owns
// the name at that moment, as holding an automation object does: if that logbook
// goes away, the next property put fails even if another one takes the name.
class TalmerConnection
{
public:
    // Without a bus given, the session bus is reached only when the logbook is
    // first opened, so a program that never uses the logbook never touches the bus.
    explicit TalmerConnection(std::optional<QDBusConnection> bus = std::nullopt);

    // Finds the logbook, or has the bus start it. On failure the object stays
    // released and *error holds the bus's own error text.
    bool open(QString *error);
    void release() { m_owner.clear(); }
    bool isOpen() const { return !m_owner.isEmpty(); }

    // One property put; false when the call fails for any reason.
    bool setStringProperty(const QString &name, const QString &value);

private:
    QDBusConnection bus();

    std::optional<QDBusConnection> m_bus;
    QString m_owner;   // unique bus name of the logbook process
};
