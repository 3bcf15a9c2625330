#include "forms/TAboutForm.h"

#include "forms/MemoryText.h"
#include "ground/Dialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <QPushButton>

namespace {

const char *const kCredits = QT_TRANSLATE_NOOP(
    "Korvo",
    "Korvo a été écrit par l'équipe Korvo, avec l'aide des radioamateurs qui l'ont essayé "
    "sur l'air et nous ont fait part de leurs remarques. Merci aux pionniers du PSK31, "
    "qui ont imaginé ce mode et l'ont offert à tous. Ce programme est un logiciel gratuit "
    "(freeware), mis à la disposition de la communauté des radioamateurs. Vos commentaires "
    "sont les bienvenus : sur le site web https://korvo.example.org ou par e-mail à "
    "korvo@example.org.");

} // namespace

QPixmap aboutBannerPicture()
{
    QPixmap pixmap(114, 41);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 114, 0);
    sky.setColorAt(0, QColor(0, 0, 96));
    sky.setColorAt(1, QColor(0, 96, 160));
    p.fillRect(pixmap.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 220, 0), 1.5));
    // Two symbols of a phase-reversing carrier, the mode's signature.
    QPainterPath wave;
    for (int x = 0; x <= 114; ++x) {
        const double envelope = std::abs(std::cos(3.14159265 * x / 57.0));
        const double y = 30 - 8 * envelope * std::sin(x * 0.9);
        x == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
    }
    p.drawPath(wave);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Times New Roman"), 11, QFont::Bold);
    p.setFont(font);
    p.drawText(QRect(0, 1, 114, 20), Qt::AlignCenter, QStringLiteral("KORVO PSK31"));
    return pixmap;
}

QPixmap aboutIconPicture()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 64, 128));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 30, 30);
    p.setPen(QPen(QColor(0, 255, 0), 2));
    p.drawLine(8, 22, 16, 8);
    p.drawLine(16, 8, 24, 22);
    p.drawLine(11, 17, 21, 17);
    return pixmap;
}

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent, fixedDialogFlags())
{
    setWindowTitle(QCoreApplication::translate("Korvo", "A propos de Korvo v1.7c"));
    setFixedSize(380, 165);

    MAINLabel = new QLabel(QCoreApplication::translate("Korvo", kCredits), this);
    MAINLabel->setGeometry(0, 0, 380, 112);
    MAINLabel->setWordWrap(true);
    MAINLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MAINLabel->setMargin(6);
    MAINLabel->setFont(QFont(QStringLiteral("Times New Roman"), 8));
    MAINLabel->installEventFilter(this);

    MEMLbl = new QLabel(this);
    QFont bold = MEMLbl->font();
    bold.setBold(true);
    MEMLbl->setFont(bold);
    MEMLbl->setGeometry(124, 112, 252, 18);

    Image2 = new QLabel(this);
    Image2->setPixmap(aboutBannerPicture());
    Image2->setGeometry(4, 120, 114, 41);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(124, 130, 36, 34);
    Image1 = new QLabel(Panel1);
    Image1->setPixmap(aboutIconPicture());
    Image1->setGeometry(2, 1, 32, 32);

    BitBtn1 = new QPushButton(QStringLiteral("QSL"), this);
    BitBtn1->setGeometry(295, 134, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

// The read-out is taken each time the box is shown.
void TAboutForm::showEvent(QShowEvent *event)
{
    MEMLbl->setText(memoryReadOut(totalPhysicalMemory()));
    BitBtn1->setFocus();
    QDialog::showEvent(event);
}

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MAINLabel && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
