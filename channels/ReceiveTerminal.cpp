#include "channels/ReceiveTerminal.h"

#include "ground/Images.h"
#include "channels/ReceiveChannels.h"
#include "channels/ReceivedText.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

bool isBlank(QChar c)
{
    return c.isSpace();
}

} // namespace

WordSpan blankDelimitedWord(const QString &line, int pos)
{
    pos = std::clamp(pos, 0, int(line.size()));
    int anchor;
    if (pos < line.size() && !isBlank(line.at(pos)))
        anchor = pos;
    else if (pos > 0 && !isBlank(line.at(pos - 1)))
        anchor = pos - 1;
    else
        return {pos, pos};
    int start = anchor;
    while (start > 0 && !isBlank(line.at(start - 1)))
        --start;
    int end = anchor + 1;
    while (end < line.size() && !isBlank(line.at(end)))
        ++end;
    return {start, end};
}

QString paneCopyText(const QString &plainText)
{
    if (plainText.isEmpty())
        return {};
    QStringList lines = plainText.split(QLatin1Char('\n'));
    // a text ending with a line break has no further line after it
    if (lines.last().isEmpty())
        lines.removeLast();
    QString out;
    for (const QString &line : lines)
        out += line + QLatin1String("\r\n");
    return out;
}

ReceiveTerminal::ReceiveTerminal(QPlainTextEdit *pane, int channel, ReceiveChannels &channels,
                                 QLineEdit *hisCall, const ImageList &images, QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_channel(channel)
    , m_channels(channels)
    , m_hisCall(hisCall)
{
    popup = new QMenu(m_pane);
    clearAction = popup->addAction(images.icon(Image::Clear), QCoreApplication::translate("Korvo", "Vider"));
    copyAction = popup->addAction(images.icon(Image::Copy), QCoreApplication::translate("Korvo", "Copier"));
    colorAction = popup->addAction(images.icon(Image::Colour), QCoreApplication::translate("Korvo", "Couleur"));
    fontAction = popup->addAction(images.icon(Image::Font), QCoreApplication::translate("Korvo", "Police"));
    connect(clearAction, &QAction::triggered, this, &ReceiveTerminal::ClearTermClick);
    connect(copyAction, &QAction::triggered, this, &ReceiveTerminal::CopyTermClick);

    m_pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pane, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { popup->popup(m_pane->mapToGlobal(pos)); });

    m_pane->installEventFilter(this);
    m_pane->viewport()->installEventFilter(this);
}

void ReceiveTerminal::TermEnter()
{
    m_channels.setCurrentChannel(m_channel);
}

void ReceiveTerminal::CopyCall()
{
    QApplication::clipboard()->setText(m_pane->textCursor().selectedText());
    m_hisCall->selectAll();
    m_hisCall->del();
    m_hisCall->paste();
}

void ReceiveTerminal::ClearTermClick()
{
    m_pane->clear();
}

void ReceiveTerminal::CopyTermClick()
{
    QApplication::clipboard()->setText(paneCopyText(m_pane->toPlainText()));
}

void ReceiveTerminal::receiveCharacter(int code, bool typing)
{
    if (typing)
        typeReceivedCharacter(m_pane, code);
    trimFirstDisplayedLine(m_pane, kMaxLines);
}

void ReceiveTerminal::selectWordAt(const QPoint &viewportPos)
{
    QTextCursor cursor = m_pane->cursorForPosition(viewportPos);
    const QTextBlock block = cursor.block();
    const WordSpan word = blankDelimitedWord(block.text(), cursor.positionInBlock());
    cursor.setPosition(block.position() + word.start);
    cursor.setPosition(block.position() + word.end, QTextCursor::KeepAnchor);
    m_pane->setTextCursor(cursor);
}

bool ReceiveTerminal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane && event->type() == QEvent::FocusIn) {
        // The window's activation and a closed pop-up give the focus back to the pane that
        // had it: only a real move of the focus to this pane selects its channel.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            TermEnter();
    } else if (watched == m_pane->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            // The pane's own word selection splits at punctuation ("F6ABC/P");
            // a call sign is the whole run between blanks.
            m_pane->setFocus(Qt::MouseFocusReason);
            TermEnter();
            selectWordAt(mouse->position().toPoint());
            CopyCall();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
