#pragma once

#include <QObject>
#include <array>

class QAbstractButton;

// F1 to F20 click the macro buttons M1 to M20 from any window of the program, as a
// mouse click would (a disabled button ignores it). The key then goes on to the
// focused control as usual.
class FKeyShortcuts : public QObject
{
    Q_OBJECT
public:
    explicit FKeyShortcuts(const std::array<QAbstractButton *, 20> &buttons, QObject *parent = nullptr);

    // The button number (1-20) a key stands for, 0 for any other key.
    static int macroNumberForKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QAbstractButton *, 20> m_buttons;
};
