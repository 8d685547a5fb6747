#include "browser/ArtistTitleLists.h"

#include "app/Form1.h"
#include "app/SortedLists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>

namespace {
const QString AllGenres = QStringLiteral("(All genres)");
}

ArtistTitleLists::ArtistTitleLists(Form1& form) : form_(form)
{
    QObject::connect(form_.Combo1, &QComboBox::currentIndexChanged, &form_, [this](int index) {
        if (index >= 0)
            Combo1_Click();
    });
}

void ArtistTitleLists::Combo1_Click()
{
    form_.Text4->setText(form_.Combo1->currentText());
    if (form_.isVisible())
        form_.Text1->setFocus();
    if (form_.inEditMode())
        return;
    emptyList(form_.List1);
    emptyList(form_.List2);

    const QString genre = trimBlanks(form_.Combo1->currentText()).toString();
    const bool allGenres = genre == AllGenres;
    const QString genreKey = genre.toUpper();
    const LibraryTable& table = form_.library;
    QSet<QString> seen;
    QStringList artists;
    for (int i = 1; i <= table.RecordCount(); ++i) {
        const LibraryRecord& record = table.record(i);
        if (!allGenres && trimBlanks(record.Genre).toString().toUpper() != genreKey)
            continue;
        if (const QString key = record.Artist.toUpper(); !seen.contains(key)) {
            seen.insert(key);
            artists.append(table.Artist(i));
        }
    }
    addAllSorted(form_.List1, std::move(artists));
}
