#include "database/SqlParameters.h"

#include "database/DriverError.h"

void SqlParameters::Refresh() {
    const ProcedureDefinition* definition = m_catalog.find(m_procedure);
    if (!definition)
        throw RuntimeError(ErrorNumbers::ProcedureNotFound,
                           QStringLiteral("Could not find stored procedure '%1'.").arg(m_procedure));
    m_list.clear();
    for (const auto& declaration : definition->parameters)
        m_list.push_back(std::make_shared<SqlParameter>(declaration));
}

std::shared_ptr<Parameter> SqlParameters::Item(const QString& name) {
    for (const auto& parameter : m_list)
        if (parameter->declaration().name.compare(name, Qt::CaseInsensitive) == 0)
            return parameter;
    throw ItemNotFound(name);
}
