#include "DatabaseFile.h"

#include "DatabaseFormat.h"

#include <QSaveFile>

bool DatabaseFile::openForAppend(const QString& path)
{
    close();
    appendFile_.setFileName(path);
    if (!appendFile_.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    path_ = path;
    return true;
}

void DatabaseFile::close()
{
    if (appendFile_.isOpen()) {
        appendFile_.flush();
        appendFile_.close();
    }
    path_.clear();
}

bool DatabaseFile::append(const LibraryRecord& record, QString* error)
{
    const QByteArray lines = formatRecord(record);
    if (!isOpen() || appendFile_.write(lines) != lines.size() || !appendFile_.flush()) {
        if (error)
            *error = isOpen() ? appendFile_.errorString() : QStringLiteral("No database is open.");
        return false;
    }
    return true;
}

bool DatabaseFile::rewrite(const LibraryTable& table, QString* error)
{
    const QString path = path_;
    QByteArray data;
    for (int n = 1; n <= table.RecordCount(); ++n)
        data.append(formatRecord(table.record(n)));

    QSaveFile file(path);
    const bool ok = !path.isEmpty() && file.open(QIODevice::WriteOnly)
                    && file.write(data) == data.size() && file.commit();
    if (!ok && error)
        *error = path.isEmpty() ? QStringLiteral("No database is open.") : file.errorString();
    // The append handle pointed at the replaced file: reopen it on whatever file now holds the path.
    if (ok)
        openForAppend(path);
    return ok;
}
