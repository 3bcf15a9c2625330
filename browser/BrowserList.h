#pragma once

#include "browser/BrowserLines.h"

#include <QTreeWidget>
#include <vector>

// The browser's lines: frequency, mode, SNR and the latest characters, as many as fit
// with the newest at the right. A click on a line asks to tune a channel to it.
class BrowserList : public QTreeWidget
{
    Q_OBJECT
public:
    enum Column { FrequencyColumn, ModeColumn, SnrColumn, TextColumn, ColumnCount };

    explicit BrowserList(QWidget *parent = nullptr);

    // Replaces the lines shown, keeping the scroll position.
    void setLines(const std::vector<BrowserLine> &lines);
    // The highlight drawn on a line (for tests and for the look).
    BrowserHighlight highlightOf(int row) const;

    QSize sizeHint() const override;

signals:
    // A click released on a line: the button says which channel.
    void tuneRequested(Qt::MouseButton button, int freqHz);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
