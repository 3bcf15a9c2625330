#include "browser/BrowserList.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>

namespace {

constexpr int kFreqRole = Qt::UserRole;
constexpr int kHighlightRole = Qt::UserRole + 1;
// Room for the three narrow columns and about forty characters of text.
constexpr int kHintWidthPx = 360;
constexpr int kHintHeightPx = 260;

const QColor kMyCallBackground(255, 190, 190);
const QColor kCqBackground(200, 240, 200);
// A signal whose characters stopped a while ago stays listed, dimmed.
const QColor kQuietText(120, 120, 120);

} // namespace

BrowserList::BrowserList(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(ColumnCount);
    setHeaderLabels({QCoreApplication::translate("Korvo", "Fréq. (Hz)"), QCoreApplication::translate("Korvo", "Mode"), QCoreApplication::translate("Korvo", "SNR"), QCoreApplication::translate("Korvo", "Texte")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setAllColumnsShowFocus(false);
    // The right button tunes channel 2 here, as on the waterfall: no menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideLeft);
    setToolTip(QCoreApplication::translate("Korvo", "Clic gauche pour le canal 1\nClic droit pour le canal 2"));
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    for (int column : {FrequencyColumn, ModeColumn, SnrColumn})
        header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

QSize BrowserList::sizeHint() const
{
    return {kHintWidthPx, kHintHeightPx};
}

void BrowserList::setLines(const std::vector<BrowserLine> &lines)
{
    const int count = static_cast<int>(lines.size());
    while (topLevelItemCount() > count)
        delete takeTopLevelItem(topLevelItemCount() - 1);
    while (topLevelItemCount() < count) {
        auto *item = new QTreeWidgetItem(this);
        for (int column : {FrequencyColumn, SnrColumn})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        QFont fixed = font();
        fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
        fixed.setStyleHint(QFont::TypeWriter);
        item->setFont(TextColumn, fixed);
    }

    for (int row = 0; row < count; ++row) {
        const BrowserLine &line = lines[static_cast<size_t>(row)];
        QTreeWidgetItem *item = topLevelItem(row);
        item->setText(FrequencyColumn, line.frequency);
        item->setText(ModeColumn, line.mode);
        item->setText(SnrColumn, line.snr);
        item->setText(TextColumn, line.text);
        item->setData(FrequencyColumn, kFreqRole, line.freqHz);
        item->setData(FrequencyColumn, kHighlightRole, static_cast<int>(line.highlight));
        const QBrush background = line.highlight == BrowserHighlight::MyCall ? QBrush(kMyCallBackground)
                                  : line.highlight == BrowserHighlight::Cq   ? QBrush(kCqBackground)
                                                                             : QBrush();
        const QBrush foreground = !line.receiving ? QBrush(kQuietText)
                                  : line.highlight != BrowserHighlight::None ? QBrush(Qt::black)
                                                                             : QBrush();
        for (int column = 0; column < ColumnCount; ++column) {
            item->setBackground(column, background);
            item->setForeground(column, foreground);
        }
    }
}

BrowserHighlight BrowserList::highlightOf(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? static_cast<BrowserHighlight>(item->data(FrequencyColumn, kHighlightRole).toInt())
                : BrowserHighlight::None;
}

void BrowserList::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (const QTreeWidgetItem *item = itemAt(event->position().toPoint()))
        emit tuneRequested(event->button(), item->data(FrequencyColumn, kFreqRole).toInt());
}
