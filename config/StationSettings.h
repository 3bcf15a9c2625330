#pragma once

#include "config/InterfaceLanguage.h"
#include <pskcore/pskcore.h>

#include <QString>

// The station's settings edited in the configuration dialog's "Station" tab and
// stored in [Settings] beside the general ones: where QSOs are logged and who hears
// of them. Every value read from the store is validated; an invalid one reads as
// its default.
struct StationSettings
{
    QString LogFile = defaultLogFilePath();   // the ADIF file QSOs are appended to
    QString MyGrid;                           // Maidenhead locator, upper/lower case as ADIF wants; may be empty
    bool UDPEnabled = true;                   // send the WSJT-X network messages
    QString UDPHost = QStringLiteral("127.0.0.1");   // an IPv4 or IPv6 address, unicast or multicast
    int UDPPort = 2237;                       // 1-65535
    bool ClearAfterLog = false;               // empty the QSO box once the QSO is logged
    QString Language = kFrenchLanguage;       // the interface's language at the next start

    // Keying and rig control.
    int Keying = pskkey::Serial;              // pskkey: none (VOX), serial RTS/DTR, CAT, rigctld, CM108
    int RigModel = 0;                         // CAT: hamlib's rig model number
    QString RigDevice;                        // CAT: the rig's serial device
    int RigSpeed = 0;                         // CAT: bit/s, 0 = the model's default
    QString RigctldAddress = QStringLiteral("localhost:4532");   // host:port of a running rigctld
    QString Cm108Device = QStringLiteral("/dev/hidraw0");        // the CM108 interface's hidraw device
    int TxTimeLimitMin = 10;                  // a longer transmission is ended; 0 = no limit

    // Sound devices by name, as the engine lists them; empty = the desktop's default device.
    QString InputDevice;
    QString OutputDevice;
    // The alert sounds' device, by its description in Qt Multimedia; empty = the desktop's default.
    QString AlertDevice;

    // The configuration of the rig control handed to the engine.
    PskRigConfig rigConfig() const;

    // ~/.local/share/korvo/korvo.adi: the program's data folder, where it also looks
    // for its help and sound files.
    static QString defaultLogFilePath();
};

bool operator==(const StationSettings &a, const StationSettings &b);

// A Maidenhead locator of 2, 4, 6 or 8 characters (field, square, subsquare,
// extended square): "JN18", "jn18eu", "IO91wm48".
bool isMaidenheadLocator(const QString &text);
// The ADIF spelling: field letters upper case, subsquare letters lower case.
QString normalisedLocator(const QString &text);

// Only numeric addresses: a host name would need a resolver, and a blocking lookup
// must never freeze the interface.
bool isUdpAddress(const QString &text);

inline constexpr int kTxTimeLimitMaxMin = 120;
inline constexpr int kUdpPortMin = 1;
inline constexpr int kUdpPortMax = 65535;
