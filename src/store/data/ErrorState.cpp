#include "store/data/ErrorState.h"

#include "sdk/ErrorSource.h"
#include "widgets/MsgBox.h"

ErrorState::ErrorState(const QString& className) : m_source(::ErrorSource(className)) {}

ErrorState ErrorState::WithSource(const QString& fullSource) {
    return ErrorState(FullSource{}, fullSource);
}

void ErrorState::Report(const std::shared_ptr<ErrorObject>& errorObject, const QString& operation,
                        const RuntimeError& error, const std::shared_ptr<Object>& nativeConnection) {
    m_number = error.number;
    m_description = error.description;
    if (!errorObject)
        return;
    try {
        errorObject->ReportError(m_number, m_source + QLatin1Char(' ') + operation, m_description, 0, {}, {},
                                 {}, nativeConnection, QString());
    } catch (...) {
        // a failing report must not turn into a second failure
    }
}

void ErrorState::Refuse(const TextRefused& refusal) {
    m_number = refusal.number;
    m_description = refusal.description;
    MsgBox(refusal.description, MsgBoxStyle::OKOnly | MsgBoxStyle::Information, refusal.caption);
}
