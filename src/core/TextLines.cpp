#include "core/TextLines.h"

#include "core/FileWriting.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

} // namespace

QList<QByteArrayView> splitLines(QByteArrayView data)
{
    if (data.startsWith(Utf8Bom))
        data = data.sliced(Utf8Bom.size());
    QList<QByteArrayView> lines;
    lines.reserve(data.size() / 32 + 1);
    const char ending = data.contains('\r') ? '\r' : '\n';
    const char* begin = data.data();
    const char* const end = begin + data.size();
    while (begin < end) {
        const char* found = static_cast<const char*>(memchr(begin, ending, size_t(end - begin)));
        if (!found) {
            lines.append(QByteArrayView(begin, end - begin));
            break;
        }
        lines.append(QByteArrayView(begin, found - begin));
        begin = found + 1;
        if (ending == '\r' && begin < end && *begin == '\n')
            ++begin;
    }
    return lines;
}

bool endsWithLineEnd(QByteArrayView data)
{
    if (data.contains('\r'))
        return data.endsWith('\r') || data.endsWith("\r\n");
    return data.endsWith('\n');
}

namespace {

// Windows-1252 characters 0x80..0x9F; the five undefined ones map to their C1 codes.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(QByteArrayView line)
{
    QString out(line.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

// The Windows-1252 bytes of text, appended to out; false when a character has none.
bool toCp1252(QStringView text, QByteArray& out)
{
    out.reserve(out.size() + text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        const auto high = std::find(std::begin(Cp1252High), std::end(Cp1252High), u);
        if (high == std::end(Cp1252High))
            return false;
        out.append(char(0x80 + (high - std::begin(Cp1252High))));
    }
    return true;
}

bool isAscii(QByteArrayView line)
{
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString decodeLine(QByteArrayView line, LineEncoding* encoding)
{
    LineEncoding read = LineEncoding::Ascii;
    QString text;
    if (isAscii(line)) {
        text = QString::fromLatin1(line);
    } else {
        // ConvertInitialBom: the decoder would otherwise drop a U+FEFF that starts the line.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        text = utf8.decode(line);
        read = LineEncoding::Utf8;
        if (utf8.hasError()) {
            text = decodeCp1252(line);
            read = LineEncoding::SingleByte;
        }
    }
    if (encoding)
        *encoding = read;
    return text;
}

QByteArray encodeLine(QStringView text, LineEncoding encoding)
{
    if (encoding != LineEncoding::SingleByte)
        return text.toUtf8();
    QByteArray out;
    toCp1252(text, out);
    return out;
}

TextFileStyle TextFileStyle::of(QByteArrayView data)
{
    TextFileStyle style(data.contains('\n') && !data.contains('\r'));
    style.noteLines(data);
    return style;
}

void TextFileStyle::noteLines(QByteArrayView data)
{
    for (QByteArrayView line : splitLines(data)) {
        LineEncoding encoding = LineEncoding::Ascii;
        if (!isAscii(line))
            decodeLine(line, &encoding);
        note(encoding);
    }
}

QByteArrayView TextFileStyle::lineEnd() const
{
    return lineFeedOnly_ ? QByteArrayView("\n") : QByteArrayView("\r\n");
}

LineEncoding TextFileStyle::encodingFor(QStringView text) const
{
    if (!isSingleByte())
        return LineEncoding::Utf8;
    QByteArray bytes;
    LineEncoding readBack = LineEncoding::Utf8;
    // Bytes that happen to be valid UTF-8 would read back as other characters.
    if (toCp1252(text, bytes) && (decodeLine(bytes, &readBack), readBack == LineEncoding::SingleByte))
        return LineEncoding::SingleByte;
    return LineEncoding::Utf8;
}

void TextFileStyle::note(LineEncoding encoding)
{
    if (encoding == LineEncoding::Utf8)
        ++utf8Lines_;
    else if (encoding == LineEncoding::SingleByte)
        ++singleByteLines_;
}

QByteArray encodeLines(const QList<QString>& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2; // exact for ASCII text: one allocation instead of many
    out.reserve(size);
    for (const QString& line : lines) {
        out.append(line.toUtf8());
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray atFileStart(QByteArray bytes)
{
    if (bytes.startsWith(Utf8Bom))
        bytes.prepend(Utf8Bom.data(), Utf8Bom.size());
    return bytes;
}

namespace {

// Follows the lines of a file while it is read in pieces: counts them and measures the current
// one by the line-end rule of splitLines (which can change once a carriage return shows up).
class LineCounter
{
public:
    explicit LineCounter(qsizetype lineLimit) : lineLimit_(lineLimit) {}

    enum class Verdict { Go, TooLong, Stop };
    // Takes the next byte, at offset pos of the file.
    Verdict take(char c, qsizetype pos)
    {
        if (limitEnd_ >= 0) {
            if (c == '\n' && pos == limitEnd_ && previous_ == '\r') {
                previous_ = c;
                ++limitEnd_; // the line feed of a CR LF belongs to the last line kept
                return Verdict::Go;
            }
            return Verdict::Stop;
        }
        const char before = previous_;
        previous_ = c;
        if (c == '\r') {
            if (crRun_ > LongestLine)
                return Verdict::TooLong; // a first line measured at its line feeds until now
            crSeen_ = true;
            ++crLines_;
            crRun_ = anyRun_ = 0;
        } else if (c == '\n') {
            ++lfLines_;
            if (before != '\r')
                ++crRun_; // the line feed of a CR LF belongs to no line
            anyRun_ = 0;
        } else {
            ++crRun_;
            ++anyRun_;
        }
        if ((crSeen_ ? crRun_ : anyRun_) > LongestLine)
            return Verdict::TooLong;
        const bool lineEnded = c == '\r' || (!crSeen_ && c == '\n');
        if (lineEnded && (crSeen_ ? crLines_ : lfLines_) == lineLimit_)
            limitEnd_ = pos + 1;
        return Verdict::Go;
    }
    // Takes `count` bytes that are neither a carriage return nor a line feed: as many calls of
    // take(), in one step.
    Verdict takeWithinLine(qsizetype count)
    {
        if (limitEnd_ >= 0)
            return Verdict::Stop;
        previous_ = 0;
        crRun_ += count;
        anyRun_ += count;
        return (crSeen_ ? crRun_ : anyRun_) > LongestLine ? Verdict::TooLong : Verdict::Go;
    }
    // Where the kept lines end once the limit is reached; -1 before.
    qsizetype limitEnd() const { return limitEnd_; }
    // Whether lines end at carriage returns (one has been seen), or at line feeds.
    bool endsLinesAtCarriageReturn() const { return crSeen_; }

private:
    qsizetype lineLimit_;
    qsizetype crLines_ = 0, lfLines_ = 0, crRun_ = 0, anyRun_ = 0, limitEnd_ = -1;
    bool crSeen_ = false;
    char previous_ = 0;
};

// Counts lines in bytes taken piece by piece, keeping none of them: a line ends at each ending
// character; with carriage returns, a line feed right after one belongs to no line. Bytes after
// the last ending are one more line.
class LineTally
{
public:
    explicit LineTally(bool carriageReturns) : ending_(carriageReturns ? '\r' : '\n') {}

    void take(QByteArrayView piece)
    {
        const char* at = piece.data();
        const char* const end = at + piece.size();
        if (at < end && skipLineFeed_ && *at == '\n')
            ++at;
        skipLineFeed_ = false;
        while (at < end) {
            const auto* found = static_cast<const char*>(memchr(at, ending_, size_t(end - at)));
            if (!found) {
                open_ = true;
                return;
            }
            ++lines_;
            open_ = false;
            at = found + 1;
            if (ending_ == '\r' && at == end)
                skipLineFeed_ = true;
            else if (ending_ == '\r' && *at == '\n')
                ++at;
        }
    }
    qsizetype lines() const { return lines_ + (open_ ? 1 : 0); }

private:
    char ending_;
    qsizetype lines_ = 0;
    bool open_ = false;        // bytes since the last ending make a line
    bool skipLineFeed_ = false; // the last piece ended with a carriage return
};

// Reads the rest of fd, starting with the bytes first, and counts its lines into read.
void countLinesPast(int fd, QByteArrayView first, bool carriageReturns, const QString& path, TextFileRead& read)
{
    LineTally tally(carriageReturns);
    tally.take(first);
    char piece[65536];
    for (;;) {
        const ssize_t got = ::read(fd, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            read.problem = path + QStringLiteral(": ") + systemReason(errno);
        if (got <= 0)
            break;
        tally.take(QByteArrayView(piece, got));
    }
    read.linesPastLimit = tally.lines();
}

// Opens path for reading without blocking; -1, with problem set, unless it is a regular file.
int openRegularFile(const QString& path, QString& problem)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = path + QStringLiteral(": ") + systemReason(errno);
        return -1;
    }
    struct stat info {}; // zeroed, so a failed fstat reads as "not a regular file"
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = path + (S_ISDIR(info.st_mode) ? QStringLiteral(": is a directory")
                                                : QStringLiteral(": is not a regular file"));
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TextFileRead readTextFile(const QString& path, qsizetype lineLimit)
{
    TextFileRead read;
    const int fd = openRegularFile(path, read.problem);
    if (fd < 0) {
        read.complete = false;
        return read;
    }
    LineCounter counter(lineLimit);
    char piece[65536];
    for (;;) {
        const ssize_t got = ::read(fd, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read.problem = path + QStringLiteral(": ") + systemReason(errno);
            read.complete = false;
            break;
        }
        if (got == 0)
            break;
        const qsizetype start = read.data.size();
        // The bytes between line ends are taken a run at a time, found with memchr.
        qsizetype nextCr = -1;
        qsizetype nextLf = -1;
        const auto nextOf = [&](char c, qsizetype from) {
            const void* found = memchr(piece + from, c, size_t(got - from));
            return found ? static_cast<const char*>(found) - piece : qsizetype(got);
        };
        for (qsizetype i = 0; i < got;) {
            if (nextCr < i)
                nextCr = nextOf('\r', i);
            if (nextLf < i)
                nextLf = nextOf('\n', i);
            const qsizetype runEnd = std::min(nextCr, nextLf);
            const LineCounter::Verdict verdict = runEnd > i ? counter.takeWithinLine(runEnd - i)
                                                            : counter.take(piece[i], start + i);
            if (verdict == LineCounter::Verdict::TooLong) {
                ::close(fd);
                read.data.clear();
                read.complete = false;
                read.problem = path + QStringLiteral(": a line is longer than %1 characters").arg(LongestLine);
                return read;
            }
            if (verdict == LineCounter::Verdict::Stop) {
                read.data.append(piece, i);
                read.data.truncate(counter.limitEnd());
                read.complete = false;
                read.stoppedAtLimit = true;
                countLinesPast(fd, QByteArrayView(piece + i, got - i), counter.endsLinesAtCarriageReturn(), path, read);
                ::close(fd);
                return read;
            }
            i = runEnd > i ? runEnd : i + 1;
        }
        read.data.append(piece, got);
    }
    read.stamp = stampOfOpenFile(fd);
    // A file that grew or shrank while it was read holds no state the bytes read show.
    if (read.complete && read.stamp.size != read.data.size())
        read.stamp = {};
    ::close(fd);
    return read;
}

bool readWholeFile(const QString& path, QByteArray& data)
{
    TextFileRead read = readTextFile(path, std::numeric_limits<qsizetype>::max());
    data = std::move(read.data);
    return read.complete;
}
