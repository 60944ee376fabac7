#include "database/SqlField.h"

#include "sdk/RuntimeError.h"

int32_t SqlField::ActualSize() const {
    const Variant value = Value();
    return value.isNull() ? 0 : int32_t(value.toText().size());
}

Variant SqlField::GetChunk(int32_t size) {
    if (size < 0)
        throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                           QStringLiteral("Invalid procedure call or argument"));
    const Variant value = Value();
    if (m_chunkRow != m_cursor->rowNumber()) {
        m_chunkRow = m_cursor->rowNumber();
        m_chunkOffset = 0;
    }
    if (value.isNull())
        return Variant::Null();
    const QString text = value.toText();
    if (m_chunkOffset >= text.size())
        return Variant::Null();
    const QString piece = text.mid(m_chunkOffset, size);
    m_chunkOffset += piece.size();
    return piece;
}
