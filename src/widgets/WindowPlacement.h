#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

// Where each window was last left, so that it opens there again in the next run: its size, its position and
// whether it was maximised, kept by the window's object name. The host says where the placements are kept;
// until it does (in tests, and while pictures are rendered) windows open where their forms put them.
namespace WindowPlacement {

struct Store {
    std::function<QByteArray(const QString& window)> read; // empty when nothing is kept
    std::function<void(const QString& window, const QByteArray& placement)> write;
};

// Installs the store (an empty one forgets it); returns the previous one.
Store SetStore(Store store);

// Puts the window where it was last left, if anything is kept for it.
void Restore(QWidget& window);
// Keeps where the window is now.
void Save(const QWidget& window);

} // namespace WindowPlacement
