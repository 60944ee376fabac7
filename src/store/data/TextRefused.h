#pragma once

#include "sdk/RuntimeError.h"

// A text that its column cannot hold: a refusal told to the user as it stands, under its caption, rather
// than a failure reported with its number and source.
struct TextRefused : RuntimeError {
    TextRefused(const QString& sentence, QString messageCaption)
        : RuntimeError(ErrorNumbers::InvalidProcedureCall, sentence), caption(std::move(messageCaption)) {}
    QString caption;
};
