#include "core/TextOrder.h"
#include "core/TextCase.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// ASCII, Latin-1, letters whose case mapping changes length or leaves ASCII, the no-break
// space, NUL characters and blanks.
QStringList trickyTexts()
{
    return {QString(), "abc", "ABC", "aBc", QString::fromUtf8("Café"), QString::fromUtf8("CAFÉ"),
            QString::fromUtf8("straße"), QString::fromUtf8("STRASSE"), QString::fromUtf8("ǅemal"),
            QString::fromUtf8("ıi"), QString::fromUtf8("ſam"), "SAM", "sam", QString::fromUtf8("Ω ω"),
            QStringLiteral("a\u00a0b"), QStringLiteral("A\u00a0B"), QString::fromLatin1("a\0", 2), QString::fromLatin1("\0a", 2),
            "a", "a ", "_", "[", "z", "Z", "Title 10 of it", "title 9 of it", "Title 1"};
}

// Qt's own case-insensitive order: what the fast sort must give.
bool qtLessIgnoringCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

class TestTextCase : public QObject
{
    Q_OBJECT

private slots:
    void matchesQtsOwnCaseMapping()
    {
        const QStringList texts = trickyTexts();
        for (const QString& t : texts) {
            QCOMPARE(upperCased(t), t.toUpper());
            QString folded = "x";
            appendCaseFolded(folded, t);
            QCOMPARE(folded, "x" + t.toCaseFolded());
            for (const QString& u : texts)
                QCOMPARE(equalsUpperCased(t, u.toUpper()), t.toUpper() == u.toUpper());
        }
    }

    void upperCaseSetKeepsTheFirstOfEachSpelling()
    {
        const QStringList texts = trickyTexts() + trickyTexts();
        UpperCaseSet set;
        QStringList seenUpper;
        for (const QString& t : texts) {
            const bool isNew = !seenUpper.contains(t.toUpper());
            QCOMPARE(set.insert(t), isNew);
            if (isNew)
                seenUpper.append(t.toUpper());
        }
        // Growing the table keeps what it holds.
        UpperCaseSet big;
        for (int i = 0; i < 3000; ++i)
            QVERIFY(big.insert(QStringLiteral("Artist %1").arg(i)));
        for (int i = 0; i < 3000; ++i)
            QVERIFY(!big.insert(QStringLiteral("ARTIST %1").arg(i)));
    }

    void sortOrderIsTheCaseInsensitiveOne_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("tricky") << trickyTexts() + trickyTexts();
        // Many texts sharing a prefix, differing before and after the eighth character past it.
        QRandomGenerator rng(7);
        const QString alphabet = QStringLiteral("aAbB 0\u00a0");
        QStringList generated;
        for (int i = 0; i < 3000; ++i) {
            QString t = QStringLiteral("Title ");
            const int length = int(rng.bounded(14));
            for (int k = 0; k < length; ++k)
                t += alphabet[int(rng.bounded(alphabet.size()))];
            generated.append(t);
        }
        QTest::newRow("shared prefix") << generated;
        QTest::newRow("one text") << QStringList{"only"};
        QTest::newRow("none") << QStringList{};
    }
    void sortOrderIsTheCaseInsensitiveOne()
    {
        QFETCH(QStringList, texts);
        QStringList expected = texts;
        std::stable_sort(expected.begin(), expected.end(), qtLessIgnoringCase);
        sortIgnoringCase(texts);
        QCOMPARE(texts, expected);
    }
};

QTEST_MAIN(TestTextCase)
#include "tst_text_case.moc"
