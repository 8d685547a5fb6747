#pragma once

class Form1;
class SearchDialog;

// Search > Search (F3): opens the search dialog over the player and lists every title.
class SearchPart
{
public:
    explicit SearchPart(Form1& form);

    void Search_Click();

    SearchDialog* Form3; // owned by the main window as its child

private:
    Form1& form_;
};
