#include "store/viewers/modChunk.h"

#include "store/data/ErrorState.h"

namespace {
constexpr int32_t ChunkSize = 1024;
}

bool ReadChunkedField(const std::shared_ptr<ErrorObject>& errorObject, QString& text,
                      const std::shared_ptr<Field>& field, int32_t sizeHint) {
    ErrorState errors(QStringLiteral("modChunk"));
    return errors.Guard(errorObject, QStringLiteral("ReadChunkedField"), [&] {
        if (!field)
            throw ObjectVariableNotSet();
        if (!(field->Attributes() & Field::LongData)) {
            text = field->Value().toText();
            return true;
        }
        const int32_t size = std::max(field->ActualSize(), sizeHint);
        QString read = size % ChunkSize > 0 ? field->GetChunk(size % ChunkSize).toText() : QString();
        for (int32_t chunk = 0; chunk < size / ChunkSize; ++chunk)
            read += field->GetChunk(ChunkSize).toText();
        text = read;
        return true;
    });
}
