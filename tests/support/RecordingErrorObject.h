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
        std::shared_ptr<Object> object;
    };

    void ReportError(int32_t number, const QString& source, const QString& description, int16_t,
                     const Variant&, const Variant&, const Variant&, const std::shared_ptr<Object>& object,
                     const QString&) override {
        reports.push_back({number, source, description, object});
    }

    std::vector<Report> reports;
};
