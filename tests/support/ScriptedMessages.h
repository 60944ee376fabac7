#pragma once

#include "widgets/MsgBox.h"

#include <deque>
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

    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues the answer for the next message.
    ScriptedMessages& expect(int32_t answer = MsgBoxResult::OK);
    const std::vector<Shown>& shown() const;

private:
    class Service;
    std::shared_ptr<Service> m_service;
    std::shared_ptr<MessageService> m_previous;
};
