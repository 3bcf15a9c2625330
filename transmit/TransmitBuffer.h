#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

struct ConnectionFlags;
class EngineInterface;
class ImageList;
class QAction;
class QMenu;
class QPlainTextEdit;

// The transmit pane TxBuf: every character it receives as a key press goes to the
// engine at once (Ctrl+C and Tab as the engine's two commands), before the pane's
// own editing, which it neither changes nor swallows. Its pop-up menu empties it
// and pastes the clipboard character by character.
//
// Text delivered by macros and paste is typed a slice at a time: the first slice at
// once, the rest one slice per turn of the event loop, so a long include or paste
// never holds the window and a click on stop drops what is not yet typed.
class TransmitBuffer : public QObject
{
    Q_OBJECT
public:
    TransmitBuffer(EngineInterface &engine, const ConnectionFlags &flags, QPlainTextEdit *TxBuf,
                   const ImageList *images, QObject *parent = nullptr);

    // The status notice (icon, message), status bar repainted.
    void setStatusNoticeHook(std::function<void(int, const QString &)> hook) { m_setStatusNotice = std::move(hook); }

    // The character handler, for one character code of the pane's key presses.
    void TxBufKeyPress(QChar ch);
    // Delivers one character to the pane as a key press: through TxBufKeyPress and
    // the pane's editing, exactly like a typed key (macros and paste use it).
    void deliver(QChar ch);
    // Delivers text, in order after any still waiting: up to kSliceChars at once,
    // the rest from the event loop.
    void deliverText(const QString &text);
    // Drops the delivered text not yet typed (stop, abort, a new macro, "Vider").
    void dropUndelivered();
    qsizetype undeliveredCount() const { return m_undelivered.size() - m_nextUndelivered; }

    // As long as the longest macro an operator can enter, so a macro is typed whole
    // before its launch returns.
    static constexpr qsizetype kSliceChars = 255;

    void ClearTXBufClick();
    void PastetoTXClick();
    void TxBufPopupPopup();

    QMenu *TxBufPopup = nullptr;
    QAction *ClearTXBuf = nullptr;
    QAction *PastetoTX = nullptr;
    QAction *Color3 = nullptr;   // the pane's colours and font belong to the look commands
    QAction *Font3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deliverSlice();

    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    QPlainTextEdit *m_pane;
    std::function<void(int, const QString &)> m_setStatusNotice;
    QString m_undelivered;
    qsizetype m_nextUndelivered = 0;
    QTimer m_sliceTimer;
    // A slice is being typed: the pending events each key press runs must not start
    // another one, which would send later characters first.
    bool m_inSlice = false;
};
