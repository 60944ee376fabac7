#pragma once

#include <QString>
#include <cstdint>
#include <memory>

// Classic message box flags and answers.
namespace MsgBoxStyle {
constexpr int32_t OKOnly = 0;
constexpr int32_t YesNoCancel = 3;
constexpr int32_t YesNo = 4;
constexpr int32_t Critical = 16;
constexpr int32_t Question = 32;
constexpr int32_t Exclamation = 48;
constexpr int32_t Information = 64;
constexpr int32_t DefaultButton2 = 256;
} // namespace MsgBoxStyle

namespace MsgBoxResult {
constexpr int32_t OK = 1;
constexpr int32_t Cancel = 2;
constexpr int32_t Yes = 6;
constexpr int32_t No = 7;
} // namespace MsgBoxResult

// Shows messages to the user. The program uses QMessageBox; tests replace it with a script.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int32_t Show(const QString& prompt, int32_t buttons, const QString& title) = 0;
};

// Shows a message box and returns the button pressed. An empty title means the application's title.
int32_t MsgBox(const QString& prompt, int32_t buttons = MsgBoxStyle::OKOnly, const QString& title = {});

// While alive, message boxes name their Yes and No buttons after what they do ("Reload", "Save Over"); the
// answers stay Yes and No.
class MsgBoxButtonNames {
public:
    MsgBoxButtonNames(const QString& yes, const QString& no);
    ~MsgBoxButtonNames();
    MsgBoxButtonNames(const MsgBoxButtonNames&) = delete;
    MsgBoxButtonNames& operator=(const MsgBoxButtonNames&) = delete;
};

// Replaces the message service; returns the previous one. Null restores the QMessageBox service.
std::shared_ptr<MessageService> SetMessageService(std::shared_ptr<MessageService> service);
