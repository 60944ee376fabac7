#include "widgets/WindowPlacement.h"

#include <QWidget>

namespace WindowPlacement {

namespace {
Store& Current() {
    static Store store;
    return store;
}
} // namespace

Store SetStore(Store store) {
    Store previous = std::move(Current());
    Current() = std::move(store);
    return previous;
}

void Restore(QWidget& window) {
    const Store& store = Current();
    if (!store.read || window.objectName().isEmpty())
        return;
    const QByteArray placement = store.read(window.objectName());
    // Kept by another screen or an older program: the window stays where its form put it.
    if (!placement.isEmpty())
        window.restoreGeometry(placement);
}

void Save(const QWidget& window) {
    const Store& store = Current();
    if (store.write && !window.objectName().isEmpty())
        store.write(window.objectName(), window.saveGeometry());
}

} // namespace WindowPlacement
