#pragma once

#include "database/ProcedureDefinition.h"
#include "sdk/Parameter.h"

// One declared parameter of a procedure command.
class SqlParameter : public Parameter {
public:
    explicit SqlParameter(ParameterDeclaration declaration) : m_declaration(std::move(declaration)) {}

    Variant Value() const override { return m_value; }
    void setValue(const Variant& value) override { m_value = value; }

    const ParameterDeclaration& declaration() const { return m_declaration; }

private:
    ParameterDeclaration m_declaration;
    Variant m_value;
};
