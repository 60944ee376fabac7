#include "sdk/RuntimeError.h"

RuntimeError Overflow() {
    return {ErrorNumbers::Overflow, QStringLiteral("Overflow")};
}

RuntimeError TypeMismatch() {
    return {ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch")};
}

RuntimeError InvalidUseOfNull() {
    return {ErrorNumbers::InvalidUseOfNull, QStringLiteral("Invalid use of Null")};
}

RuntimeError ObjectVariableNotSet() {
    return {ErrorNumbers::ObjectVariableNotSet,
            QStringLiteral("Object variable or With block variable not set")};
}

RuntimeError ItemNotFound(const QString& name) {
    return {ErrorNumbers::ItemNotFound,
            QStringLiteral("Item cannot be found in the collection corresponding to the requested name or "
                           "ordinal: %1")
                .arg(name)};
}
