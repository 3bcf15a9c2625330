#pragma once

#include "controls/TLED.h"

#include <QMenu>
#include <QPointer>

// Where the LED cell and the caption of an LED label sit, for a control of `size`.
struct LedLabelLayout
{
    QRect led;
    QRect caption;
    Qt::Alignment captionAlignment;
};

// An LED with a one-line caption on one of its four sides.
class TLEDLabel : public TLED
{
    Q_OBJECT
public:
    enum TCaptionAlignment { caLeft, caRight, caTop, caBottom };
    Q_ENUM(TCaptionAlignment)

    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(TCaptionAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(QMenu *PopupMenu READ PopupMenu WRITE setPopupMenu)

    explicit TLEDLabel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    TCaptionAlignment Alignment() const { return m_alignment; }
    bool Transparent() const { return m_transparent; }
    QMenu *PopupMenu() const { return m_popupMenu; }
    void setCaption(const QString &caption);
    void setAlignment(TCaptionAlignment alignment);
    void setTransparent(bool transparent);
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    LedLabelLayout layoutRects() const { return layoutFor(size(), m_alignment); }
    // The whole control as painted, on the parent's background.
    QImage render() const;

    static LedLabelLayout layoutFor(QSize size, TCaptionAlignment alignment);
    // Room for the whole caption beside or above the LED in the current font.
    QSize sizeHint() const override;

protected:
    QRect ledRect() const override { return layoutRects().led; }
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void paintInto(QPainter &p) const;

    QString m_caption;
    TCaptionAlignment m_alignment = caRight;
    bool m_transparent = false;
    QPointer<QMenu> m_popupMenu;
};
