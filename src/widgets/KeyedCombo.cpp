#include "widgets/KeyedCombo.h"

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int NumberRole = Qt::UserRole + 1;
} // namespace

KeyedCombo::KeyedCombo(QWidget* parent) : QComboBox(parent) {
    setInsertPolicy(QComboBox::NoInsert);
}

int KeyedCombo::AddEntry(const QString& text, const QString& key, int32_t number) {
    addItem(text);
    const int index = count() - 1;
    setItemData(index, key, KeyRole);
    setItemData(index, number, NumberRole);
    return index;
}

void KeyedCombo::Clear() {
    clear();
    setCurrentIndex(-1);
    if (isEditable())
        clearEditText();
}

QString KeyedCombo::Key(int index) const {
    return itemData(index, KeyRole).toString();
}

int32_t KeyedCombo::Number(int index) const {
    return itemData(index, NumberRole).toInt();
}

int KeyedCombo::IndexOfKey(const QString& key) const {
    for (int i = 0; i < count(); ++i)
        if (Key(i) == key)
            return i;
    return -1;
}

int KeyedCombo::IndexOfNumber(int32_t number) const {
    for (int i = 0; i < count(); ++i)
        if (Number(i) == number)
            return i;
    return -1;
}

int KeyedCombo::IndexOfText(const QString& text) const {
    return findText(text, Qt::MatchFixedString);
}

QString KeyedCombo::SelectedKey() const {
    return currentIndex() >= 0 ? Key(currentIndex()) : QString();
}

int32_t KeyedCombo::SelectedNumber() const {
    return currentIndex() >= 0 ? Number(currentIndex()) : 0;
}

bool KeyedCombo::SelectKey(const QString& key) {
    const int index = IndexOfKey(key);
    if (index >= 0)
        setCurrentIndex(index);
    return index >= 0;
}

void KeyedCombo::setText(const QString& text) {
    if (isEditable()) {
        setEditText(text);
        return;
    }
    const int index = IndexOfText(text);
    if (index >= 0)
        setCurrentIndex(index);
}
