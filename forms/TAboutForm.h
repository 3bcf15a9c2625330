#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The about box: credits, the machine's memory, and "QSL" to close it. A click on
// the credits closes it too.
class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    QLabel *MAINLabel = nullptr;
    QLabel *MEMLbl = nullptr;
    QLabel *Image2 = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The about box's fixed pictures, drawn by the program.
QPixmap aboutBannerPicture();   // 114 x 41
QPixmap aboutIconPicture();     // 32 x 32
