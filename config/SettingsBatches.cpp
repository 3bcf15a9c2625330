#include "config/SettingsBatches.h"

#include "config/InterfaceLanguage.h"
#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "config/SettingsStore.h"

#include <algorithm>
#include <exception>

namespace {

// Every reader uses the same defaults: those of the in-memory record.
const TSettings kDefaults;

const QString &S = SettingsStore::Settings;
const QString &L = SettingsStore::Look;

// Stored names of one channel's values; the two channels differ only by these.
struct ChannelNames
{
    QString AFCOk, AFCRange, NetOk, Sq, SqSp;
};

ChannelNames channelNames(int channel)
{
    const QString digit = QString::number(channel + 1);
    const QString word = channel == 0 ? QStringLiteral("One") : QStringLiteral("Two");
    return {QStringLiteral("AFC") + digit + QStringLiteral("Ok"),
            QStringLiteral("AFC") + digit + QStringLiteral("Range"),
            QStringLiteral("Net") + digit + QStringLiteral("Ok"),
            QStringLiteral("Sq") + word,
            QStringLiteral("SqSp") + word};
}

struct PaneDefaults
{
    int Color;
    int FTCol;
};

// Each stored integer against the range of its control or of the engine: a value
// outside it reads as the default, so no later arithmetic meets a value it was not
// made for (a band edge of -1048577 Hz would index far outside the FFT data).
struct IntegerRange
{
    int lowest;
    int highest;
};

constexpr IntegerRange kCWIDSpeedRange{0, 3};
constexpr IntegerRange kComPortRange{1, 8};
constexpr IntegerRange kPTTControlRange{0, 3};
constexpr IntegerRange kRXModeRange{0, 2};
constexpr IntegerRange kBlocksRange{1, 99};
constexpr IntegerRange kPPMAdjustRange{-10000, 10000};
constexpr IntegerRange kBandEdgeRange{kStoredBandLowestHz, kStoredBandHighestHz};
constexpr IntegerRange kAFCRange{0, 100};
constexpr IntegerRange kSquelchRange{0, 99};
constexpr IntegerRange kSquelchSpeedRange{0, 200};
constexpr IntegerRange kColourRange{0, 0xFFFFFF};
constexpr IntegerRange kFontSizeRange{1, 144};

int readInRange(const SettingsStore &store, const QString &section, const QString &name, int defaultValue,
                IntegerRange range)
{
    const int value = store.readInteger(section, name, defaultValue);
    return value >= range.lowest && value <= range.highest ? value : defaultValue;
}

// Both edges read; a pair that maps no bin falls back to the default band whole.
void readBand(const SettingsStore &store, int &wfMin, int &wfMax)
{
    const int low = readInRange(store, SettingsStore::Settings, QStringLiteral("WFMin"), kDefaults.WFMin,
                                kBandEdgeRange);
    const int high = readInRange(store, SettingsStore::Settings, QStringLiteral("WFMax"), kDefaults.WFMax,
                                 kBandEdgeRange);
    const bool usable = isStoredBandUsable(low, high);
    wfMin = usable ? low : kDefaults.WFMin;
    wfMax = usable ? high : kDefaults.WFMax;
}

// Black panes; green text for channel 1, yellow for channel 2 and the transmit pane.
constexpr PaneDefaults paneDefaults[3] = {{0, 65280}, {0, 65535}, {0, 65535}};
const QString defaultFontName = QStringLiteral("Courier New");
constexpr int defaultFontSize = 8;

// Station values in [Settings]. A value that fails validation reads as its default,
// as an unparsable integer does.
StationSettings readStationSettings(const SettingsStore &store)
{
    const StationSettings d;
    StationSettings v;
    v.LogFile = store.readString(S, QStringLiteral("LogFile"), d.LogFile).trimmed();
    if (v.LogFile.isEmpty())
        v.LogFile = d.LogFile;
    const QString grid = store.readString(S, QStringLiteral("MyGrid"), d.MyGrid).trimmed();
    v.MyGrid = isMaidenheadLocator(grid) ? normalisedLocator(grid) : d.MyGrid;
    v.UDPEnabled = store.readBool(S, QStringLiteral("UDPEnabled"), d.UDPEnabled);
    const QString host = store.readString(S, QStringLiteral("UDPHost"), d.UDPHost).trimmed();
    v.UDPHost = isUdpAddress(host) ? host : d.UDPHost;
    const int port = store.readInteger(S, QStringLiteral("UDPPort"), d.UDPPort);
    v.UDPPort = port >= kUdpPortMin && port <= kUdpPortMax ? port : d.UDPPort;
    v.ClearAfterLog = store.readBool(S, QStringLiteral("ClearAfterLog"), d.ClearAfterLog);
    const QString language = store.readString(S, QStringLiteral("Language"), d.Language);
    v.Language = isInterfaceLanguage(language) ? language : d.Language;
    const int keying = store.readInteger(S, QStringLiteral("Keying"), d.Keying);
    v.Keying = keying >= pskkey::None && keying <= pskkey::Cm108 ? keying : d.Keying;
    v.RigModel = std::max(0, store.readInteger(S, QStringLiteral("RigModel"), d.RigModel));
    v.RigDevice = store.readString(S, QStringLiteral("RigDevice"), d.RigDevice).trimmed();
    v.RigSpeed = std::max(0, store.readInteger(S, QStringLiteral("RigSpeed"), d.RigSpeed));
    v.RigctldAddress = store.readString(S, QStringLiteral("RigctldAddress"), d.RigctldAddress).trimmed();
    v.Cm108Device = store.readString(S, QStringLiteral("CM108Device"), d.Cm108Device).trimmed();
    const int limit = store.readInteger(S, QStringLiteral("TxTimeLimit"), d.TxTimeLimitMin);
    v.TxTimeLimitMin = limit >= 0 && limit <= kTxTimeLimitMaxMin ? limit : d.TxTimeLimitMin;
    v.InputDevice = store.readString(S, QStringLiteral("InputDevice"), d.InputDevice);
    v.OutputDevice = store.readString(S, QStringLiteral("OutputDevice"), d.OutputDevice);
    v.AlertDevice = store.readString(S, QStringLiteral("AlertDevice"), d.AlertDevice);
    return v;
}

void writeStationSettings(SettingsStore &store, const StationSettings &v)
{
    store.writeString(S, QStringLiteral("LogFile"), v.LogFile);
    store.writeString(S, QStringLiteral("MyGrid"), v.MyGrid);
    store.writeBool(S, QStringLiteral("UDPEnabled"), v.UDPEnabled);
    store.writeString(S, QStringLiteral("UDPHost"), v.UDPHost);
    store.writeInteger(S, QStringLiteral("UDPPort"), v.UDPPort);
    store.writeBool(S, QStringLiteral("ClearAfterLog"), v.ClearAfterLog);
    store.writeString(S, QStringLiteral("Language"), v.Language);
    store.writeInteger(S, QStringLiteral("Keying"), v.Keying);
    store.writeInteger(S, QStringLiteral("RigModel"), v.RigModel);
    store.writeString(S, QStringLiteral("RigDevice"), v.RigDevice);
    store.writeInteger(S, QStringLiteral("RigSpeed"), v.RigSpeed);
    store.writeString(S, QStringLiteral("RigctldAddress"), v.RigctldAddress);
    store.writeString(S, QStringLiteral("CM108Device"), v.Cm108Device);
    store.writeInteger(S, QStringLiteral("TxTimeLimit"), v.TxTimeLimitMin);
    store.writeString(S, QStringLiteral("InputDevice"), v.InputDevice);
    store.writeString(S, QStringLiteral("OutputDevice"), v.OutputDevice);
    store.writeString(S, QStringLiteral("AlertDevice"), v.AlertDevice);
}

} // namespace

