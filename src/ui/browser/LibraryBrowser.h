#pragma once

#include "core/LibraryListModel.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringView>

class Library;
class MainWindow;
class QLineEdit;
class WindowMode;

// The genre filter and the artist and title lists: choosing a genre lists its artists, choosing
// an artist lists its titles and puts the artist into the artist field, choosing a title puts it
// into the title field. Each title entry carries its record's number, hidden.
//
// Selecting an entry from code runs the list's handling at once, nested inside the caller, as a
// click does. Who made the selection (the user, the type-ahead of a field, the program) decides
// which steps the nested handling leaves out; the select... methods below say who it is.
class LibraryBrowser : public QObject
{
    Q_OBJECT
public:
    LibraryBrowser(MainWindow& window, const Library& library, const WindowMode& mode);

    // "Show all": no artist chosen, and every title, or every title of the chosen genre.
    void showAllTitles();

    // Select a row of the artist or title list, or "(All genres)" in the genre filter, as a click
    // does; the handling runs also when that entry is already the selected one.
    void selectArtistRow(int row);
    void selectTitleRow(int row);
    void selectAllGenres();
    // The same, for the type-ahead of the artist and title fields: the field keeps what was typed.
    void selectArtistByTyping(int row);
    void selectTitleByTyping(int row);
    // Selects a title row to show its record: the chosen artist stays chosen, and while records
    // are edited the choice does not count as one to remove.
    void selectTitleToShowRecord(int row);
    // Selects the artist list's entry of artist (trimmed, exact), as a click does.
    void selectArtist(QStringView artist);

    // Lists the records first..recordCount of a database just loaded: new artists and genres
    // (distinct ignoring case, the listed ones counting as met; the first spelling wins) and
    // every title.
    void listRecordsFrom(int first);
    // Lists the records first..recordCount, added together (an import): their new artists and
    // genres as a load lists them; then the lists show the whole library as after a load: every
    // artist, with "(All genres)" chosen, and every title. While records are edited no genre is
    // chosen, and the titles are every title.
    void listAppendedRecords(int first);
    // Empties the lists; the genre filter holds "(All genres)", chosen.
    void resetLists();
    // While records are edited, "(All genres)" is left out of the genre filter and no genre is
    // chosen; afterwards it comes back.
    void leaveOutAllGenres();
    void bringBackAllGenres();
    // Lists record n, just added: its artist and genre unless listed (trimmed, exact), its title.
    void listAddedRecord(int n);
    // Takes the artist's entry out when no record has that artist (as stored) any more.
    void forgetArtistIfUnused(const QString& artist);
    // Takes a title row out; when it was the chosen one, no title is chosen afterwards.
    void removeTitleRow(int row);
    // Title entries follow records that are about to be removed: an entry of a removed record
    // goes (a selected one leaves no selection), one of a later record takes its new number. The
    // list's selection handling does not run.
    void followRecordRemoval(const QList<int>& numbers);

    // Whether the artist or title field is being given the text of the row just chosen: the
    // field's type-ahead then leaves that row chosen.
    bool isShowingChosenRowInField() const { return showingChosenRowInField_; }

    // The records a drag from the lists carries: every record of the chosen artist (trimmed,
    // ignoring case), or the chosen title's record (0 when none).
    QList<int> recordsOfChosenArtist() const;
    int recordOfChosenTitle() const;
    // The record title row `row` names.
    int recordOfTitleRow(int row) const { return titles_.recordAt(row); }

signals:
    // While records are edited, the user chose an artist or a title: there is something to remove.
    void removableChosen();

private:
    // Lists the new artists and genres of records first..recordCount, and their titles when
    // withTitles.
    void listNewRecords(int first, bool withTitles);
    // The genre filter's choice changed: list the artists that have records of that genre.
    void genreChosen();
    // The artist selection changed: put the artist into the artist field and list its titles.
    void artistChosen();
    // The title selection changed: put the title into the title field.
    void titleChosen();
    // While no database is open, the empty artist list says how to open or make one.
    void showOpeningHint();
    // Puts the chosen row's text into the artist or title field.
    void showChosenRowInField(QLineEdit* field, const QString& text);
    // The records of the genre filter's text: every record for "(All genres)", or those whose
    // genre matches it trimmed and ignoring case.
    QList<int> recordsOfChosenGenre(bool everyRecord) const;

    MainWindow& window_;
    const Library& library_;
    const WindowMode& mode_;
    // What the artist and title lists show.
    LibraryListModel artists_;
    LibraryListModel titles_;

    // Who is selecting: the nested handling reads these.
    bool artistSetByTyping_ = false;
    bool titleSetByTyping_ = false;
    bool titleSetByProgram_ = false;
    bool artistClearedByTitle_ = false;
    bool showingChosenRowInField_ = false;
};
