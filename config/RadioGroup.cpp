#include "config/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        layout->addWidget(button);
        m_buttons << button;
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::select);
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= count())
        index = count() - 1;
    if (index < 0)
        index = -1;
    if (index == m_index)
        return;
    if (index < 0) {
        // An exclusive group cannot uncheck its last button.
        m_group->setExclusive(false);
        for (QRadioButton *button : m_buttons)
            button->setChecked(false);
        m_group->setExclusive(true);
    } else {
        m_buttons.at(index)->setChecked(true);
    }
    select(index);
}

void RadioGroup::select(int index)
{
    if (index == m_index)
        return;
    m_index = index;
    emit clicked();
}
