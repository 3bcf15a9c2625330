#pragma once

#include <QObject>
#include <QString>

class ImageList;
class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class ReceiveChannels;

// The [start, end) run of non-blank characters around a double-click at `pos`
// in `line`; empty (start == end) on a blank.
struct WordSpan
{
    int start = 0;
    int end = 0;
};
WordSpan blankDelimitedWord(const QString &line, int pos);

// A pane's text as "Copier" puts it on the clipboard: each line followed by CR LF.
QString paneCopyText(const QString &plainText);

// The operator's operations on one receive pane (TermOne for channel 0, TermTwo
// for channel 1): entering it selects its channel, a double-click captures the
// call sign under the pointer into HisCall, and the pop-up menu.
class ReceiveTerminal : public QObject
{
    Q_OBJECT
public:
    ReceiveTerminal(QPlainTextEdit *pane, int channel, ReceiveChannels &channels, QLineEdit *hisCall,
                    const ImageList &images, QObject *parent = nullptr);

    // TermOneEnter / TermTwoEnter.
    void TermEnter();
    // CopyCallOne / CopyCallTwo: after the pane has selected the word under the pointer.
    void CopyCall();
    // ClearTermOneClick / ClearTermTwoClick.
    void ClearTermClick();
    // CopyTermOneClick / CopyTermTwoClick.
    void CopyTermClick();

    // A character the engine received on this pane's channel, typed at the caret
    // (see typeReceivedCharacter) while `typing`; the pane then drops its first line
    // when it shows more than kMaxLines. Stamps and the operator add text too, so the
    // pane is kept short even while the engine is stopped.
    static constexpr int kMaxLines = 128;
    void receiveCharacter(int code, bool typing);

    // TermOnePopup / TermTwoPopup. "Couleur" and "Police" belong to the pane look.
    QMenu *popup = nullptr;
    QAction *clearAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *colorAction = nullptr;
    QAction *fontAction = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectWordAt(const QPoint &viewportPos);

    QPlainTextEdit *m_pane;
    int m_channel;
    ReceiveChannels &m_channels;
    QLineEdit *m_hisCall;
};
