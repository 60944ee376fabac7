#pragma once

#include <Qt>

// The forms' three-state boxes hold 0 clear, 1 ticked, 2 grey; Qt numbers grey 1 and ticked 2.
inline Qt::CheckState ToCheckState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

inline int FromCheckState(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}
