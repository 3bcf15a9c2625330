#include "channels/ReceivedText.h"

#include "ground/Cp1252.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace {

constexpr int kBackspace = 8;
constexpr int kCarriageReturn = 13;
constexpr int kFirstPrintable = 32;
constexpr int kLastByte = 255;

// The plain-text layout lays blocks out lazily; asking for a block's rectangle
// makes it lay the block out at the pane's current width.
int layoutLines(QPlainTextEdit *pane, const QTextBlock &block)
{
    pane->document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    return layout ? std::max(layout->lineCount(), 1) : 1;
}

} // namespace

bool typeReceivedCharacter(QPlainTextEdit *pane, int code)
{
    if (code != kBackspace && code != kCarriageReturn && (code < kFirstPrintable || code > kLastByte))
        return false;
    QTextCursor cursor = pane->textCursor();
    cursor.clearSelection();
    if (code == kBackspace)
        cursor.deletePreviousChar();
    else if (code == kCarriageReturn)
        cursor.insertBlock();
    else
        cursor.insertText(QString(Cp1252::toUnicode(static_cast<unsigned char>(code))));
    pane->setTextCursor(cursor);
    return true;
}

int displayedLineCount(QPlainTextEdit *pane)
{
    int lines = 0;
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next())
        lines += layoutLines(pane, b);
    return lines;
}

bool trimFirstDisplayedLine(QPlainTextEdit *pane, int maxLines)
{
    if (displayedLineCount(pane) <= maxLines)
        return false;
    const QTextBlock first = pane->document()->begin();
    int end;
    if (layoutLines(pane, first) > 1)
        end = first.position() + first.layout()->lineAt(1).textStart();
    else
        end = first.next().position();   // more lines than one: a second block exists
    QTextCursor cursor(pane->document());
    cursor.setPosition(first.position());
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.movePosition(QTextCursor::End);
    pane->setTextCursor(cursor);
    return true;
}
