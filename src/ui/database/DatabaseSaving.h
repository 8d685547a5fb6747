#pragma once

class Library;
class MessageBox;
class QWidget;

// Writes every record of the library into the open database, atomically. On failure the file on disk stays as it was, the user is told why, and false is
// returned: the library keeps its changes pending so that a later attempt can store them.
bool saveRewrittenDatabase(Library& library, MessageBox& messageBox, QWidget* parent);
