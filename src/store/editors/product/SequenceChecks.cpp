#include "store/editors/product/SequenceChecks.h"

#include "sdk/RuntimeError.h"
#include "sdk/Variant.h"
#include "widgets/MsgBox.h"

namespace {

const int32_t InfoOk = MsgBoxStyle::OKOnly | MsgBoxStyle::Information;
const QString Caption = QStringLiteral("InValid Sequence Number");
const QString Box = QStringLiteral("txtSeqNo");

// The three shape checks with a common ending of their texts.
CheckResult CheckShape(const QString& text, const QString& empty, const QString& numeric,
                       const QString& length, const QString& ending) {
    if (text.isEmpty())
        return Refusal{empty + ending, Caption, InfoOk, Box, {}};
    if (!IsNumericText(text))
        return Refusal{numeric + ending, Caption, InfoOk, Box, {}};
    if (text.size() > 9)
        return Refusal{length + ending, Caption, InfoOk, Box, {}};
    return std::nullopt;
}

} // namespace

CheckResult CheckSequenceNumber(const QString& text) {
    return CheckShape(text, QStringLiteral("You must supply a sequence number"),
                      QStringLiteral("Sequence Number must be numeric"),
                      QStringLiteral("Sequence Number must be 9 digits or less"), QStringLiteral("."));
}

CheckResult CheckSequenceForSells(const QString& text, int32_t storedSeqNo) {
    if (auto refusal = CheckShape(text, QStringLiteral("You must supply a sequence number"),
                                  QStringLiteral("Sequence Number must be numeric"),
                                  QStringLiteral("Sequence Number must be 9 digits or less"),
                                  QStringLiteral(" and apply before editing cross\\up sells.")))
        return refusal;
    bool same = false;
    try {
        same = Variant(text).toInt32() == storedSeqNo;
    } catch (const RuntimeError&) {
    }
    if (!same)
        return Refusal{
            QStringLiteral("The new sequence number must be applied before editing cross\\up sells."),
            Caption,
            InfoOk,
            QStringLiteral("cmdApply"),
            {}};
    return std::nullopt;
}
