#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

// The help window of the macro editor: the macro escapes as the operator reads them.
class TFiche : public QWidget
{
    Q_OBJECT
public:
    // A window of its own, owned by (and closed with) the editor; frees itself on close.
    explicit TFiche(QWidget *owner);

    // The 23 lines the window shows.
    static QStringList helpLines();

    QPlainTextEdit *Text = nullptr;
};

// Where a window of windowSize opens beside owner (both frames, global pixels) on a
// screen's available area: right of it, else left of it, top edges level, kept on the area.
QPoint besideWindow(const QRect &owner, const QSize &windowSize, const QRect &area);
