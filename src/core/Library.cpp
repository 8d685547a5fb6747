#include "core/Library.h"

#include "core/DatabaseFormat.h"
#include "core/FileWriting.h"
#include "core/TextLines.h"

#include <QFileInfo>
#include <QStringList>

Library::LoadResult Library::load(const QString& path)
{
    const int first = recordCount() + 1;
    // One record more than fit is read, so a file past the capacity is known as such.
    TextFileRead read = readTextFile(path, qsizetype(LibraryCapacity + 1) * 4);
    closeFile();
    browseOnlyReason_.clear();
    LoadResult result;
    result.problem = read.problem;
    DatabaseContents contents = parseDatabase(read.data, path);
    // The records hold what they need of the bytes read.
    read.data = QByteArray();
    if (contents.damagedFromLine > 0) {
        result.damagedFromLine = contents.damagedFromLine;
        result.problem = path + QStringLiteral(": line %1 holds NUL bytes, so the file is damaged from there on")
                                    .arg(contents.damagedFromLine);
    }
    const size_t parsed = contents.records.size();
    result.recordsLoaded = table_.appendAll(std::move(contents.records));
    const bool allFit = contents.withinCapacity && size_t(result.recordsLoaded) == parsed;
    emit recordsLoaded(first);
    result.stoppedAtCapacity = !allFit;
    if (!read.complete || !allFit || result.damagedFromLine > 0) {
        if (result.recordsLoaded > 0)
            browseOnlyReason_ = allFit ? result.problem
                                       : path + QStringLiteral(": it holds more records than the library takes");
        return result;
    }
    removeStaleTemporaryFiles(QFileInfo(QFileInfo(path).canonicalFilePath()).absolutePath());
    file_.open(path, read.stamp, contents.style, contents.leftOverLines.isEmpty() ? -1 : contents.recordBytes);
    emit openChanged();
    result.opened = true;
    result.leftOverLines = contents.leftOverLines;
    return result;
}

void Library::clear()
{
    closeFile();
    browseOnlyReason_.clear();
    needsRewrite_ = false;
    emit aboutToClear();
    table_.clear();
}

void Library::close()
{
    closeFile();
}

void Library::closeFile()
{
    const bool wasOpen = file_.isOpen();
    file_.close();
    if (wasOpen)
        emit openChanged();
}

bool Library::createEmpty(const QString& path, QString* error)
{
    FileStamp stamp;
    if (!createEmptyFile(path, error, &stamp))
        return false;
    file_.open(path, stamp);
    needsRewrite_ = false;
    browseOnlyReason_.clear();
    emit openChanged();
    return true;
}

int Library::add(LibraryRecord record)
{
    return table_.append(std::move(record)) ? recordCount() : 0;
}

bool Library::appendToFile(int n, QString* error)
{
    if (!file_.isOpen() && !browseOnlyReason_.isEmpty()) {
        needsRewrite_ = true;
        if (error)
            *error = browseOnlyReason_;
        return false;
    }
    if (file_.append(table_.record(n), error))
        return true;
    needsRewrite_ = true;
    return false;
}

int Library::appendRecords(std::vector<LibraryRecord> records, QString* error)
{
    if (!file_.isOpen()) {
        if (error)
            *error = browseOnlyReason_.isEmpty() ? QStringLiteral("No database is open.") : browseOnlyReason_;
        return 0;
    }
    if (records.size() > size_t(LibraryCapacity - recordCount())) {
        if (error)
            *error = QStringLiteral("The database has room for %1 more records.").arg(LibraryCapacity - recordCount());
        return 0;
    }
    if (records.empty() || !file_.append(records, error))
        return 0;
    const int first = recordCount() + 1;
    table_.reserve(recordCount() + int(records.size()));
    for (LibraryRecord& record : records)
        table_.append(std::move(record));
    return first;
}

void Library::remove(int n)
{
    emit aboutToRemoveRecords({n});
    table_.remove(n);
    needsRewrite_ = true;
}

void Library::removeAll(const QList<int>& numbers)
{
    emit aboutToRemoveRecords(numbers);
    table_.removeAll(numbers);
    needsRewrite_ = true;
}

bool Library::rewrite(QString* error)
{
    if (!file_.isOpen() && !browseOnlyReason_.isEmpty()) {
        if (error)
            *error = browseOnlyReason_;
        return false;
    }
    if (!file_.rewrite(table_, error))
        return false;
    needsRewrite_ = false;
    return true;
}
