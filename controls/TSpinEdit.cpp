#include "controls/TSpinEdit.h"

TSpinEdit::TSpinEdit(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(0);
}

void TSpinEdit::stepBy(int steps)
{
    // one event per step, as a held button repeats its clicks
    const int count = steps < 0 ? -steps : steps;
    for (int i = 0; i < count; ++i) {
        QDoubleSpinBox::stepBy(steps < 0 ? -1 : 1);
        if (steps < 0)
            emit DownClick();
        else
            emit UpClick();
    }
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}
