#pragma once

#include <QCursor>

// Shows the hourglass while it lives and then restores the pointer it found, also when the work in between
// changed the pointer or ended with an exception.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool m_hadOverride;
    QCursor m_found;
};
