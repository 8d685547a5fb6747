#pragma once

class Library;
class MessageBox;
class QString;
class QWidget;

// Writes every record of the library into the open database, atomically. On failure the file on
// disk stays as it was, the user is told why, and false is returned: the library keeps its changes
// pending so that a later attempt can store them. A database another program changed is not
// written: the user is told the changes are not saved, and how to reload it.
bool saveRewrittenDatabase(Library& library, MessageBox& messageBox, QWidget* parent);

// Before changes the file does not have yet would be lost (the window closes, another database is
// opened or created), asks whether to save them, discard them, or cancel. True when the caller
// may go on: nothing was pending, the changes were saved, or the user discarded them.
bool settlePendingChanges(Library& library, MessageBox& messageBox, QWidget* parent);

// The text telling that the database at path was changed by another program, so that what is
// named by notSaved ("The record was not added to it") is not saved, and how to reload it.
QString changedElsewhereMessage(const QString& path, const QString& notSaved);
