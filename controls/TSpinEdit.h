#pragma once

#include <QDoubleSpinBox>

// A whole-number spin field whose up and down buttons (and the Up/Down keys) raise
// their own events after changing the field by one step, clamped. Both buttons
// stay active at the ends of the range: a handler may act relative to something
// other than the field (the receive step asks the engine for its frequency).
class TSpinEdit : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    void stepBy(int steps) override;

signals:
    void UpClick();
    void DownClick();

protected:
    StepEnabled stepEnabled() const override;
};
