#include "store/editors/Refusal.h"

#include "widgets/MsgBox.h"

#include <QWidget>

void ShowRefusal(QWidget* form, const Refusal& refusal) {
    MsgBox(refusal.text, refusal.buttons, refusal.caption);
    if (!form || refusal.focus.isEmpty())
        return;
    if (auto* control = form->findChild<QWidget*>(refusal.focus))
        control->setFocus();
}
