#include "core/MediaAddress.h"

#include <QByteArray>

namespace {

constexpr QStringView SchemeEnd = u"://";

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The scheme of a text the player takes for a stream, in lower case; empty for a file.
QString streamScheme(QStringView address)
{
    const qsizetype end = address.indexOf(SchemeEnd);
    if (end < 1 || !isAsciiLetter(address.at(0)))
        return {};
    for (QChar c : address.first(end)) {
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return {};
    }
    return address.first(end).toString().toLower();
}

const QStringList NetworkSchemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                    QStringLiteral("mms"),  QStringLiteral("mmsh"),  QStringLiteral("rtsp"),
                                    QStringLiteral("rtmp")};

bool isNetworkScheme(const QString& scheme)
{
    return NetworkSchemes.contains(scheme);
}

QString absolutePath(const QString& path, const QString& baseDir)
{
    if (path.startsWith(u'/'))
        return path;
    return (baseDir.endsWith(u'/') ? baseDir : baseDir + u'/') + path;
}

} // namespace

QStringList playedSchemes()
{
    return QStringList{QStringLiteral("file")} + NetworkSchemes;
}

AddressKind addressKind(QStringView address)
{
    const QString scheme = streamScheme(address);
    if (scheme.isEmpty())
        return AddressKind::LocalFile;
    if (scheme == u"file")
        return AddressKind::FileUrl;
    return isNetworkScheme(scheme) ? AddressKind::NetworkStream : AddressKind::Refused;
}

QString playerAddress(QStringView address, const QString& baseDir)
{
    if (address.isEmpty())
        return {};
    switch (addressKind(address)) {
    case AddressKind::LocalFile:
        return absolutePath(address.toString(), baseDir);
    case AddressKind::FileUrl: {
        // The player reads the rest of a file:// URL as a percent-encoded path.
        const QByteArray encoded = address.sliced(address.indexOf(SchemeEnd) + SchemeEnd.size()).toUtf8();
        const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(encoded));
        return path.isEmpty() ? QString() : absolutePath(path, baseDir);
    }
    case AddressKind::NetworkStream:
        return address.toString();
    case AddressKind::Refused:
        break;
    }
    return {};
}

bool namesNoMedia(QStringView entry)
{
    return entry.trimmed().isEmpty() || entry.startsWith(u'#');
}
