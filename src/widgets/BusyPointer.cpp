#include "widgets/BusyPointer.h"

#include <QApplication>

BusyPointer::BusyPointer() : m_hadOverride(QApplication::overrideCursor() != nullptr) {
    if (m_hadOverride) {
        m_found = *QApplication::overrideCursor();
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

BusyPointer::~BusyPointer() {
    if (m_hadOverride) {
        QApplication::changeOverrideCursor(m_found);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
