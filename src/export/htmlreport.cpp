#include "export/htmlreport.h"

#include "core/atomicfile.h"
#include "core/error.h"
#include "core/textcodec.h"

#include <QDir>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

QString reportHead()
{
    return u"<HTML><HEAD><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
           u"<meta http-equiv=\"Content-Language\" content=\"ru\"><TITLE>Report</TITLE></HEAD>"
           u"<STYLE type=\"text/css\">TH{background:TEAL;color:WHITE}TD{background:WHITE}</STYLE>"
           u"<BODY><TABLE BORDER=1 WIDTH=100% BGCOLOR=SILVER>"_s;
}

QString reportEnd()
{
    return u"</TABLE></BODY></HTML>"_s;
}

QString htmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += u"&amp;"_s; break;
        case u'<': out += u"&lt;"_s; break;
        case u'>': out += u"&gt;"_s; break;
        case u'"': out += u"&quot;"_s; break;
        case u'\'': out += u"&#39;"_s; break;
        default: out += c; break;
        }
    }
    return out;
}

QByteArray htmlBytes(const QString &html)
{
    if (const std::optional<QByteArray> bytes = encodeWindows1251(html))
        return *bytes;
    QByteArray out;
    out.reserve(html.size());
    const QStringView view(html);
    for (qsizetype i = 0; i < view.size(); ++i) {
        const QChar c = view[i];
        char32_t code = c.unicode();
        qsizetype length = 1;
        if (c.isHighSurrogate() && i + 1 < view.size() && view[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, view[i + 1]);
            length = 2;
        }
        const std::optional<QByteArray> byte = length == 1 ? encodeWindows1251(view.mid(i, 1)) : std::nullopt;
        if (byte)
            out += *byte;
        else
            out += "&#" + QByteArray::number(quint32(code)) + ';';
        i += length - 1;
    }
    return out;
}

void appendHtmlText(QByteArray &out, QByteArrayView utf8)
{
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            switch (b) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += char(b); break;
            }
            ++p;
            continue;
        }
        const int more = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = 0xFFFD;
        if (more > 0 && end - p > more) {
            c = b & (0x3F >> more);
            for (int i = 1; i <= more; ++i)
                c = (c << 6) | (p[i] & 0x3F);
            p += more + 1;
        } else {
            ++p;   // not UTF-8: shown as the replacement character
        }
        if (const unsigned char byte = windows1251Byte(c))
            out += char(byte);
        else
            out += "&#" + QByteArray::number(quint32(c)) + ';';
    }
}

QString reportFilePath()
{
#ifdef Q_OS_UNIX
    const QString folder = QDir(QDir::tempPath()).filePath(u"quoll-%1"_s.arg(geteuid()));
    const QByteArray native = QFile::encodeName(folder);
    if (mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        throw Error(u"Cannot create the report folder %1"_s.arg(folder));
    // Only a real folder of this user that nobody else may write will do: a
    // link or another user's folder could hand the report to someone else.
    struct stat info {};
    if (lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
        throw Error(u"The report folder %1 is not this user's own"_s.arg(folder));
    if ((info.st_mode & 077) != 0 && chmod(native.constData(), 0700) != 0)
        throw Error(u"The report folder %1 is open to other users"_s.arg(folder));
    return QDir(folder).filePath(u"Report.html"_s);
#else
    return QDir(QDir::tempPath()).filePath(u"Report.html"_s);
#endif
}

QString writeReportFile(const QByteArray &bytes)
{
    const QString path = reportFilePath();
#ifdef Q_OS_UNIX
    // The new file takes the place of a link, it is not written through it.
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    if (lstat(native.constData(), &info) == 0 && S_ISLNK(info.st_mode) && unlink(native.constData()) != 0)
        throw Error(u"Cannot replace %1"_s.arg(path));
#endif
    writeFileAtomically(path, bytes);
    return path;
}

} // namespace quoll::exporting
