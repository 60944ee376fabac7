#pragma once

#include "store/editors/Refusal.h"

#include <cstdint>

// The sequence number box of the product item and list item editors: filled, numeric, 9 characters at most.
CheckResult CheckSequenceNumber(const QString& text);

// Before links are edited the box must also hold the number the item is stored with.
CheckResult CheckSequenceForSells(const QString& text, int32_t storedSeqNo);
