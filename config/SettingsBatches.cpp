#include "config/SettingsBatches.h"

#include "ground/Dialogs.h"
#include "config/SettingsStore.h"

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

// Black panes; green text for channel 1, yellow for channel 2 and the transmit pane.
constexpr PaneDefaults paneDefaults[3] = {{0, 65280}, {0, 65535}, {0, 65535}};
const QString defaultFontName = QStringLiteral("Courier New");
constexpr int defaultFontSize = 8;

} // namespace

bool runReadScope(const std::function<void()> &reads)
{
    try {
        reads();
        return true;
    } catch (const std::exception &) {
        showFailure(kStoreReadFailureText);
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
        showFailure(kStoreWriteFailureText);
        return false;
    }
}

StartupStoreValues loadStartupSettings(SettingsStore &store)
{
    try {
        store.ensureSections();
    } catch (const StoreWriteError &) {
        // Reading can still go on; the operator learns now that nothing will be kept.
        showFailure(kStoreWriteFailureText);
    }

    StartupStoreValues v;
    TSettings &t = v.settings;
    v.complete = runReadScope([&] {
        t.MyCall = store.readString(S, QStringLiteral("MyCall"), kDefaults.MyCall);
        t.ShowUTCTime = store.readBool(S, QStringLiteral("ShowUTCTime"), kDefaults.ShowUTCTime);
        t.SpectrumPlain = store.readBool(S, QStringLiteral("SpectrumPlain"), kDefaults.SpectrumPlain);
        t.DateFormat = store.readInteger(S, QStringLiteral("DateFormat"), kDefaults.DateFormat);
        t.CWIDSpeed = store.readInteger(S, QStringLiteral("CWIDSpeed"), kDefaults.CWIDSpeed);
        t.CWID = store.readString(S, QStringLiteral("CWID"), kDefaults.CWID);
        t.ComPort = store.readInteger(S, QStringLiteral("ComPort"), kDefaults.ComPort);
        t.PTTControl = store.readInteger(S, QStringLiteral("PTTControl"), kDefaults.PTTControl);
        t.RXMode = store.readInteger(S, QStringLiteral("RXMode"), kDefaults.RXMode);
        t.WFMin = store.readInteger(S, QStringLiteral("WFMin"), kDefaults.WFMin);
        t.WFMax = store.readInteger(S, QStringLiteral("WFMax"), kDefaults.WFMax);

        // The channel values interleave: both AFC boxes, both ranges, and so on.
        const ChannelNames names[2] = {channelNames(0), channelNames(1)};
        const ChannelStoreValues d;
        for (int c = 0; c < 2; ++c)
            v.channels[c].AFCOk = store.readBool(S, names[c].AFCOk, d.AFCOk);
        for (int c = 0; c < 2; ++c)
            v.channels[c].AFCRange = store.readInteger(S, names[c].AFCRange, d.AFCRange);
        for (int c = 0; c < 2; ++c)
            v.channels[c].NetOk = store.readBool(S, names[c].NetOk, d.NetOk);
        for (int c = 0; c < 2; ++c)
            v.channels[c].Sq = store.readInteger(S, names[c].Sq, d.Sq);
        for (int c = 0; c < 2; ++c)
            v.channels[c].SqSp = store.readInteger(S, names[c].SqSp, d.SqSp);

        t.Blocks = store.readInteger(S, QStringLiteral("Blocks"), kDefaults.Blocks);
        t.PPMAdjust = store.readInteger(S, QStringLiteral("PPMAdjust"), kDefaults.PPMAdjust);

        v.window.WindowState = store.readBool(L, QStringLiteral("WindowState"), false);
        if (!*v.window.WindowState) {
            v.window.Left = store.readInteger(L, QStringLiteral("Left"), 50);
            v.window.Top = store.readInteger(L, QStringLiteral("Top"), 50);
            v.window.Height = store.readInteger(L, QStringLiteral("Height"), 450);
            v.window.Width = store.readInteger(L, QStringLiteral("Width"), 645);
        }
        v.window.MonitorHeight = store.readInteger(L, QStringLiteral("MonitorHeight"), 82);

        for (int p = 0; p < 3; ++p) {
            const QString n = QString::number(p + 1);
            PaneStartupValues &pane = v.panes[p];
            pane.Color = store.readInteger(L, QStringLiteral("Color") + n, paneDefaults[p].Color);
            pane.FTName = store.readString(L, QStringLiteral("FT%1Name").arg(n), defaultFontName);
            pane.FTCol = store.readInteger(L, QStringLiteral("FT%1Col").arg(n), paneDefaults[p].FTCol);
            pane.FTSize = store.readInteger(L, QStringLiteral("FT%1Size").arg(n), defaultFontSize);
            pane.FTStyle = store.readInteger(L, QStringLiteral("FT%1Style").arg(n), 0);
        }
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
        v.CWIDSpeed = store.readInteger(S, QStringLiteral("CWIDSpeed"), kDefaults.CWIDSpeed);
        v.CWID = store.readString(S, QStringLiteral("CWID"), kDefaults.CWID);
        v.ComPort = store.readInteger(S, QStringLiteral("ComPort"), kDefaults.ComPort);
        v.PTTControl = store.readInteger(S, QStringLiteral("PTTControl"), kDefaults.PTTControl);
        v.RXMode = store.readInteger(S, QStringLiteral("RXMode"), kDefaults.RXMode);
        v.Blocks = store.readInteger(S, QStringLiteral("Blocks"), kDefaults.Blocks);
        v.WFMin = store.readInteger(S, QStringLiteral("WFMin"), kDefaults.WFMin);
        v.WFMax = store.readInteger(S, QStringLiteral("WFMax"), kDefaults.WFMax);
        v.PPMAdjust = store.readInteger(S, QStringLiteral("PPMAdjust"), kDefaults.PPMAdjust);
    });
    return v;
}

bool writeDialogSettings(SettingsStore &store, const TSettings &t)
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
