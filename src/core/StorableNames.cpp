#include "core/StorableNames.h"

namespace {

bool holdsLineBreak(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// The name as a message shows it, on one line: its line breaks as "\r" and "\n".
QString shown(QStringView name)
{
    QString text = name.toString();
    text.replace(u'\r', QStringLiteral("\\r"));
    text.replace(u'\n', QStringLiteral("\\n"));
    return text;
}

} // namespace

QString withoutLineBreaks(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString whyNotAnEntry(QStringView name)
{
    if (holdsLineBreak(name))
        return shown(name) + QStringLiteral(": the name holds a line break, which a playlist or database line "
                                            "cannot hold");
    return {};
}

QStringList admittedEntries(const QStringList& names, QStringList& refusals)
{
    QStringList admitted;
    admitted.reserve(names.size());
    for (const QString& name : names) {
        if (const QString reason = whyNotAnEntry(name); !reason.isEmpty())
            refusals.append(reason);
        else
            admitted.append(name);
    }
    return admitted;
}

QString whyNotARecordFile(QStringView name)
{
    if (const QString reason = whyNotAnEntry(name); !reason.isEmpty())
        return reason;
    if (name.startsWith(u' ') || name.endsWith(u' '))
        return shown(name) + QStringLiteral(": the name begins or ends with a blank, which the database cannot "
                                            "keep apart from the blanks that pad its fields");
    return {};
}
