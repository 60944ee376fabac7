#include "widgets/GridKeys.h"

#include "widgets/FlexGrid.h"

#include <QKeyEvent>
#include <QPushButton>

GridKeys* GridKeys::Attach(FlexGrid* grid, Commands commands) {
    return new GridKeys(grid, std::move(commands));
}

GridKeys* GridKeys::Attach(FlexGrid* grid, QPushButton* open, QPushButton* remove, QPushButton* add) {
    auto clicks = [](QPushButton* button, const QString& keys) -> std::function<void()> {
        if (!button)
            return {};
        if (button->toolTip().isEmpty())
            button->setToolTip(keys);
        return [button] {
            if (!button->isHidden() && button->isEnabled())
                button->click();
        };
    };
    return Attach(grid, {clicks(open, OpenKeys()), clicks(remove, RemoveKeys()), clicks(add, AddKeys())});
}

QString GridKeys::OpenKeys() {
    return QStringLiteral("Enter or F2 in the grid");
}

QString GridKeys::RemoveKeys() {
    return QStringLiteral("Delete in the grid");
}

QString GridKeys::AddKeys() {
    return QStringLiteral("Insert or Ctrl+N in the grid");
}

GridKeys::GridKeys(FlexGrid* grid, Commands commands)
    : QObject(grid), m_grid(grid), m_commands(std::move(commands)) {
    grid->installEventFilter(this);
}

bool GridKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    // A command key must not also reach a shortcut or a dialog's default button.
    if ((!press && event->type() != QEvent::ShortcutOverride) || watched != m_grid || m_grid->Editing())
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const std::function<void()>* command = nullptr;
    if (modifiers == Qt::NoModifier) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            command = &m_commands.open;
            break;
        case Qt::Key_Delete:
            command = &m_commands.remove;
            break;
        case Qt::Key_Insert:
            command = &m_commands.add;
            break;
        default:
            break;
        }
    } else if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_N) {
        command = &m_commands.add;
    }
    if (!command || !*command)
        return QObject::eventFilter(watched, event);
    event->accept();
    if (press)
        (*command)();
    return true;
}
