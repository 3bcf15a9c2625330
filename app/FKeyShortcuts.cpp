#include "app/FKeyShortcuts.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>

FKeyShortcuts::FKeyShortcuts(const std::array<QAbstractButton *, 20> &buttons, QObject *parent)
    : QObject(parent), m_buttons(buttons)
{
}

int FKeyShortcuts::macroNumberForKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Alt+F-key is the system's own key-down, not a shortcut.
    if (modifiers & Qt::AltModifier)
        return 0;
    if (key < Qt::Key_F1 || key > Qt::Key_F20)
        return 0;
    return key - Qt::Key_F1 + 1;
}

bool FKeyShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches a top-level window once from the system and then travels
    // through the widgets; taking it at the window fires the macro exactly once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int number = macroNumberForKey(key->key(), key->modifiers());
        if (number > 0) {
            QPointer<QAbstractButton> button = m_buttons[static_cast<size_t>(number - 1)];
            if (button)
                button->click();
        }
    }
    return QObject::eventFilter(watched, event);
}
