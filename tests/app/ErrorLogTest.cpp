#include "app/ErrorLog.h"
#include "support/ScriptedMessages.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Lines(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(ErrorLogTest, EachReportIsOneLogLineAndOneMessage) {
    QTemporaryDir folder;
    const QString path = folder.filePath("errors.log");
    ErrorLog log(path, "clerk");
    ScriptedMessages messages;
    messages.expect().expect();
    log.ReportError(94, "ZevStore.Store (1.0.0) LoadStores", "Invalid use of Null");
    log.ReportError(-2147217900, "ZevStore.CStore (1.0.0) Update", "line one\nline\ttwo");

    const QStringList lines = Lines(path);
    ASSERT_EQ(lines.size(), 2);
    const QStringList first = lines[0].split('\t');
    ASSERT_EQ(first.size(), 5);
    EXPECT_TRUE(QDateTime::fromString(first[0], "yyyy-MM-dd HH:mm:ss").isValid()) << first[0].toStdString();
    EXPECT_EQ(first.mid(1),
              (QStringList{"clerk", "94", "ZevStore.Store (1.0.0) LoadStores", "Invalid use of Null"}));
    // Line breaks and tabs of a description do not split the line.
    EXPECT_TRUE(lines[1].endsWith("\t-2147217900\tZevStore.CStore (1.0.0) Update\tline one line two"));

    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "Invalid use of Null\n\nError 94 in ZevStore.Store (1.0.0) LoadStores");
    EXPECT_EQ(messages.shown()[0].buttons, 16);
    EXPECT_EQ(messages.shown()[0].title, "");
}

TEST(ErrorLogTest, ALogThatCannotBeWrittenStillShowsTheFailureAndSaysSo) {
    QTemporaryDir folder;
    ErrorLog log(folder.path(), "clerk"); // a folder is no file to write to
    ScriptedMessages messages;
    messages.expect();
    log.ReportError(5, "ZevStore.Store (1.0.0) ApplicationServer", "Invalid procedure call or argument");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.startsWith("Invalid procedure call or argument\n\nError 5 in "));
    EXPECT_TRUE(messages.shown()[0].prompt.contains("could not be written"));
}

} // namespace
