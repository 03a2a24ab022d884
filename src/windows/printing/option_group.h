#pragma once

#include <QRadioButton>

#include <functional>

// A two-member option-button array. A click on a member, selected already or not, raises
// its click event with the member's index.
template <typename Owner>
void connectOptionClicks(QRadioButton *const (&members)[2], Owner *owner,
                         void (Owner::*handler)(int))
{
    for (int i = 0; i < 2; ++i)
        QObject::connect(members[i], &QRadioButton::clicked, owner,
                         [owner, handler, i] { (owner->*handler)(i); });
}

// Selects a member from code. Selecting one that was not selected raises its click event,
// as a click would; selecting the selected one raises nothing.
template <typename Owner>
void selectOption(QRadioButton *const (&members)[2], int index, Owner *owner,
                  void (Owner::*handler)(int))
{
    if (index < 0 || index > 1 || members[index]->isChecked())
        return;
    members[index]->setChecked(true);
    (owner->*handler)(index);
}
