#include "database/ProcedureCatalog.h"

const ProcedureCatalog& ProcedureCatalog::Standard() {
    static const ProcedureCatalog catalog = [] {
        ProcedureCatalog built;
        AddStoreProcedures(built);
        AddStoreTableProcedures(built);
        AddProductProcedures(built);
        AddListItemProcedures(built);
        AddOrderProcedures(built);
        AddPickerProcedures(built);
        AddCheckStoreProcedure(built);
        return built;
    }();
    return catalog;
}

void ProcedureCatalog::add(const QString& name, std::vector<ParameterDeclaration> parameters,
                           std::function<void(ProcedureContext&)> body) {
    ProcedureDefinition definition{name, {}, std::move(body)};
    // The readers are the "Get" procedures, the defaults of a new product item and the store check.
    definition.readOnly = name.contains(QLatin1String("_Get"), Qt::CaseInsensitive) ||
                          name.endsWith(QLatin1String("ProductItemDefaults")) ||
                          name.endsWith(QLatin1String("_CheckStore"));
    definition.parameters.push_back(
        {QStringLiteral("@RETURN_VALUE"), ParameterType::Long, ParameterDirection::ReturnValue});
    for (auto& parameter : parameters)
        definition.parameters.push_back(std::move(parameter));
    m_procedures[name.toLower()] = std::move(definition);
}

const ProcedureDefinition* ProcedureCatalog::find(const QString& name) const {
    const auto it = m_procedures.find(name.trimmed().toLower());
    return it == m_procedures.end() ? nullptr : &it->second;
}

QStringList ProcedureCatalog::names() const {
    QStringList names;
    for (const auto& [key, definition] : m_procedures)
        names << definition.name;
    return names;
}
