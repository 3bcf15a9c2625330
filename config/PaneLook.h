#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QPlainTextEdit;
class SettingsStore;
struct PaneStartupValues;

// Colours are stored as Windows colour references, 0x00BBGGRR in decimal.
int colorRef(const QColor &color);
QColor colorFromRef(int ref);

// A font style is stored as one code: bold 1000 plus italic 100. Underline and
// strike-out are not stored.
int styleCode(bool bold, bool italic);
struct FontStyle
{
    bool bold = false;
    bool italic = false;
};
// Only 0, 100, 1000 and 1100 are recognised; any other code reads as regular.
FontStyle styleFromCode(int code);

// A pane's font as the font dialog shows it: face, size, style and effects, and
// the colour of its text.
struct PaneFontChoice
{
    QFont font;
    QColor color;
};

// The shared colour and font dialogs of the main window, behind a seam so that tests
// answer them. Each returns false when the operator cancels.
class LookDialogs
{
public:
    virtual ~LookDialogs() = default;
    virtual bool chooseColor(QColor &color) = 0;
    virtual bool chooseFont(PaneFontChoice &choice) = 0;

    static LookDialogs &current();
    // nullptr goes back to the Qt dialogs; the caller keeps ownership.
    static void install(LookDialogs *dialogs);
};

// The background colour and font of the three text panes (0 TermOne, 1 TermTwo,
// 2 TxBuf): their "Couleur" and "Police" commands, the writes to section Look, and
// the stored look applied at start-up.
class PaneLook : public QObject
{
    Q_OBJECT
public:
    PaneLook(const std::array<QPlainTextEdit *, 3> &panes, std::function<SettingsStore &()> store,
             QObject *parent = nullptr);

    // Binds a pane's "Couleur" and "Police" menu entries to its commands.
    void bindMenu(int pane, QAction *colorCommand, QAction *fontCommand);

    // Color1Click, Color2Click, Color3Click.
    void ColorClick(int pane);
    // Font1Click, Font2Click, Font3Click.
    void FontClick(int pane);

    // Start-up: the pane's stored colour and font. Values not read (after a read
    // failure) leave that part of the pane as it was.
    void applyStored(int pane, const PaneStartupValues &values);

    // The colour the shared colour dialog holds: the last one chosen, black at first.
    QColor dialogColor() const { return m_dialogColor; }

    // The pane's current look.
    PaneFontChoice paneFont(int pane) const;
    QColor paneBackground(int pane) const;

private:
    void setPaneFont(int pane, const PaneFontChoice &choice);
    void setPaneBackground(int pane, const QColor &color);

    std::array<QPlainTextEdit *, 3> m_panes;
    std::function<SettingsStore &()> m_store;
    QColor m_dialogColor{Qt::black};
};

// Default text colours of the panes at a first start: green, yellow, yellow.
int defaultPaneTextColor(int pane);
