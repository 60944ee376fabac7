#include "app/ModuleLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPluginLoader>
#include <QWidget>
#include <exception>

ModuleLoader::ModuleLoader(QString folder) : m_folder(std::move(folder)) {}

ModuleLoader::Result ModuleLoader::Load(QWidget* parent) const {
    const QDir dir(m_folder);
    if (!dir.exists())
        return {
            {},
            QStringLiteral("The module folder %1 does not exist.").arg(QDir::toNativeSeparators(m_folder))};
    QStringList problems;
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
        if (!QLibrary::isLibrary(file.fileName()))
            continue;
        const ModuleControl control = TryFile(file.absoluteFilePath(), parent, problems);
        if (control.widget && control.contract)
            return {control, {}};
    }
    if (problems.isEmpty())
        return {{},
                QStringLiteral("No Store Maintenance module was found in %1.")
                    .arg(QDir::toNativeSeparators(m_folder))};
    return {{},
            QStringLiteral("The Store Maintenance module could not be loaded:\n%1").arg(problems.join('\n'))};
}

ModuleControl ModuleLoader::TryFile(const QString& path, QWidget* parent, QStringList& problems) {
    QPluginLoader loader(path);
    QObject* root = loader.instance();
    if (!root) {
        problems << QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), loader.errorString());
        return {};
    }
    auto* plugin = qobject_cast<ModulePlugin*>(root);
    if (!plugin) {
        problems << QStringLiteral("%1: not a ZevStore module.").arg(QFileInfo(path).fileName());
        return {};
    }
    try {
        const ModuleControl control = plugin->CreateControl(parent);
        if (control.widget && control.contract)
            return control;
        delete control.widget;
        problems << QStringLiteral("%1: the module created no control.").arg(QFileInfo(path).fileName());
        return {};
    } catch (const std::exception& error) {
        problems << QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), QString::fromUtf8(error.what()));
        return {};
    }
}
