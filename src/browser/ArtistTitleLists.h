#pragma once

class Form1;

// The genre filter and the artist and title lists.
class ArtistTitleLists
{
public:
    explicit ArtistTitleLists(Form1& form);

    // The selected genre changed: list the artists that have records of that genre.
    void Combo1_Click();

private:
    Form1& form_;
};
