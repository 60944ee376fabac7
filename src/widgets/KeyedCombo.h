#pragma once

#include <QComboBox>
#include <cstdint>

// A combo box whose entries carry a key (text) and a number besides their text: the image combo's keyed
// entries and the combo box's item data.
class KeyedCombo : public QComboBox {
    Q_OBJECT
public:
    explicit KeyedCombo(QWidget* parent = nullptr);

    // Appends an entry and returns its index (from 0).
    int AddEntry(const QString& text, const QString& key = {}, int32_t number = 0);
    // Removes the entries, the selection and the shown text.
    void Clear();

    QString Key(int index) const;
    int32_t Number(int index) const;
    int IndexOfKey(const QString& key) const;   // -1 when no entry has the key
    int IndexOfNumber(int32_t number) const;    // the first entry with the number, -1 when none
    int IndexOfText(const QString& text) const; // without regard to case, -1 when none

    // The selected entry (-1 for none) and its key and number (empty and 0 for none).
    int SelectedIndex() const { return currentIndex(); }
    void setSelectedIndex(int index) { setCurrentIndex(index); }
    QString SelectedKey() const;
    int32_t SelectedNumber() const;
    bool SelectKey(const QString& key);

    // The shown text: an editable combo takes any text, a drop-down list selects the entry with that text.
    QString Text() const { return currentText(); }
    void setText(const QString& text);
};
