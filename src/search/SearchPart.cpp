#include "search/SearchPart.h"

#include "app/Form1.h"
#include "browser/ArtistTitleLists.h"
#include "search/SearchDialog.h"

#include <QAction>

SearchPart::SearchPart(Form1& form) : Form3(new SearchDialog(form)), form_(form)
{
    QObject::connect(form_.Search, &QAction::triggered, &form_, [this] { Search_Click(); });
}

void SearchPart::Search_Click()
{
    Form3->showOverPlayer();
    // No artist selected and every title listed afresh: the first Next starts at the top.
    form_.lists->Command12_Click();
}
