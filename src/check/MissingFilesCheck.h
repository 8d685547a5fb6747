#pragma once

#include <QStringList>

class Form1;

// Database > Check: lists the records whose file is missing or empty in the check panel,
// removes them on request, and writes the database anew when the panel is closed.
class MissingFilesCheck
{
public:
    explicit MissingFilesCheck(Form1& form);

    // Shows the panel and scans the records from the last to the first.
    void DatabaseCheck_Click();
    // Remove all: removes every listed record from the table (the file waits for Done).
    void Command14_Click();
    // Done: hides the panel; after removals rebuilds the lists and rewrites the database.
    void Command13_Click();

    // Records were removed and are not yet written.
    bool CheckRemoved = false;

private:
    void showPanel();
    void scan();
    // Shows the count-down at record i and the entries found so far.
    void showProgress(int i);
    // Items that would change the table under the listed record numbers are off while the
    // panel is shown.
    void enableTableMenus(bool enabled);
    void rebuildLists();

    Form1& form_;
    QStringList foundFiles_;   // found since the last repaint, not yet in List5
    QStringList foundNumbers_; // their record numbers, not yet in List6
};
