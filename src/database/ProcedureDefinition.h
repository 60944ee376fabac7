#pragma once

#include <QString>
#include <functional>
#include <vector>

class ProcedureContext;

enum class ParameterType { Integer, Long, Double, Text, Date, Boolean };
enum class ParameterDirection { ReturnValue, Input, InputOutput, Output };

struct ParameterDeclaration {
    QString name;
    ParameterType type = ParameterType::Long;
    ParameterDirection direction = ParameterDirection::Input;
};

// One stored procedure of the host database: its declared parameters ("@RETURN_VALUE" is added in front
// by the catalog) and the body that runs inside one transaction.
struct ProcedureDefinition {
    QString name;
    std::vector<ParameterDeclaration> parameters;
    std::function<void(ProcedureContext&)> body;
    // Only reads: runs without taking the write lock.
    bool readOnly = false;
};

inline ParameterDeclaration In(const QString& name, ParameterType type) {
    return {name, type, ParameterDirection::Input};
}
inline ParameterDeclaration InOut(const QString& name, ParameterType type) {
    return {name, type, ParameterDirection::InputOutput};
}
inline ParameterDeclaration Out(const QString& name, ParameterType type) {
    return {name, type, ParameterDirection::Output};
}
