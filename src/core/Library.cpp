#include "core/Library.h"

#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

#include <QStringList>

Library::LoadResult Library::load(const QString& path)
{
    const int first = recordCount() + 1;
    // One record more than fit is read, so a file past the capacity is known as such.
    TextFileRead read = readTextFile(path, qsizetype(LibraryCapacity + 1) * 4);
    file_.close();
    LoadResult result;
    result.problem = read.problem;
    if (read.data.contains('\0')) {
        result.problem = path + QStringLiteral(": holds NUL bytes, so it is not a text database");
        emit recordsLoaded(first);
        return result;
    }
    DatabaseContents contents = parseDatabase(read.data, path);
    bool allFit = contents.withinCapacity;
    table_.reserve(recordCount() + int(contents.records.size()));
    for (LibraryRecord& record : contents.records) {
        if (!table_.append(std::move(record))) {
            allFit = false;
            break;
        }
        ++result.recordsLoaded;
    }
    emit recordsLoaded(first);
    result.stoppedAtCapacity = !allFit;
    if (!read.complete || !allFit)
        return result;
    file_.open(path, contents.leftOverLines.isEmpty() ? -1 : contents.recordBytes);
    result.opened = true;
    result.leftOverLines = contents.leftOverLines;
    return result;
}

void Library::clear()
{
    file_.close();
    needsRewrite_ = false;
    emit aboutToClear();
    table_.clear();
}

void Library::close()
{
    file_.close();
}

bool Library::createEmpty(const QString& path, QString* error)
{
    if (!createEmptyFile(path, error))
        return false;
    file_.open(path, -1);
    needsRewrite_ = false;
    return true;
}

int Library::add(LibraryRecord record)
{
    return table_.append(std::move(record)) ? recordCount() : 0;
}

bool Library::appendToFile(int n, QString* error)
{
    if (file_.append(table_.record(n), error))
        return true;
    needsRewrite_ = true;
    return false;
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
    if (!file_.rewrite(table_, error))
        return false;
    needsRewrite_ = false;
    return true;
}
