#include "ui/seams/QtSeams.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

QString FileDialog::fileTitle() const
{
    return QFileInfo(fileName_).fileName();
}

namespace {
// "*.mp3" as "*.[mM][pP]3": the user's files match whatever the case of their names.
QString anyCase(const QString& pattern)
{
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + QString(c.toLower()) + c.toUpper() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}
} // namespace

QString qtFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QChar('|'));
    if (bar < 0)
        return filter;
    QStringList patterns = filter.mid(bar + 1).split(QChar(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) {
        p = p.trimmed();
        // "*.*" means every file; here it would leave out the names without a dot.
        p = p == QLatin1String("*.*") ? QStringLiteral("*") : anyCase(p);
    }
    return filter.left(bar) + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
}

QString QtFileDialog::ask(QWidget* parent, Mode mode, const Request& request, const QString& offeredFile)
{
    const QString filterText = qtFilter(request.filter);
    if (mode == Mode::Open)
        return QFileDialog::getOpenFileName(parent, request.title, offeredFile, filterText);
    return QFileDialog::getSaveFileName(parent, request.title, offeredFile, filterText);
}

void QtMessageBox::show(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool DesktopShell::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
