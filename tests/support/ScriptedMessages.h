#pragma once

#include "widgets/MsgBox.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Replaces the message boxes while it lives: records every message and answers from a queue.
// A message with no answer queued, or an answer never asked for, fails the test.
class ScriptedMessages {
public:
    struct Shown {
        QString prompt;
        int32_t buttons = 0;
        QString title;
    };

    ScriptedMessages() : m_previous(SetMessageService(m_service)) {}
    ~ScriptedMessages() {
        SetMessageService(m_previous);
        if (!m_service->answers.empty())
            ADD_FAILURE() << m_service->answers.size() << " expected message(s) never shown";
    }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues the answer for the next message.
    ScriptedMessages& expect(int32_t answer = MsgBoxResult::OK) {
        m_service->answers.push_back(answer);
        return *this;
    }
    const std::vector<Shown>& shown() const { return m_service->shown; }
    // The last message shown as "title: prompt"; empty when none was.
    QString last() const {
        return shown().empty() ? QString() : shown().back().title + ": " + shown().back().prompt;
    }

private:
    struct Service : MessageService {
        int32_t Show(const QString& prompt, int32_t buttons, const QString& title) override {
            shown.push_back({prompt, buttons, title});
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected message: \"" << prompt.toStdString() << "\" ("
                              << title.toStdString() << ")";
                return MsgBoxResult::Cancel;
            }
            const int32_t answer = answers.front();
            answers.pop_front();
            return answer;
        }

        std::deque<int32_t> answers;
        std::vector<Shown> shown;
    };

    std::shared_ptr<Service> m_service = std::make_shared<Service>();
    std::shared_ptr<MessageService> m_previous;
};
