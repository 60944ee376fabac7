#pragma once

#include "database/ProcedureDefinition.h"

#include <QStringList>
#include <map>

// The host's stored procedures, found by name without regard to case.
class ProcedureCatalog {
public:
    // Every procedure the store maintenance module calls.
    static const ProcedureCatalog& Standard();

    void add(const QString& name, std::vector<ParameterDeclaration> parameters,
             std::function<void(ProcedureContext&)> body);
    const ProcedureDefinition* find(const QString& name) const;
    QStringList names() const;

private:
    std::map<QString, ProcedureDefinition> m_procedures; // by lower-case name
};

// The parts of the catalog, one per area of the store.
void AddStoreProcedures(ProcedureCatalog& catalog);
void AddStoreTableProcedures(ProcedureCatalog& catalog);
void AddProductProcedures(ProcedureCatalog& catalog);
void AddListItemProcedures(ProcedureCatalog& catalog);
void AddOrderProcedures(ProcedureCatalog& catalog);
void AddPickerProcedures(ProcedureCatalog& catalog);
void AddCheckStoreProcedure(ProcedureCatalog& catalog);
