#pragma once

#include "sdk/Implements.h"

#include <QString>

// Finds the module plug-in in a folder and creates its control. Nothing here throws: a missing or broken
// plug-in comes back as a message for the user.
class ModuleLoader {
public:
    struct Result {
        ModuleControl control;
        QString error; // empty on success
    };

    explicit ModuleLoader(QString folder);

    // Tries the folder's libraries in name order; the first that offers the module interface creates the
    // control as a child of parent.
    Result Load(QWidget* parent) const;
    const QString& Folder() const { return m_folder; }

private:
    // The control, or an empty one with why the file was not usable added to problems.
    static ModuleControl TryFile(const QString& path, QWidget* parent, QStringList& problems);

    QString m_folder;
};
