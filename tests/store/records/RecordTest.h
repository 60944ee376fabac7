#pragma once

#include "support/RecordingErrorObject.h"
#include "support/ScriptedConnection.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

using Sent = std::vector<std::pair<QString, Variant>>;

// What every record test needs: a scripted connection, an error object that keeps its reports, and checks of
// what a call sent.
class RecordTest : public testing::Test {
protected:
    ~RecordTest() override {
        EXPECT_EQ(db->liveObjects(), 0) << "a command or record set was not released";
        EXPECT_EQ(db->recordsetsNotClosed(), 0) << "a record set was not closed";
    }

    // The parameters set, in the order set, and their values.
    static void ExpectSent(const RecordedCall& call, const Sent& expected) {
        QStringList names;
        for (const auto& [name, value] : expected) {
            names << name;
            EXPECT_EQ(call.value(name), std::optional<Variant>(value)) << name.toStdString();
        }
        EXPECT_EQ(call.names(), names) << call.procedure.toStdString();
    }

    // The one report of a raised failure.
    void ExpectReported(const QString& source) const {
        ASSERT_EQ(error->reports.size(), 1u);
        EXPECT_EQ(error->reports[0].source, source);
    }

    std::shared_ptr<ScriptedConnection> db = std::make_shared<ScriptedConnection>();
    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
};
