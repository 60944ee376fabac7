#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

class ScriptedMessages::Service : public MessageService {
public:
    int32_t Show(const QString& prompt, int32_t buttons, const QString& title) override {
        shown.push_back({prompt, buttons, title});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message: \"" << prompt.toStdString() << "\" (" << title.toStdString()
                          << ")";
            return MsgBoxResult::Cancel;
        }
        const int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<int32_t> answers;
    std::vector<ScriptedMessages::Shown> shown;
};

ScriptedMessages::ScriptedMessages() : m_service(std::make_shared<Service>()) {
    m_previous = SetMessageService(m_service);
}

ScriptedMessages::~ScriptedMessages() {
    SetMessageService(m_previous);
    if (!m_service->answers.empty())
        ADD_FAILURE() << m_service->answers.size() << " expected message(s) never shown";
}

ScriptedMessages& ScriptedMessages::expect(int32_t answer) {
    m_service->answers.push_back(answer);
    return *this;
}

const std::vector<ScriptedMessages::Shown>& ScriptedMessages::shown() const {
    return m_service->shown;
}
