#include "widgets/ShowModal.h"

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
    dialog->exec();
}

ModalHook SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(CurrentHook());
    CurrentHook() = std::move(hook);
    return previous;
}
