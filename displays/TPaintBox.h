#pragma once

#include <QImage>
#include <QWidget>

// A display surface: it shows the last picture its renderer made, copied to the
// screen in one operation, and passes mouse moves, releases and size changes on.
// A repaint asked by the windowing system only copies that picture again.
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr);

    // The picture to show; normally of the box's current size.
    void setFrame(QImage frame);
    const QImage &frame() const { return m_frame; }

signals:
    void mouseMoved(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_frame;
};
