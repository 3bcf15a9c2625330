#pragma once

#include <QFrame>
#include <QString>

// The information strip above the status bar: LED labels on the left, its caption
// drawn right-aligned.
class InfoPanel : public QFrame
{
    Q_OBJECT
public:
    explicit InfoPanel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

signals:
    void mouseMoved(int x);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QString m_caption;
};
