#include "ui/seams/QtSeams.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

QString FileDialog::fileTitle() const
{
    return QFileInfo(fileName_).fileName();
}

QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QChar('|'));
    if (parts.size() < 2)
        return filter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            // "*.*" means every file; here it would leave out the names without a dot.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtFileDialog::ask(QWidget* parent, Mode mode, const Request& request, const QString& offeredFile)
{
    const QString filterText = qtFilter(request.filter);
    // Qt's own dialog matches a filter's patterns in any letter case, so "Demo.VxDatabase" shows
    // under "*.vxdatabase"; a desktop's native dialog may not (GTK's matches the case exactly).
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if (mode == Mode::Open)
        return QFileDialog::getOpenFileName(parent, request.title, offeredFile, filterText, nullptr, options);
    // The dialog adds the suffix to a name without a dot before it looks for a file of that name,
    // so the question before replacing one is asked of the name that will be written.
    QFileDialog dialog(parent, request.title, offeredFile, filterText);
    dialog.setOptions(options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

QStringList QtFileDialog::askSeveral(QWidget* parent, const Request& request, const QString& offeredFile)
{
    return QFileDialog::getOpenFileNames(parent, request.title, offeredFile, qtFilter(request.filter), nullptr,
                                         QFileDialog::DontUseNativeDialog);
}

QString QtFileDialog::askFolder(QWidget* parent, const QString& title)
{
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, title, lastFolder_, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!chosen.isEmpty())
        lastFolder_ = chosen;
    return chosen;
}

void QtMessageBox::show(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageBox::Answer QtMessageBox::askToSave(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}

bool QtMessageBox::askYesOrNo(QWidget* parent, const QString& text, const QString& title, const QString& yes,
                              const QString& no)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(noButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

bool DesktopShell::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
