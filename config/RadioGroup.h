#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons chosen by index. The click signal fires whenever
// the index actually changes, whether the operator clicked or code set it: the
// dialog's loading relies on that to run the handlers.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const { return m_index; }
    // Below 0 selects nothing; above the last item selects the last.
    void setItemIndex(int index);
    int count() const { return int(m_buttons.size()); }
    QRadioButton *button(int index) const { return m_buttons.value(index); }

signals:
    void clicked();

private:
    void select(int index);

    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_buttons;
    int m_index = -1;
};
