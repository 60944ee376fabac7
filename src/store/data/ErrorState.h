#pragma once

#include "sdk/ChangeGuard.h"
#include "sdk/ErrorObject.h"
#include "sdk/RuntimeError.h"
#include "store/data/TextRefused.h"

#include <QString>
#include <cstdint>
#include <memory>

// An object's error source and last caught failure, and the one failure handler its public operations run
// under: a raised failure is kept, reported to the host's error object under the error source and the
// operation's name, and turned into a false result; a refused text is shown to the user instead, and a save
// that someone else's newer change stopped goes up to the editor that asks the user what to do.
class ErrorState {
public:
    explicit ErrorState(const QString& className);
    // For the few forms whose error source does not start with the module's product name.
    static ErrorState WithSource(const QString& fullSource);

    const QString& ErrorSource() const { return m_source; }
    int32_t LastErrorNumber() const { return m_number; }
    const QString& LastErrorDescription() const { return m_description; }

    // Runs body (returning bool); any failure it raises is reported under operation and gives false.
    // nativeConnection is passed on to the report for the control's loading operations.
    template <typename Body>
    bool Guard(const std::shared_ptr<ErrorObject>& errorObject, const QString& operation, Body&& body,
               const std::shared_ptr<Object>& nativeConnection = {}) {
        try {
            return body();
        } catch (const ChangedMeanwhile&) {
            throw;
        } catch (const TextRefused& refusal) {
            Refuse(refusal);
        } catch (const RuntimeError& error) {
            Report(errorObject, operation, error, nativeConnection);
        } catch (const std::exception& error) {
            Report(errorObject, operation, RuntimeError(ErrorNumbers::InvalidProcedureCall, error.what()),
                   nativeConnection);
        }
        return false;
    }

    // Keeps the refusal and tells the user in an information message under its caption.
    void Refuse(const TextRefused& refusal);
    // Keeps the failure and hands it to errorObject with the source "<error source> <operation>".
    void Report(const std::shared_ptr<ErrorObject>& errorObject, const QString& operation,
                const RuntimeError& error, const std::shared_ptr<Object>& nativeConnection = {});

private:
    struct FullSource {};
    ErrorState(FullSource, const QString& source) : m_source(source) {}

    QString m_source;
    int32_t m_number = 0;
    QString m_description;
};
