#pragma once

#include <QObject>
#include <QString>
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
    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    QPlainTextEdit *m_pane;
    std::function<void(int, const QString &)> m_setStatusNotice;
};
