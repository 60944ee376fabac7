#include "store/data/SequenceKey.h"

#include "store/data/StoredProcedureCall.h"

using namespace Qt::StringLiterals;

void SequenceKey::send(StoredProcedureCall& call) const {
    call.setNullIfZero(u"@seq_no"_s, seqNo);
    if (!isNew())
        call.set(u"@seq_no_key"_s, original);
}

void SequenceKey::readBack(const StoredProcedureCall& call) {
    seqNo = call.outputLong(u"@seq_no"_s);
    original = seqNo;
}
