#include "widgets/MsgBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString& YesName() {
    static QString name;
    return name;
}

QString& NoName() {
    static QString name;
    return name;
}

class QtMessageService : public MessageService {
public:
    int32_t Show(const QString& prompt, int32_t buttons, const QString& title) override {
        QMessageBox box(Icon(buttons), title.isEmpty() ? QApplication::applicationName() : title, prompt,
                        QMessageBox::NoButton, QApplication::activeWindow());
        const int32_t kind = buttons & 7;
        std::vector<std::pair<QPushButton*, int32_t>> answers;
        auto add = [&](QMessageBox::StandardButton button, int32_t answer) {
            QPushButton* added = box.addButton(button);
            const QString& name = answer == MsgBoxResult::Yes ? YesName() : NoName();
            if (answer != MsgBoxResult::Cancel && answer != MsgBoxResult::OK && !name.isEmpty()) {
                // A yes or no icon beside a named action would say something the name does not.
                added->setText(name);
                added->setIcon(QIcon());
            }
            answers.emplace_back(added, answer);
        };
        if (kind == MsgBoxStyle::YesNoCancel || kind == MsgBoxStyle::YesNo) {
            add(QMessageBox::Yes, MsgBoxResult::Yes);
            add(QMessageBox::No, MsgBoxResult::No);
            if (kind == MsgBoxStyle::YesNoCancel)
                add(QMessageBox::Cancel, MsgBoxResult::Cancel);
        } else {
            add(QMessageBox::Ok, MsgBoxResult::OK);
        }
        const size_t defaultIndex = (buttons & MsgBoxStyle::DefaultButton2) && answers.size() > 1 ? 1 : 0;
        box.setDefaultButton(answers[defaultIndex].first);
        box.setEscapeButton(answers.back().first);
        FitCaption(box);
        box.exec();
        for (const auto& [button, answer] : answers)
            if (box.clickedButton() == button)
                return answer;
        return answers.back().second;
    }

private:
    // The title bar does not widen a message box: a short prompt under a long caption would cut it.
    static void FitCaption(QMessageBox& box) {
        auto* grid = qobject_cast<QGridLayout*>(box.layout());
        if (!grid)
            return;
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        // Room beside the caption for the window's icon and its buttons.
        const int wanted = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }

    static QMessageBox::Icon Icon(int32_t buttons) {
        switch (buttons & 0x70) {
        case MsgBoxStyle::Critical:
            return QMessageBox::Critical;
        case MsgBoxStyle::Question:
            return QMessageBox::Question;
        case MsgBoxStyle::Exclamation:
            return QMessageBox::Warning;
        case MsgBoxStyle::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
        }
    }
};

std::shared_ptr<MessageService>& CurrentService() {
    static std::shared_ptr<MessageService> service = std::make_shared<QtMessageService>();
    return service;
}

} // namespace

int32_t MsgBox(const QString& prompt, int32_t buttons, const QString& title) {
    return CurrentService()->Show(prompt, buttons, title);
}

MsgBoxButtonNames::MsgBoxButtonNames(const QString& yes, const QString& no) {
    YesName() = yes;
    NoName() = no;
}

MsgBoxButtonNames::~MsgBoxButtonNames() {
    YesName().clear();
    NoName().clear();
}

std::shared_ptr<MessageService> SetMessageService(std::shared_ptr<MessageService> service) {
    auto previous = CurrentService();
    CurrentService() = service ? std::move(service) : std::make_shared<QtMessageService>();
    return previous;
}
