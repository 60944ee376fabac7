#pragma once

#include "database/ProcedureDefinition.h"
#include "database/SqlSession.h"
#include "sdk/Variant.h"

#include <QDateTime>
#include <QVariantList>
#include <optional>

// What a procedure body sees: its parameter values, its outputs, the session inside the procedure's
// transaction, and the one result set it may hand back. Parameters left unset (Empty) read like Null.
class ProcedureContext {
public:
    ProcedureContext(SqlSession& session, const ProcedureDefinition& definition, std::vector<Variant>& values,
                     QString currentUser);

    Variant value(const QString& name) const;
    // Neither Empty nor Null.
    bool given(const QString& name) const;
    // The input converted to the parameter's kind; nullopt for Null or unset. A value that does not convert
    // raises the conversion error (type mismatch, overflow).
    std::optional<int32_t> integer(const QString& name) const;
    std::optional<qint64> wholeNumber(const QString& name) const;
    std::optional<double> number(const QString& name) const;
    std::optional<QString> text(const QString& name) const;
    // Text with empty text read as Null, for columns where an empty value means none.
    std::optional<QString> textOrNull(const QString& name) const;
    std::optional<bool> flag(const QString& name) const;
    std::optional<QDateTime> date(const QString& name) const;
    // 0 for Null, like the business code's null-to-zero reading.
    int32_t integerOrZero(const QString& name) const { return integer(name).value_or(0); }

    void setOutput(const QString& name, const Variant& value);
    void setReturn(int32_t value);
    // A refusal: the return value and a message written for a person in "@message" (or "@Message");
    // whatever the body wrote before is rolled back.
    void refuse(int32_t returnValue, const QString& message);
    bool refused() const { return m_refused; }

    QSqlQuery run(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    bool exists(const QString& sql, const QVariantList& values = {});
    // The next free number of a key column: one more than the highest (1 when none).
    int32_t nextNumber(const QString& table, const QString& column, const QString& where,
                       const QVariantList& values);

    // The rows the procedure hands back, run after the transaction ends so they stream.
    void result(const QString& sql, const QVariantList& values = {});
    bool hasResult() const { return m_hasResult; }
    const QString& resultSql() const { return m_resultSql; }
    const QVariantList& resultValues() const { return m_resultValues; }

    Backend backend() const { return m_session.backend(); }
    const QString& currentUser() const { return m_currentUser; }

private:
    int indexOf(const QString& name) const;

    SqlSession& m_session;
    const ProcedureDefinition& m_definition;
    std::vector<Variant>& m_values;
    QString m_currentUser;
    bool m_refused = false;
    bool m_hasResult = false;
    QString m_resultSql;
    QVariantList m_resultValues;
};
