#pragma once

#include <functional>

class QDialog;
class QWidget;

// Shows a dialog modally until it hides itself, where it was last left (WindowPlacement). Tests install a
// hook that receives the dialog instead, works it (fills fields, clicks buttons) and returns, so modal flows
// run synchronously.
void ShowModal(QDialog* dialog, QWidget* owner = nullptr);

using ModalHook = std::function<void(QDialog*)>;
// Installs a hook (an empty one restores the real modal run); returns the previous hook.
ModalHook SetModalHook(ModalHook hook);
