#include "core/Library.h"

#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

Library::LoadResult Library::load(const QString& path)
{
    const int first = recordCount() + 1;
    QByteArray data;
    const bool readable = readWholeFile(path, data);
    DatabaseContents contents = parseDatabase(data, path);
    bool allFit = contents.withinCapacity;
    table_.reserve(recordCount() + int(contents.records.size()));
    for (LibraryRecord& record : contents.records) {
        if (!table_.append(std::move(record))) {
            allFit = false;
            break;
        }
    }
    emit recordsLoaded(first);
    file_.close();
    if (!readable || !allFit)
        return {};
    file_.open(path, contents.leftOverLines.isEmpty() ? -1 : contents.recordBytes);
    return {true, contents.leftOverLines};
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
