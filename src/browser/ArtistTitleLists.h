#pragma once

#include <QString>
#include <memory>

class Form1;
class LibraryDrag;

// The genre filter's entry that stands for every genre.
inline const QString AllGenres = QStringLiteral("(All genres)");

// The genre filter and the artist and title lists. Selecting an entry from code runs the list's
// handler at once, nested inside the caller; the browser flags of Form1 tell the nested handler
// which of its steps to leave out.
class ArtistTitleLists
{
public:
    explicit ArtistTitleLists(Form1& form);
    ~ArtistTitleLists();

    // The selected genre changed: list the artists that have records of that genre.
    void Combo1_Click();
    // "Show all": every title, or every title of the chosen genre.
    void Command12_Click();
    // The artist selection changed: put the artist into the artist field and list its titles.
    void List1_Click();
    // The title selection changed: put the title into the title field.
    void List2_Click();

    // Select a row of the artist or title list, or "(All genres)" in the genre filter, as a click
    // does; the handling runs also when that entry is already the selected one.
    void selectArtistRow(int row);
    void selectTitleRow(int row);
    void selectAllGenres();

    // Drags from the artist and title lists and the drag icons over the window.
    std::unique_ptr<LibraryDrag> drag;

private:
    Form1& form_;
};
