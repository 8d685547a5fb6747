#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What a record or a playlist entry may hold. The database and playlist files give each value one
// line, so a line break inside one would tear it in two; the library table pads its fields with
// blanks, so a file name that begins or ends with a blank cannot be told from its padding.

// The text of an artist, title or genre field: each CR and LF (a pasted line break) becomes a
// blank.
QString withoutLineBreaks(QString text);

// Why the file or URL name cannot enter the playlist ("<name>: <reason>"); empty when it can.
QString whyNotAnEntry(QStringView name);
// The names that may enter the playlist, in their order; why each other one may not is added to
// refusals.
QStringList admittedEntries(const QStringList& names, QStringList& refusals);

// Why the file or URL name cannot be the file of a record ("<name>: <reason>"); empty when it
// can. It may still be played from the playlist.
QString whyNotARecordFile(QStringView name);
