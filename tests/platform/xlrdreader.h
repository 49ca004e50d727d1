#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QtTest>

// Runs read_workbook.py, which reads a workbook with the independent reader xlrd, and hands back what it
// found. The reader must be installed: a test that cannot read the file back fails instead of passing unread.
namespace XlrdReader {

// The first Python interpreter that can import xlrd; empty when there is none.
inline QString interpreter()
{
    static const QString found = [] {
        QStringList candidates = {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")};
        const QString chosen = qEnvironmentVariable("TALLYWICK_PYTHON3");
        if (!chosen.isEmpty())
            candidates.prepend(chosen);
        for (const QString &candidate : candidates) {
            QProcess probe;
            probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
            if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit &&
                probe.exitCode() == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
}

// The description of fileName, or an object with "failure" set when the reader could not read it.
inline QJsonObject read(const QString &fileName)
{
    QProcess reader;
    reader.start(interpreter(), {QStringLiteral(TALLYWICK_READ_WORKBOOK_SCRIPT), fileName});
    if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit ||
        reader.exitCode() != 0)
        return {{QStringLiteral("failure"), QString::fromUtf8(reader.readAllStandardError())}};
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

} // namespace XlrdReader
