#include "app/ErrorLog.h"

#include "widgets/MsgBox.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

namespace {

// One field of a log line: tabs and line breaks would split the line.
QString Field(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

ErrorLog::ErrorLog(QString logPath, QString user) : m_path(std::move(logPath)), m_user(std::move(user)) {}

void ErrorLog::ReportError(int32_t number, const QString& source, const QString& description, int16_t,
                           const Variant&, const Variant&, const Variant&, const std::shared_ptr<Object>&,
                           const QString&) {
    QString prompt = QStringLiteral("%1\n\nError %2 in %3").arg(description).arg(number).arg(source);
    if (!Append(number, source, description))
        prompt += QStringLiteral("\n\nThe error log %1 could not be written.").arg(m_path);
    MsgBox(prompt, MsgBoxStyle::Critical);
}

bool ErrorLog::Append(int32_t number, const QString& source, const QString& description) const {
    QFile file(m_path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\t'
        << Field(m_user) << '\t' << number << '\t' << Field(source) << '\t' << Field(description) << '\n';
    out.flush();
    return file.error() == QFileDevice::NoError;
}
