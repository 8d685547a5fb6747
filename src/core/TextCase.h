#pragma once

#include <QString>
#include <QStringView>
#include <memory>

// Letter case for comparisons that ignore it. Library texts are mostly ASCII: these take a
// quick path for ASCII text and give exactly QString's own results for any other text.

// text.toUpper()
QString upperCased(QStringView text);
// Whether text, upper-cased, equals upperText (already upper-cased).
bool equalsUpperCased(QStringView text, QStringView upperText);

// A set of texts that are equal when their upper-cased forms are.
class UpperCaseSet
{
public:
    // expected: about how many distinct texts will go in; the set starts large enough for them.
    explicit UpperCaseSet(qsizetype expected = 0);
    ~UpperCaseSet();
    // Adds text; false when an equal text is already in.
    bool insert(QStringView text);

private:
    struct Data;
    std::unique_ptr<Data> d;
};
