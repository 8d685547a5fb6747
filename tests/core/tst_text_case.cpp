#include "core/TextCase.h"

#include <QTest>

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
};

QTEST_MAIN(TestTextCase)
#include "tst_text_case.moc"