QString unreadableLinesText(const QString &path, const QStringList &problems, const QString &copy)
{
    return QCoreApplication::translate(
               "Korvo", "Le fichier de réglages %1 contient des lignes que Korvo ne sait pas lire (%2). "
                        "Korvo n'y change que les valeurs qu'il écrit ; une copie intacte est gardée dans %3.")
        .arg(path, problems.join(QStringLiteral(", ")), copy);
}

bool isStoredBandUsable(int wfMinHz, int wfMaxHz)
{
    // The edges are checked before any product is formed: no value can overflow it.
    if (wfMinHz < kStoredBandLowestHz || wfMaxHz > kStoredBandHighestHz || wfMinHz >= wfMaxHz)
        return false;
    return wfMinHz * kBandFftSize / kBandSampleRateHz < wfMaxHz * kBandFftSize / kBandSampleRateHz;
}

bool runReadScope(const std::function<void()> &reads)
{
    try {
        reads();
        return true;
    } catch (const std::exception &) {
        showFailure(translated(kStoreReadFailureText));
        return false;
    }
}

bool runWriteScope(SettingsStore &store, const std::function<void()> &writes)
{
    try {
        store.ensureSections();
        writes();
        store.commit();
        return true;
    } catch (const std::exception &) {
        showFailure(translated(kStoreWriteFailureText));
        return false;
    }
}

