#pragma once

#include <QString>
#include <cstdint>

class StoredProcedureCall;

// A row's sequence number that may be changed once saved: the number the row was opened or last saved with
// travels as "@seq_no_key", and its being 0 means the row is new.
struct SequenceKey {
    int32_t seqNo = 0;
    int32_t original = 0;

    void open(int32_t value) { seqNo = original = value; }
    bool isNew() const { return original == 0; }
    // "@seq_no" (null for 0), then "@seq_no_key" for a row that is not new.
    void send(StoredProcedureCall& call) const;
    // After a successful save: the number the procedure stored becomes the remembered one.
    void readBack(const StoredProcedureCall& call);
};
