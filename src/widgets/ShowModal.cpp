#include "widgets/ShowModal.h"

#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QDialog>

namespace {
ModalHook& CurrentHook() {
    static ModalHook hook;
    return hook;
}
} // namespace

void ShowModal(QDialog* dialog, QWidget* owner) {
    if (!dialog)
        return;
    if (owner && dialog->parentWidget() != owner)
        dialog->setParent(owner, dialog->windowFlags() | Qt::Dialog);
    if (const ModalHook& hook = CurrentHook()) {
        hook(dialog);
        return;
    }
    // A dialog opened by busy work is the user's to work in: it shows the normal pointer until it ends.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    // Each dialog opens where the user last left it.
    WindowPlacement::Restore(*dialog);
    dialog->exec();
    WindowPlacement::Save(*dialog);
    if (busy)
        QApplication::restoreOverrideCursor();
}

ModalHook SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(CurrentHook());
    CurrentHook() = std::move(hook);
    return previous;
}
