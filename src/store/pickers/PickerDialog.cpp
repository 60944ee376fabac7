#include "store/pickers/PickerDialog.h"

#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QPushButton>
#include <algorithm>

PickerDialog::PickerDialog(QWidget* parent) : QDialog(parent) {}

void PickerDialog::Confirm() {
    setCancelled(false);
    hide();
}

void PickerDialog::Cancel() {
    setCancelled(true);
    hide();
}

void PickerDialog::setLayoutControls(QWidget* grid, QPushButton* ok, QPushButton* cancel, int gridTop) {
    m_grid = grid;
    m_ok = ok;
    m_cancel = cancel;
    m_gridTop = gridTop;
    for (QPushButton* button : {ok, cancel})
        if (button)
            button->resize(TwipsToPixels(ButtonWidth, this), TwipsToPixels(ButtonHeight, this));
    // Never so small that a button is cut off or the grid shows no row.
    setMinimumSize(TwipsToPixels(3 * Margin + 2 * ButtonWidth, this),
                   TwipsToPixels(gridTop + 1500 + 2 * Margin + ButtonHeight, this));
}

void PickerDialog::setFilterBox(QWidget* box) {
    m_filterBox = box;
    setMinimumHeight(minimumHeight() + box->sizeHint().height() + TwipsToPixels(Margin, this));
}

void PickerDialog::closeEvent(QCloseEvent* event) {
    // The caller still reads the results after the modal run, so the close box only hides.
    event->ignore();
    hide();
}

void PickerDialog::reject() {
    hide();
}

void PickerDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!isMinimized())
        LayOut();
}

void PickerDialog::LayOut() {
    if (!m_grid || !m_ok)
        return;
    const double width = PixelsToTwips(this->width(), this);
    const double height = PixelsToTwips(this->height(), this);
    const double buttonTop = height - Margin - ButtonHeight;
    double left = width - Margin - ButtonWidth;
    // The rightmost button is Cancel where there is one; OK sits to its left.
    if (m_cancel) {
        m_cancel->setGeometry(TwipsRect(left, buttonTop, ButtonWidth, ButtonHeight, this));
        left -= Margin + ButtonWidth;
    }
    m_ok->setGeometry(TwipsRect(left, buttonTop, ButtonWidth, ButtonHeight, this));
    double gridTop = m_gridTop;
    if (m_filterBox) {
        const double boxHeight = PixelsToTwips(m_filterBox->sizeHint().height(), this);
        m_filterBox->setGeometry(
            TwipsRect(Margin, gridTop, std::max(0.0, width - 2 * Margin), boxHeight, this));
        gridTop += boxHeight + Margin;
    }
    m_grid->setGeometry(TwipsRect(Margin, gridTop, std::max(0.0, width - 2 * Margin),
                                  std::max(0.0, buttonTop - Margin - gridTop), this));
}
