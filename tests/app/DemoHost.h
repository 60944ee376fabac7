#pragma once

#include "app/ErrorLog.h"
#include "app/HostAppServer.h"
#include "app/HostSettings.h"
#include "database/SqlConnection.h"

#include <QTemporaryDir>
#include <memory>

// A host for one test: a copy of the demo database in a folder of its own, signed in as user, with its own
// settings file and error log.
class DemoHost {
    // Declared first so that it goes last, after the connection into it is closed.
    QTemporaryDir m_folder;

public:
    explicit DemoHost(const QString& user = QStringLiteral("admin"));

    QString FilePath(const QString& name) const { return m_folder.filePath(name); }
    QString DatabasePath() const { return FilePath(QStringLiteral("demo.db")); }
    // The error log's lines.
    QStringList LogLines() const;
    QVariant Scalar(const QString& sql, const QVariantList& values = {});
    void Execute(const QString& sql, const QVariantList& values = {});

    std::shared_ptr<SqlConnection> db;
    std::shared_ptr<HostSettings> settings;
    std::shared_ptr<ErrorLog> errors;
    std::shared_ptr<HostAppServer> server;
};

// Seeds the demo database once per test program; every DemoHost starts from a copy of that file.
QString DemoTemplatePath();
