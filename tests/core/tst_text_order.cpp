// The order of the sorted lists: what the user reads, case and accents aside, whatever the
// locale; the hidden record code never takes part; equal entries keep the order they came in.
#include "core/LibraryTable.h"
#include "core/RecordCode.h"
#include "core/TextOrder.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

namespace {

QString coded(const char* title, int record)
{
    return codedEntry(QString::fromUtf8(title), record);
}

QStringList utf8(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out.append(QString::fromUtf8(t));
    return out;
}

// Files the texts one by one, as single additions to a list do.
QStringList filedOneByOne(const QStringList& texts)
{
    QStringList list;
    for (const QString& t : texts)
        list.insert(sortedInsertRow(int(list.size()), t, [&](int row) { return list[row]; }), t);
    return list;
}

// The order by definition: one key per text, compared as plain texts, ties in their given order.
QStringList sortedByKey(QStringList texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return listOrderKey(a) < listOrderKey(b); });
    return texts;
}

} // namespace

class TestTextOrder : public QObject
{
    Q_OBJECT

private slots:
    void keyIsWhatShowsWithoutCaseOrAccents_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key");
        QTest::newRow("ASCII") << "Love Me Do" << "love me do";
        QTest::newRow("title entry: the code takes no part") << coded("Love", 25000) << "love";
        QTest::newRow("empty title entry") << coded("", 1) << "";
        QTest::newRow("title holding a no-break space: all of it shows")
            << codedEntry(QStringLiteral("A\u00a0B"), 7) << "a b";
        QTest::newRow("no code: a text ending in a no-break space") << QStringLiteral("Abc\u00a0") << "abc ";
        QTest::newRow("acute") << QString::fromUtf8("Émile Simon") << "emile simon";
        QTest::newRow("diaeresis") << QString::fromUtf8("Ölafur Ähnlich") << "olafur ahnlich";
        QTest::newRow("cedilla, tilde, ring") << QString::fromUtf8("Ça Ñu Å") << QString::fromUtf8("ca nu a");
        QTest::newRow("already decomposed") << QString::fromUtf8("E\u0301lectro") << "electro";
        QTest::newRow("sharp s, small and capital") << QString::fromUtf8("Straße STRAẞE") << "strasse strasse";
        QTest::newRow("dotted capital I") << QString::fromUtf8("İstanbul") << "istanbul";
        QTest::newRow("ligature and title-case digraph") << QString::fromUtf8("ﬁn ǅemal") << "fin dzemal";
        QTest::newRow("full-width") << QString::fromUtf8("ＡＢＣ") << "abc";
        QTest::newRow("Greek with tonos") << QString::fromUtf8("Ώρα") << QString::fromUtf8("ωρα");
        QTest::newRow("a letter of its own stays") << QString::fromUtf8("Øre Æ") << QString::fromUtf8("øre æ");
        QTest::newRow("beyond the first 65536") << QString::fromUtf8("\U0001D400\U0001D11E") << QString::fromUtf8("a\U0001D11E");
    }
    void keyIsWhatShowsWithoutCaseOrAccents()
    {
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QCOMPARE(listOrderKey(entry), key);
        QString buffer = "x";
        appendListOrderKey(buffer, entry);
        QCOMPARE(buffer, "x" + key);
    }

    void listOrder_data()
    {
        QTest::addColumn<QStringList>("added");    // in the order they are added
        QTest::addColumn<QStringList>("expected"); // the list's order

        const QString love = coded("Love", 7), loveCats = coded("Love Cats", 3), loveMeDo = coded("Love Me Do", 4),
                      lovely = coded("Lovely", 6), lovesong = coded("Lovesong", 5);
        QTest::newRow("a title before the longer ones it begins")
            << QStringList{lovesong, loveCats, love, lovely, loveMeDo}
            << QStringList{love, loveCats, loveMeDo, lovely, lovesong};
        QTest::newRow("Help before Help!") << QStringList{coded("Help!", 8), coded("Help", 9)}
                                            << QStringList{coded("Help", 9), coded("Help!", 8)};
        QTest::newRow("the empty title first") << QStringList{coded("Abba", 2), coded("", 12), coded("A", 1)}
                                               << QStringList{coded("", 12), coded("A", 1), coded("Abba", 2)};
        QTest::newRow("same title: records as added, whatever their codes")
            << QStringList{coded("Waterloo", 11), coded("Waterloo", 1), coded("waterloo", 10)}
            << QStringList{coded("Waterloo", 11), coded("Waterloo", 1), coded("waterloo", 10)};
        QTest::newRow("accented artists with their letters")
            << utf8({"Zappa", "Émile Simon", "Ölafur", "Ähnlich", "Eno", "Oasis", "abba", "Ebba"})
            << utf8({"abba", "Ähnlich", "Ebba", "Émile Simon", "Eno", "Oasis", "Ölafur", "Zappa"});
        QTest::newRow("genres") << utf8({"Zouk", "Électro", "(All genres)", "rock", "Eurobeat"})
                                << utf8({"(All genres)", "Électro", "Eurobeat", "rock", "Zouk"});
        QTest::newRow("case and accents aside, equal ones as added")
            << utf8({"émile", "EMILE", "Emile", "Émile"}) << utf8({"émile", "EMILE", "Emile", "Émile"});
        QTest::newRow("padded artists") << QStringList{"Zed" + QString(37, ' '), "Zed Zed" + QString(33, ' '), "ABBA" + QString(36, ' ')}
                                        << QStringList{"ABBA" + QString(36, ' '), "Zed" + QString(37, ' '), "Zed Zed" + QString(33, ' ')};
    }
    void listOrder()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        // Neither the program's locale nor the system's takes part: Swedish files Ö and Ä after
        // Z, Turkish has its own i, German its own ß.
        const QLocale before;
        for (const char* name : {"C", "sv_SE", "tr_TR", "de_DE"}) {
            QLocale::setDefault(QLocale(QString::fromLatin1(name)));
            QStringList bulk = added;
            sortInListOrder(bulk);
            QCOMPARE(bulk, expected);
            QCOMPARE(filedOneByOne(added), expected);
        }
        QLocale::setDefault(before);
    }

    void sortIsTheOrderOfTheKeys_data()
    {
        QTest::addColumn<QStringList>("texts");
        // Case mappings that change length or leave ASCII, marks, characters beyond the first
        // 65536 and in the private-use range (their UTF-16 order differs from their code order),
        // the no-break space, NUL characters, blanks, and title entries.
        QStringList tricky = utf8({"", "abc", "ABC", "aBc", "Café", "CAFÉ", "cafe", "straße", "STRASSE", "ǅemal",
                                   "ıi", "ſam", "SAM", "sam", "Ω ω", "a\u00a0b", "A\u00a0B", "a", "a ", "_", "[",
                                   "z", "Z", "\U0001D11E", "\uE000", "\uFFFD", "Title 10 of it", "title 9 of it"});
        tricky += {QString::fromLatin1("a\0", 2), QString::fromLatin1("\0a", 2), coded("Love", 3), coded("love", 1),
                   coded("Love Cats", 2), coded("", 4)};
        QTest::newRow("tricky") << tricky + tricky;
        // Many texts sharing a prefix, differing before and after the eighth character past it.
        QRandomGenerator rng(7);
        const QString alphabet = QString::fromUtf8("aAbBéÉ 0\u00a0");
        QStringList generated;
        for (int i = 0; i < 3000; ++i) {
            QString t = QStringLiteral("Title ");
            const int length = int(rng.bounded(14));
            for (int k = 0; k < length; ++k)
                t += alphabet[int(rng.bounded(alphabet.size()))];
            generated.append(i % 3 == 0 ? codedEntry(t, i) : t);
        }
        QTest::newRow("shared prefix") << generated;
        // The same, in ASCII alone: the packed characters sort two at a time.
        const QString ascii = QStringLiteral("aAbB 0~\x01");
        QStringList asciiOnly;
        for (int i = 0; i < 3000; ++i) {
            QString t = QStringLiteral("Title ");
            const int length = int(rng.bounded(14));
            for (int k = 0; k < length; ++k)
                t += ascii[int(rng.bounded(ascii.size()))];
            asciiOnly.append(i % 3 == 0 ? codedEntry(t, i) : t);
        }
        QTest::newRow("shared prefix, ASCII") << asciiOnly;
        QTest::newRow("one text") << QStringList{"only"};
        QTest::newRow("none") << QStringList{};
    }
    void sortIsTheOrderOfTheKeys()
    {
        QFETCH(QStringList, texts);
        const QStringList expected = sortedByKey(texts);
        QStringList sorted = texts;
        sortInListOrder(sorted);
        QCOMPARE(sorted, expected);
        QCOMPARE(filedOneByOne(texts), expected);
    }

    // A padded entry orders exactly as its padded text: each one goes between two copies of that
    // text, and stays there only when its key is the text's key.
    void paddedEntriesOrderAsTheirPaddedTexts()
    {
        const int width = 20;
        QStringList texts = utf8({"", "abc", "ABC", "abc ", "Café", "cafe", "straße", "STRASSE", "ǅemal", "ﬁn",
                                  "E\u0301", "Ώρα", "a\u00a0b", "\U0001D400x", "exactly twenty chars", "longer than twenty chars"});
        texts += {QString::fromLatin1("a\0", 2), QString(QChar(0xD800)), QStringLiteral("x") + QChar(0xD800),
                  codedEntry(QString(), 3), codedEntry(QStringLiteral("Lo"), 3)};
        ListOrdering mixed, plain;
        for (const QString& t : texts) {
            const QString shown = fixedWidth(t, width);
            mixed.add(shown);
            mixed.addPadded(t, width);
            mixed.add(shown);
            for (int copy = 0; copy < 3; ++copy)
                plain.add(shown);
        }
        const std::vector<int> mixedOrder = mixed.order(), plainOrder = plain.order();
        QCOMPARE(QList<int>(mixedOrder.begin(), mixedOrder.end()), QList<int>(plainOrder.begin(), plainOrder.end()));
    }
};

QTEST_MAIN(TestTextOrder)
#include "tst_text_order.moc"
