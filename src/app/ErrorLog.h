#pragma once

#include "sdk/ErrorObject.h"

#include <QString>

// The host's error object: every reported failure becomes one line of the error log (time, user, number,
// source, description, tab-separated) and a message box for the user.
class ErrorLog : public ::ErrorObject {
public:
    ErrorLog(QString logPath, QString user);

    void ReportError(int32_t number, const QString& source, const QString& description, int16_t flag = 0,
                     const Variant& arg1 = {}, const Variant& arg2 = {}, const Variant& arg3 = {},
                     const std::shared_ptr<Object>& object = {}, const QString& text = {}) override;

    // Writes the line without a message box, for what the user is told another way.
    void Note(int32_t number, const QString& source, const QString& description) const {
        Append(number, source, description);
    }
    const QString& LogPath() const { return m_path; }
    void setUser(const QString& user) { m_user = user; }

private:
    // False when the log could not be written; the user is told so with the failure itself.
    bool Append(int32_t number, const QString& source, const QString& description) const;

    QString m_path;
    QString m_user;
};
