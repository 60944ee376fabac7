#pragma once

#include "widgets/ShowModal.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <type_traits>
#include <typeinfo>

// Works the modal dialogs of a test, in order: each dialog shown is handed to the next queued handler,
// which fills it and clicks its buttons. A dialog nobody expected, or of the wrong class, fails the test.
class ModalScript {
public:
    ModalScript() {
        m_previous = SetModalHook([this](QDialog* dialog) { handle(dialog); });
    }
    ~ModalScript() {
        SetModalHook(std::move(m_previous));
        if (!m_handlers.empty())
            ADD_FAILURE() << m_handlers.size() << " expected dialog(s) never shown";
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    template <typename Dialog> ModalScript& on(std::function<void(Dialog&)> work) {
        m_handlers.push_back([work = std::move(work)](QDialog* dialog) {
            // Any dialog at all, for work that tells the dialogs apart itself.
            if constexpr (std::is_same_v<Dialog, QDialog>) {
                work(*dialog);
            } else if (auto* typed = dynamic_cast<Dialog*>(dialog)) {
                work(*typed);
            } else {
                ADD_FAILURE() << "expected dialog " << typeid(Dialog).name() << ", got "
                              << dialog->metaObject()->className();
                dialog->hide();
            }
        });
        return *this;
    }

    int shownCount() const { return m_shown; }

private:
    void handle(QDialog* dialog) {
        ++m_shown;
        if (m_handlers.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog->metaObject()->className();
            dialog->hide();
            return;
        }
        auto handler = std::move(m_handlers.front());
        m_handlers.pop_front();
        handler(dialog);
    }

    std::deque<std::function<void(QDialog*)>> m_handlers;
    ModalHook m_previous;
    int m_shown = 0;
};