StartupStoreValues loadStartupSettings(SettingsStore &store)
{
    // Before anything is written: the file as the operator left it is kept whole.
    if (!store.problems().isEmpty()) {
        try {
            const QString copy = store.keepCopyOfOriginal();
            if (!copy.isEmpty())
                showFailure(unreadableLinesText(store.path(), store.problems(), copy));
        } catch (const StoreWriteError &) {
            showFailure(translated(kStoreWriteFailureText));
        }
    }
    try {
        store.ensureSections();
    } catch (const StoreWriteError &) {
        // Reading can still go on; the operator learns now that nothing will be kept.
        showFailure(translated(kStoreWriteFailureText));
    }

    StartupStoreValues v;
    TSettings &t = v.settings;
    v.complete = runReadScope([&] {
        t.MyCall = store.readString(S, QStringLiteral("MyCall"), kDefaults.MyCall);
        t.ShowUTCTime = store.readBool(S, QStringLiteral("ShowUTCTime"), kDefaults.ShowUTCTime);
        t.SpectrumPlain = store.readBool(S, QStringLiteral("SpectrumPlain"), kDefaults.SpectrumPlain);
        t.DateFormat = store.readInteger(S, QStringLiteral("DateFormat"), kDefaults.DateFormat);
        t.CWIDSpeed = readInRange(store, S, QStringLiteral("CWIDSpeed"), kDefaults.CWIDSpeed, kCWIDSpeedRange);
        t.CWID = store.readString(S, QStringLiteral("CWID"), kDefaults.CWID);
        t.ComPort = readInRange(store, S, QStringLiteral("ComPort"), kDefaults.ComPort, kComPortRange);
        t.PTTControl = readInRange(store, S, QStringLiteral("PTTControl"), kDefaults.PTTControl, kPTTControlRange);
        t.RXMode = readInRange(store, S, QStringLiteral("RXMode"), kDefaults.RXMode, kRXModeRange);
        readBand(store, t.WFMin, t.WFMax);

        // The channel values interleave: both AFC boxes, both ranges, and so on.
        const ChannelNames names[2] = {channelNames(0), channelNames(1)};
        const ChannelStoreValues d;
        for (int c = 0; c < 2; ++c)
            v.channels[c].AFCOk = store.readBool(S, names[c].AFCOk, d.AFCOk);
        for (int c = 0; c < 2; ++c)
            v.channels[c].AFCRange = readInRange(store, S, names[c].AFCRange, d.AFCRange, kAFCRange);
        for (int c = 0; c < 2; ++c)
            v.channels[c].NetOk = store.readBool(S, names[c].NetOk, d.NetOk);
        for (int c = 0; c < 2; ++c)
            v.channels[c].Sq = readInRange(store, S, names[c].Sq, d.Sq, kSquelchRange);
        for (int c = 0; c < 2; ++c)
            v.channels[c].SqSp = readInRange(store, S, names[c].SqSp, d.SqSp, kSquelchSpeedRange);

        t.Blocks = readInRange(store, S, QStringLiteral("Blocks"), kDefaults.Blocks, kBlocksRange);
        t.PPMAdjust = readInRange(store, S, QStringLiteral("PPMAdjust"), kDefaults.PPMAdjust, kPPMAdjustRange);

        v.window.WindowState = store.readBool(L, QStringLiteral("WindowState"), false);
        if (!*v.window.WindowState) {
            v.window.Left = store.readInteger(L, QStringLiteral("Left"), 50);
            v.window.Top = store.readInteger(L, QStringLiteral("Top"), 50);
            v.window.Height = store.readInteger(L, QStringLiteral("Height"), kDefaultWindowHeightPx);
            v.window.Width = store.readInteger(L, QStringLiteral("Width"), kDefaultWindowWidthPx);
        }
        v.window.MonitorHeight = store.readInteger(L, QStringLiteral("MonitorHeight"), 82);

        for (int p = 0; p < 3; ++p) {
            const QString n = QString::number(p + 1);
            PaneStartupValues &pane = v.panes[p];
            pane.Color = readInRange(store, L, QStringLiteral("Color") + n, paneDefaults[p].Color, kColourRange);
            pane.FTName = store.readString(L, QStringLiteral("FT%1Name").arg(n), defaultFontName);
            pane.FTCol = readInRange(store, L, QStringLiteral("FT%1Col").arg(n), paneDefaults[p].FTCol, kColourRange);
            pane.FTSize = readInRange(store, L, QStringLiteral("FT%1Size").arg(n), defaultFontSize, kFontSizeRange);
            pane.FTStyle = store.readInteger(L, QStringLiteral("FT%1Style").arg(n), 0);
        }

        v.station = readStationSettings(store);
    });
    return v;
}

