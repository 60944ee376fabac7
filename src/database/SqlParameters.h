#pragma once

#include "database/ProcedureCatalog.h"
#include "database/SqlParameter.h"
#include "sdk/Parameters.h"

#include <vector>

// The parameter list of a command; Refresh describes the named procedure from the catalog.
class SqlParameters : public Parameters {
public:
    explicit SqlParameters(const ProcedureCatalog& catalog) : m_catalog(catalog) {}

    void Refresh() override;
    std::shared_ptr<Parameter> Item(const QString& name) override;

    void setProcedure(const QString& procedure) { m_procedure = procedure; }
    const std::vector<std::shared_ptr<SqlParameter>>& list() const { return m_list; }

private:
    const ProcedureCatalog& m_catalog;
    QString m_procedure;
    std::vector<std::shared_ptr<SqlParameter>> m_list;
};
