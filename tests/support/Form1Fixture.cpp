#include "Form1Fixture.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>

Form1Fixture::Form1Fixture()
{
    form = std::make_unique<Form1>(Platform{&player, &fileDialog, &messageBox, &shell});
}

Form1& Form1Fixture::start(const QString& commandLine)
{
    form->Form_Load(commandLine, QSize(1024, 768));
    return *form;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString Form1Fixture::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString Form1Fixture::writeDatabase(const QString& name, const QList<QStringList>& records) const
{
    QByteArray bytes;
    for (const QStringList& r : records)
        for (const QString& field : r)
            bytes += field.toUtf8() + "\r\n";
    return writeFile(name, bytes);
}

QStringList Form1Fixture::texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

QStringList Form1Fixture::texts(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}