DialogStoreValues loadDialogSettings(SettingsStore &store)
{
    try {
        store.ensureSections();
    } catch (const StoreWriteError &) {
        // The dialog's Apply reports a store that cannot be written.
    }

    DialogStoreValues v;
    v.complete = runReadScope([&] {
        v.MyCall = store.readString(S, QStringLiteral("MyCall"), kDefaults.MyCall);
        v.ShowUTCTime = store.readBool(S, QStringLiteral("ShowUTCTime"), kDefaults.ShowUTCTime);
        v.SpectrumPlain = store.readBool(S, QStringLiteral("SpectrumPlain"), kDefaults.SpectrumPlain);
        v.DateFormat = store.readInteger(S, QStringLiteral("DateFormat"), kDefaults.DateFormat);
        v.CWIDSpeed = readInRange(store, S, QStringLiteral("CWIDSpeed"), kDefaults.CWIDSpeed, kCWIDSpeedRange);
        v.CWID = store.readString(S, QStringLiteral("CWID"), kDefaults.CWID);
        v.ComPort = readInRange(store, S, QStringLiteral("ComPort"), kDefaults.ComPort, kComPortRange);
        v.PTTControl = readInRange(store, S, QStringLiteral("PTTControl"), kDefaults.PTTControl, kPTTControlRange);
        v.RXMode = readInRange(store, S, QStringLiteral("RXMode"), kDefaults.RXMode, kRXModeRange);
        v.Blocks = readInRange(store, S, QStringLiteral("Blocks"), kDefaults.Blocks, kBlocksRange);
        int wfMin = 0;
        int wfMax = 0;
        readBand(store, wfMin, wfMax);
        v.WFMin = wfMin;
        v.WFMax = wfMax;
        v.PPMAdjust = readInRange(store, S, QStringLiteral("PPMAdjust"), kDefaults.PPMAdjust, kPPMAdjustRange);
        v.station = readStationSettings(store);
    });
    return v;
}

bool writeDialogSettings(SettingsStore &store, const TSettings &t, const StationSettings *station)
{
    return runWriteScope(store, [&] {
        store.writeString(S, QStringLiteral("MyCall"), t.MyCall);
        store.writeBool(S, QStringLiteral("ShowUTCTime"), t.ShowUTCTime);
        store.writeBool(S, QStringLiteral("SpectrumPlain"), t.SpectrumPlain);
        store.writeInteger(S, QStringLiteral("DateFormat"), t.DateFormat);
        store.writeInteger(S, QStringLiteral("CWIDSpeed"), t.CWIDSpeed);
        store.writeString(S, QStringLiteral("CWID"), t.CWID);
        store.writeInteger(S, QStringLiteral("ComPort"), t.ComPort);
        store.writeInteger(S, QStringLiteral("PTTControl"), t.PTTControl);
        store.writeInteger(S, QStringLiteral("RXMode"), t.RXMode);
        store.writeInteger(S, QStringLiteral("Blocks"), t.Blocks);
        store.writeInteger(S, QStringLiteral("PPMAdjust"), t.PPMAdjust);
        store.writeInteger(S, QStringLiteral("WFMin"), t.WFMin);
        store.writeInteger(S, QStringLiteral("WFMax"), t.WFMax);
        if (station)
            writeStationSettings(store, *station);
    });
}

bool writeCloseSettings(SettingsStore &store, const CloseStoreValues &v)
{
    return runWriteScope(store, [&] {
        store.writeInteger(S, QStringLiteral("WFMin"), v.WFMin);
        store.writeInteger(S, QStringLiteral("WFMax"), v.WFMax);
        store.writeInteger(S, QStringLiteral("FreqOne"), v.FreqOne);
        store.writeInteger(S, QStringLiteral("FreqTwo"), v.FreqTwo);

        const ChannelNames names[2] = {channelNames(0), channelNames(1)};
        for (int c = 0; c < 2; ++c)
            store.writeBool(S, names[c].AFCOk, v.channels[c].AFCOk);
        for (int c = 0; c < 2; ++c)
            store.writeInteger(S, names[c].AFCRange, v.channels[c].AFCRange);
        for (int c = 0; c < 2; ++c)
            store.writeBool(S, names[c].NetOk, v.channels[c].NetOk);
        for (int c = 0; c < 2; ++c)
            store.writeInteger(S, names[c].Sq, v.channels[c].Sq);
        for (int c = 0; c < 2; ++c)
            store.writeInteger(S, names[c].SqSp, v.channels[c].SqSp);
        store.writeInteger(S, QStringLiteral("Blocks"), v.Blocks);

        store.writeBool(L, QStringLiteral("WindowState"), v.WindowState);
        store.writeInteger(L, QStringLiteral("Left"), v.Left);
        store.writeInteger(L, QStringLiteral("Top"), v.Top);
        store.writeInteger(L, QStringLiteral("Height"), v.Height);
        store.writeInteger(L, QStringLiteral("Width"), v.Width);
        store.writeInteger(L, QStringLiteral("MonitorHeight"), v.MonitorHeight);
    });
}
