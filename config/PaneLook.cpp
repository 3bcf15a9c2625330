#include "config/PaneLook.h"

#include "ground/Dialogs.h"
#include "ground/Translated.h"
#include "config/LookDialogsQt.h"
#include "config/SettingsBatches.h"
#include "config/SettingsStore.h"

#include <QAction>
#include <QFontInfo>
#include <QPlainTextEdit>

int colorRef(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor colorFromRef(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

int styleCode(bool bold, bool italic)
{
    return (bold ? 1000 : 0) + (italic ? 100 : 0);
}

FontStyle styleFromCode(int code)
{
    switch (code) {
    case 100:
        return {false, true};
    case 1000:
        return {true, false};
    case 1100:
        return {true, true};
    default:
        return {};
    }
}

int defaultPaneTextColor(int pane)
{
    return pane == 0 ? 65280 : 65535;
}

namespace {

LookDialogs *installed = nullptr;

QString lookName(const char *prefix, int pane, const char *suffix = "")
{
    return QString::fromLatin1(prefix) + QString::number(pane + 1) + QString::fromLatin1(suffix);
}

// Colours and fonts are written outside any batch: a failure gets the general error
// report, in the operator's language rather than the store's internal English text.
void reportWriteFailure(const StoreWriteError &)
{
    showFailure(translated(kStoreWriteFailureText));
}

} // namespace

LookDialogs &LookDialogs::current()
{
    static QtLookDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

void LookDialogs::install(LookDialogs *dialogs)
{
    installed = dialogs;
}

PaneLook::PaneLook(const std::array<QPlainTextEdit *, 3> &panes,
                   std::function<SettingsStore &()> store, QObject *parent)
    : QObject(parent), m_panes(panes), m_store(std::move(store))
{
}

void PaneLook::bindMenu(int pane, QAction *colorCommand, QAction *fontCommand)
{
    connect(colorCommand, &QAction::triggered, this, [this, pane] { ColorClick(pane); });
    connect(fontCommand, &QAction::triggered, this, [this, pane] { FontClick(pane); });
}

// The dialog starts on the colour it last gave, not on the pane's.
void PaneLook::ColorClick(int pane)
{
    QColor color = m_dialogColor;
    if (!LookDialogs::current().chooseColor(color))
        return;
    m_dialogColor = color;
    setPaneBackground(pane, color);
    try {
        SettingsStore &store = m_store();
        store.writeInteger(SettingsStore::Look, lookName("Color", pane), colorRef(color));
        store.commit();
    } catch (const StoreWriteError &error) {
        reportWriteFailure(error);
    }
}

void PaneLook::FontClick(int pane)
{
    PaneFontChoice choice = paneFont(pane);
    if (!LookDialogs::current().chooseFont(choice))
        return;
    setPaneFont(pane, choice);
    try {
        SettingsStore &store = m_store();
        store.writeString(SettingsStore::Look, lookName("FT", pane, "Name"), choice.font.family());
        store.writeInteger(SettingsStore::Look, lookName("FT", pane, "Col"), colorRef(choice.color));
        store.writeInteger(SettingsStore::Look, lookName("FT", pane, "Size"),
                           qRound(choice.font.pointSizeF()));
        store.writeInteger(SettingsStore::Look, lookName("FT", pane, "Style"),
                           styleCode(choice.font.bold(), choice.font.italic()));
        store.commit();
    } catch (const StoreWriteError &error) {
        reportWriteFailure(error);
    }
}

// A whole new font from the stored values: nothing of the pane's earlier font
// (underline, strike-out) survives.
void PaneLook::applyStored(int pane, const PaneStartupValues &values)
{
    if (values.Color)
        setPaneBackground(pane, colorFromRef(*values.Color));
    if (!values.FTName)
        return;
    PaneFontChoice choice;
    choice.font = QFont(*values.FTName, values.FTSize.value_or(8));
    const FontStyle style = styleFromCode(values.FTStyle.value_or(0));
    choice.font.setBold(style.bold);
    choice.font.setItalic(style.italic);
    choice.color = colorFromRef(values.FTCol.value_or(defaultPaneTextColor(pane)));
    setPaneFont(pane, choice);
}

PaneFontChoice PaneLook::paneFont(int pane) const
{
    // A stored face that is not installed is shown in another: the dialog must open on
    // the one shown, or its OK would change the pane.
    QFont shown = m_panes[pane]->font();
    shown.setFamilies({QFontInfo(shown).family()});
    return {shown, m_panes[pane]->palette().color(QPalette::Text)};
}

QColor PaneLook::paneBackground(int pane) const
{
    return m_panes[pane]->palette().color(QPalette::Base);
}

void PaneLook::setPaneFont(int pane, const PaneFontChoice &choice)
{
    QPlainTextEdit *edit = m_panes[pane];
    edit->setFont(choice.font);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, choice.color);
    edit->setPalette(palette);
}

void PaneLook::setPaneBackground(int pane, const QColor &color)
{
    QPlainTextEdit *edit = m_panes[pane];
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, color);
    edit->setPalette(palette);
}
