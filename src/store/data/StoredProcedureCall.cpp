#include "store/data/StoredProcedureCall.h"

#include "sdk/RuntimeError.h"
#include "store/data/modDataTypes.h"
#include "widgets/MsgBox.h"

StoredProcedureCall::StoredProcedureCall(const std::shared_ptr<DBConnection>& db, const QString& procedure)
    : m_db(db) {
    if (!m_db)
        throw ObjectVariableNotSet();
    m_command = m_db->CreateCommand(0);
    if (!m_command)
        throw ObjectVariableNotSet();
    m_command->setCommandText(procedure);
    m_command->setCommandType(Command::StoredProcedure);
    m_command->Parameters()->Refresh();
}

StoredProcedureCall::~StoredProcedureCall() {
    try {
        if (m_rows && m_rows->State() != Recordset::StateClosed)
            m_rows->Close();
    } catch (...) {
        // clean-up after a failure ignores further errors
    }
    m_rows.reset();
    m_command.reset();
}

StoredProcedureCall& StoredProcedureCall::set(const QString& name, const Variant& value) {
    m_command->Parameters()->Item(name)->setValue(value);
    return *this;
}

StoredProcedureCall& StoredProcedureCall::setNullIfEmpty(const QString& name, const QString& value) {
    return set(name, value.isEmpty() ? Variant::Null() : Variant(value));
}

StoredProcedureCall& StoredProcedureCall::setNullIfZero(const QString& name, int32_t value) {
    return set(name, value == 0 ? Variant::Null() : Variant(value));
}

StoredProcedureCall& StoredProcedureCall::setNullIfZero(const QString& name, double value) {
    return set(name, value == 0 ? Variant::Null() : Variant(value));
}

StoredProcedureCall& StoredProcedureCall::setOneOrZero(const QString& name, bool value) {
    return set(name, int16_t(value ? 1 : 0));
}

StoredProcedureCall& StoredProcedureCall::setMinusOneOrZero(const QString& name, bool value) {
    return set(name, int16_t(value ? -1 : 0));
}

bool StoredProcedureCall::openRows(bool outputsFirst) {
    int16_t failed = 0;
    m_rows = m_db->ExecuteRecordset(m_command, failed, outputsFirst ? int16_t(-1) : int16_t(0));
    return failed == 0;
}

bool StoredProcedureCall::run() {
    int16_t succeeded = 0;
    m_db->ExecuteCommand(m_command, 0, succeeded);
    return succeeded != 0;
}

bool StoredProcedureCall::atEnd() const {
    if (!m_rows)
        throw ObjectVariableNotSet();
    return m_rows->Eof();
}

void StoredProcedureCall::next() {
    if (!m_rows)
        throw ObjectVariableNotSet();
    m_rows->MoveNext();
}

Variant StoredProcedureCall::column(const QString& name) const {
    if (!m_rows)
        throw ObjectVariableNotSet();
    return m_rows->Fields(name)->Value();
}

QString StoredProcedureCall::readText(const QString& name) const {
    return column(name).toText();
}

int32_t StoredProcedureCall::readLong(const QString& name) const {
    return NullToZero(column(name)).toInt32();
}

int16_t StoredProcedureCall::readInteger(const QString& name) const {
    return NullToZero(column(name)).toInt16();
}

double StoredProcedureCall::readDouble(const QString& name) const {
    return NullToZero(column(name)).toDouble();
}

bool StoredProcedureCall::readBool(const QString& name) const {
    return NullToZero(column(name)).toBool();
}

Variant StoredProcedureCall::output(const QString& name) const {
    return m_command->Parameters()->Item(name)->Value();
}

QString StoredProcedureCall::outputText(const QString& name) const {
    return output(name).toText();
}

int32_t StoredProcedureCall::outputLong(const QString& name) const {
    return NullToZero(output(name)).toInt32();
}

bool StoredProcedureCall::outputBool(const QString& name) const {
    return NullToZero(output(name)).toBool();
}

Variant StoredProcedureCall::returnValue() const {
    return output(QStringLiteral("@RETURN_VALUE"));
}

bool StoredProcedureCall::accepted(SuccessTest test, const QString& messageParameter,
                                   const QString& caption) const {
    if (PassesSuccessTest(test, returnValue()))
        return true;
    MsgBox(output(messageParameter).toText(), MsgBoxStyle::Information, caption);
    return false;
}

bool StoredProcedureCall::runAccepted(SuccessTest test, const QString& messageParameter,
                                      const QString& caption) {
    return run() && accepted(test, messageParameter, caption);
}
