#include "core/DatabaseFile.h"

#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

#include <QSaveFile>

bool DatabaseFile::openForAppend(const QString& path)
{
    close();
    appendFile_.setFileName(path);
    // Unbuffered: a record goes to the file in one write, and a failed one leaves nothing queued.
    if (!appendFile_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
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
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("No database is open.");
        return false;
    }
    const qint64 sizeBefore = appendFile_.size();
    const QByteArray lines = sizeBefore == 0 ? atFileStart(formatRecord(record)) : formatRecord(record);
    if (appendFile_.write(lines) == lines.size() && appendFile_.flush())
        return true;
    if (error)
        *error = appendFile_.errorString();
    // A short write (a full disk) must not leave part of a record behind.
    if (appendFile_.size() > sizeBefore)
        appendFile_.resize(sizeBefore);
    return false;
}

bool DatabaseFile::rewrite(const LibraryTable& table, QString* error)
{
    const QString path = path_;
    QByteArray data;
    for (int n = 1; n <= table.recordCount(); ++n)
        data.append(formatRecord(table.record(n)));
    data = atFileStart(std::move(data));

    QSaveFile file(path);
    // commit() does not notice a failure to write out its buffer (a full disk) and would put
    // the cut file in place: flush first and check.
    const bool ok = !path.isEmpty() && file.open(QIODevice::WriteOnly)
                    && file.write(data) == data.size() && file.flush() && file.commit();
    if (!ok && error)
        *error = path.isEmpty() ? QStringLiteral("No database is open.") : file.errorString();
    // The append handle pointed at the replaced file: reopen it on whatever file now holds the path.
    if (ok)
        openForAppend(path);
    return ok;
}
