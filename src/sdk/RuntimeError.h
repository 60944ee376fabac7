#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// A failure raised by a conversion or a host object, with the host's classic error numbers.
struct RuntimeError : std::runtime_error {
    RuntimeError(int32_t number, const QString& description)
        : std::runtime_error(description.toStdString()), number(number), description(description) {}

    int32_t number;
    QString description;
};

namespace ErrorNumbers {
constexpr int32_t InvalidProcedureCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t ObjectRequired = 424;
constexpr int32_t ObjectVariableNotSet = 91;
constexpr int32_t InvalidUseOfNull = 94;
constexpr int32_t ItemNotFound = 3265;
} // namespace ErrorNumbers

// The standard descriptions that go with those numbers.
RuntimeError Overflow();
RuntimeError TypeMismatch();
RuntimeError InvalidUseOfNull();
RuntimeError ObjectVariableNotSet();
RuntimeError ItemNotFound(const QString& name);
