#pragma once

#include "sdk/ErrorObject.h"

#include <vector>

// An error object that keeps every report it receives.
class RecordingErrorObject : public ErrorObject {
public:
    struct Report {
        int32_t number = 0;
        QString source;
        QString description;
        int16_t flag = 0;
        Variant arg1, arg2, arg3;
        std::shared_ptr<Object> object;
        QString text;
    };

    void ReportError(int32_t number, const QString& source, const QString& description, int16_t flag,
                     const Variant& arg1, const Variant& arg2, const Variant& arg3,
                     const std::shared_ptr<Object>& object, const QString& text) override {
        reports.push_back({number, source, description, flag, arg1, arg2, arg3, object, text});
    }

    std::vector<Report> reports;
};
