#pragma once

#include "database/SqlParameters.h"
#include "sdk/Command.h"

// A command bound to its connection: a procedure name (type 4) or SQL text (type 1).
class SqlCommand : public Command {
public:
    static constexpr int32_t Text = 1;

    explicit SqlCommand(const ProcedureCatalog& catalog)
        : m_parameters(std::make_shared<SqlParameters>(catalog)) {}

    QString CommandText() const override { return m_text; }
    void setCommandText(const QString& text) override {
        m_text = text;
        m_parameters->setProcedure(text);
    }
    int32_t CommandType() const override { return m_type; }
    void setCommandType(int32_t type) override { m_type = type; }
    std::shared_ptr<::Parameters> Parameters() override { return m_parameters; }
    const std::shared_ptr<SqlParameters>& sqlParameters() const { return m_parameters; }

private:
    QString m_text;
    int32_t m_type = StoredProcedure;
    std::shared_ptr<SqlParameters> m_parameters;
};
