#include "dbsupport/ProcedureRun.h"

#include "database/SqlCommand.h"
#include "database/SqlRecordset.h"

#include <gtest/gtest.h>

namespace {

QString Shown(const Variant& value) {
    return value.isNull() ? QStringLiteral("NULL") : value.toText();
}

ProcedureRun Run(DBConnection& db, const QString& call, const ProcedureRun::Inputs& more, bool forRows) {
    auto [procedure, inputs] = ProcedureRun::Parse(call);
    inputs.insert(inputs.end(), more.begin(), more.end());
    auto command = db.CreateCommand(0);
    command->setCommandText(procedure);
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    for (const auto& [name, value] : inputs)
        command->Parameters()->Item(name)->setValue(value);
    ProcedureRun run;
    if (forRows) {
        int16_t failed = 0;
        auto rows = db.ExecuteRecordset(command, failed, -1);
        EXPECT_EQ(failed, 0) << procedure.toStdString();
        auto* sqlRows = dynamic_cast<SqlRecordset*>(rows.get());
        run.rowsOpen = rows && rows->State() == Recordset::StateOpen;
        while (run.rowsOpen && !rows->Eof()) {
            ProcedureRun::Columns columns;
            for (const QString& name : sqlRows->columns())
                columns[name.toLower()] = rows->Fields(name)->Value();
            run.rows.push_back(std::move(columns));
            rows->MoveNext();
        }
        if (rows)
            rows->Close();
    } else {
        int16_t succeeded = 0;
        db.ExecuteCommand(command, 0, succeeded);
        EXPECT_NE(succeeded, 0) << procedure.toStdString();
    }
    auto* sqlCommand = dynamic_cast<SqlCommand*>(command.get());
    for (const auto& parameter : sqlCommand->sqlParameters()->list())
        run.outputs[parameter->declaration().name.toLower()] = parameter->Value();
    run.returnValue = run.output("@RETURN_VALUE");
    run.message = run.output("@message").toText();
    return run;
}

} // namespace

std::pair<QString, ProcedureRun::Inputs> ProcedureRun::Parse(const QString& call) {
    const QString name = call.section(QStringLiteral(": "), 0, 0);
    Inputs inputs;
    const QString assignments = call.section(QStringLiteral(": "), 1);
    for (const QString& assignment : assignments.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QString value = assignment.section(u'=', 1);
        bool whole = false, number = false;
        const int asInt = value.toInt(&whole);
        const double asDouble = value.toDouble(&number);
        const QDate day = QDate::fromString(value, Qt::ISODate);
        inputs.emplace_back(u'@' + assignment.section(u'=', 0, 0),
                            value == QLatin1String("NULL") ? Variant::Null()
                            : whole                        ? Variant(asInt)
                            : number                       ? Variant(asDouble)
                            : day.isValid()                ? Variant(QDateTime(day, QTime(0, 0)))
                                                           : Variant(value));
    }
    return {name.startsWith(QLatin1String("ZEV_SP_")) ? name : QStringLiteral("ZEV_SP_STORE_") + name,
            inputs};
}

ProcedureRun ProcedureRun::Rows(DBConnection& db, const QString& procedure, const Inputs& inputs) {
    return Run(db, procedure, inputs, true);
}

ProcedureRun ProcedureRun::Command(DBConnection& db, const QString& procedure, const Inputs& inputs) {
    return Run(db, procedure, inputs, false);
}

Variant ProcedureRun::output(const QString& name) const {
    const auto it = outputs.find(name.toLower());
    return it == outputs.end() ? Variant() : it->second;
}

Variant ProcedureRun::at(size_t i, const QString& column) const {
    if (i >= rows.size()) {
        ADD_FAILURE() << "no row " << i << " (" << rows.size() << " rows)";
        return {};
    }
    const auto it = rows[i].find(column.toLower());
    if (it == rows[i].end()) {
        ADD_FAILURE() << "no column " << column.toStdString();
        return {};
    }
    return it->second;
}

std::string ProcedureRun::cells(size_t i, const QString& columns) const {
    QStringList shown;
    for (const QString& column : columns.split(QStringLiteral(", ")))
        shown << Shown(at(i, column));
    return shown.join(u'|').toStdString();
}

std::string ProcedureRun::outputsOf(const QString& names) const {
    QStringList shown;
    for (const QString& name : names.split(QStringLiteral(", "))) {
        const auto it = outputs.find(u'@' + name.toLower());
        if (it == outputs.end())
            ADD_FAILURE() << "no output @" << name.toStdString();
        shown << (it == outputs.end() ? QStringLiteral("?") : Shown(it->second));
    }
    return shown.join(u'|').toStdString();
}
