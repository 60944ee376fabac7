#pragma once

#include <QDialog>
#include <utility>

class QPushButton;

// What every picker shares: it ends its modal run by hiding itself, its close box hides it without touching
// the cancelled flag, and on resize its grid and buttons are laid out in twips (grid on top, buttons at the
// bottom right).
class PickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit PickerDialog(QWidget* parent = nullptr);

protected:
    // OK and Cancel: the flag first, then the modal run ends.
    void Confirm();
    void Cancel();
    virtual void setCancelled(bool cancelled) = 0;

    // cancel may be null; the grid starts gridTop twips from the top.
    void setLayoutControls(QWidget* grid, QPushButton* ok, QPushButton* cancel, int gridTop = Margin);
    // A quick filter box that goes right above the grid.
    void setFilterBox(QWidget* box);
    // The buttons' size in twips.
    static constexpr int ButtonWidth = 1215;
    static constexpr int ButtonHeight = 375;
    static constexpr int Margin = 60;

    void closeEvent(QCloseEvent* event) override;
    // Escape behaves like the close box.
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    QWidget* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_filterBox = nullptr;
    int m_gridTop = Margin;
};
