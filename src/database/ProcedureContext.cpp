#include "database/ProcedureContext.h"

#include "sdk/RuntimeError.h"

#include <cmath>

ProcedureContext::ProcedureContext(SqlSession& session, const ProcedureDefinition& definition,
                                   std::vector<Variant>& values, QString currentUser)
    : m_session(session), m_definition(definition), m_values(values), m_currentUser(std::move(currentUser)) {}

int ProcedureContext::indexOf(const QString& name) const {
    for (size_t i = 0; i < m_definition.parameters.size(); ++i)
        if (m_definition.parameters[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    throw ItemNotFound(name);
}

Variant ProcedureContext::value(const QString& name) const {
    const int index = indexOf(name);
    return size_t(index) < m_values.size() ? m_values[size_t(index)] : Variant();
}

bool ProcedureContext::given(const QString& name) const {
    const Variant v = value(name);
    return !v.isNull() && !v.isEmpty();
}

std::optional<int32_t> ProcedureContext::integer(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    return value(name).toInt32();
}

std::optional<qint64> ProcedureContext::wholeNumber(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    const double number = value(name).toDouble();
    if (!std::isfinite(number) || std::fabs(number) > 9.0e15)
        throw Overflow();
    return qint64(std::nearbyint(number));
}

std::optional<double> ProcedureContext::number(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    return value(name).toDouble();
}

std::optional<QString> ProcedureContext::text(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    return value(name).toText();
}

std::optional<QString> ProcedureContext::textOrNull(const QString& name) const {
    auto result = text(name);
    if (result && result->isEmpty())
        return std::nullopt;
    return result;
}

std::optional<bool> ProcedureContext::flag(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    return value(name).toBool();
}

std::optional<QDateTime> ProcedureContext::date(const QString& name) const {
    if (!given(name))
        return std::nullopt;
    return value(name).toDateTime();
}

void ProcedureContext::setOutput(const QString& name, const Variant& value) {
    const size_t index = size_t(indexOf(name));
    if (index >= m_values.size())
        m_values.resize(m_definition.parameters.size());
    m_values[index] = value;
}

void ProcedureContext::setReturn(int32_t value) {
    setOutput(QStringLiteral("@RETURN_VALUE"), value);
}

void ProcedureContext::refuse(int32_t returnValue, const QString& message) {
    m_refused = true;
    setReturn(returnValue);
    for (const auto& parameter : m_definition.parameters)
        if (parameter.name.compare(QLatin1String("@message"), Qt::CaseInsensitive) == 0)
            setOutput(parameter.name, message);
}

QSqlQuery ProcedureContext::run(const QString& sql, const QVariantList& values) {
    return m_session.run(sql, values);
}

QVariant ProcedureContext::scalar(const QString& sql, const QVariantList& values) {
    return m_session.scalar(sql, values);
}

bool ProcedureContext::exists(const QString& sql, const QVariantList& values) {
    return m_session.scalar(sql, values).isValid();
}

int32_t ProcedureContext::nextNumber(const QString& table, const QString& column, const QString& where,
                                     const QVariantList& values) {
    const QVariant highest =
        m_session.scalar(QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %3").arg(column, table, where), values);
    return highest.isNull() ? 1 : int32_t(highest.toLongLong() + 1);
}

void ProcedureContext::result(const QString& sql, const QVariantList& values) {
    m_hasResult = true;
    m_resultSql = sql;
    m_resultValues = values;
}
