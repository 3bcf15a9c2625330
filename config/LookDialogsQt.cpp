#include "config/LookDialogsQt.h"

#include <QCoreApplication>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The sixteen colours a font could take in the original font dialog.
struct NamedColor
{
    const char *name;
    QRgb rgb;
};

constexpr NamedColor kFontColors[] = {
    {"Noir", 0x000000},    {"Bordeaux", 0x800000}, {"Vert", 0x008000},   {"Olive", 0x808000},
    {"Marine", 0x000080},  {"Violet", 0x800080},   {"Sarcelle", 0x008080}, {"Gris", 0x808080},
    {"Argent", 0xC0C0C0},  {"Rouge", 0xFF0000},    {"Citron vert", 0x00FF00}, {"Jaune", 0xFFFF00},
    {"Bleu", 0x0000FF},    {"Fuchsia", 0xFF00FF},  {"Aqua", 0x00FFFF},   {"Blanc", 0xFFFFFF},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

bool QtLookDialogs::chooseColor(QColor &color)
{
    QColorDialog dialog(color, QApplication::activeWindow());
    dialog.setWindowTitle(QCoreApplication::translate("Korvo", "Couleur"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    color = dialog.selectedColor();
    return true;
}

bool QtLookDialogs::chooseFont(PaneFontChoice &choice)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QCoreApplication::translate("Korvo", "Police"));
    auto *layout = new QVBoxLayout(&dialog);

    auto *fonts = new QFontDialog(choice.font, &dialog);
    fonts->setOption(QFontDialog::NoButtons);
    fonts->setWindowFlags(Qt::Widget);
    layout->addWidget(fonts);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QCoreApplication::translate("Korvo", "Couleur :"), &dialog));
    auto *colors = new QComboBox(&dialog);
    int current = -1;
    for (const NamedColor &named : kFontColors) {
        const QColor color = QColor::fromRgb(named.rgb);
        colors->addItem(swatch(color), QString::fromUtf8(named.name), color);
        if (color == choice.color)
            current = colors->count() - 1;
    }
    if (current < 0) {
        colors->addItem(swatch(choice.color), QCoreApplication::translate("Korvo", "Personnalisée"), choice.color);
        current = colors->count() - 1;
    }
    colors->setCurrentIndex(current);
    colorRow->addWidget(colors);
    colorRow->addStretch();
    layout->addLayout(colorRow);

    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QCoreApplication::translate("Korvo", "Annuler"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.font = fonts->currentFont();
    choice.color = colors->currentData().value<QColor>();
    return true;
}
