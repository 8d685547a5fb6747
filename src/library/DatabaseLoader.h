#pragma once

#include <QString>

class Form1;

// The file dialog's filter for database files (Open Database, Database > New).
inline const QString DatabaseFilter = QStringLiteral("Vexolin Database|*.vxdatabase");

// Loads a database file into the library table and the artist, title and genre lists, and
// keeps it open for appending.
class DatabaseLoader
{
public:
    explicit DatabaseLoader(Form1& form);

    // Reads the database at path into the (empty) table and lists. On success the database is
    // open for appending; on any failure none is open, and the complete records read stay.
    bool LoadDatabase(const QString& path);
    // The start-up load of the database named on the command line, behind the wait notice.
    void loadAtStartUp(const QString& path);
    // File > Open Database.
    void OpenDatabase_Click();

private:
    Form1& form_;
};
