#pragma once

#include "widgets/MsgBox.h"

// Messages for a run without anyone to answer them (screenshots): each goes to standard error and is
// answered with the most cautious button (Cancel, else No, else OK).
class ConsoleMessageService : public MessageService {
public:
    int32_t Show(const QString& prompt, int32_t buttons, const QString& title) override;
};
