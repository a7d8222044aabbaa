#include "testregistry.h"

#include "core/textcodec.h"

#include <QTest>

#include <iconv.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the C library's own converter reads a single byte of CP1251 as;
// nothing for a byte it does not assign.
std::optional<char16_t> libraryCharacter(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    if (cd == iconv_t(-1))
        return std::nullopt;
    char in[1] = {char(byte)};
    char out[8] = {};
    char *inPtr = in;
    char *outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == size_t(-1) || sizeof out - outLeft != 2)
        return std::nullopt;
    return char16_t(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
}

} // namespace

// The program's files are Windows-1251 unless they say otherwise: a wrong
// character here garbles every file a user opens or saves.
class TstTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void everyUpperByteReadsAndWritesBack_data();
    void everyUpperByteReadsAndWritesBack();
    void charactersOutsideTheCodePageAreNeverWritten();
    void detectsTheEncodingOfFiles_data();
    void detectsTheEncodingOfFiles();
};

void TstTextCodec::everyUpperByteReadsAndWritesBack_data()
{
    QTest::addColumn<int>("byte");
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        QTest::newRow(qPrintable(u"0x%1"_s.arg(byte, 2, 16, QChar(u'0')).toUpper())) << byte;
}

void TstTextCodec::everyUpperByteReadsAndWritesBack()
{
    QFETCH(int, byte);
    const QByteArray bytes(1, char(byte));
    const QString text = quoll::decodeWindows1251(bytes);
    QCOMPARE(text.size(), 1);
    // The C library's converter is the reference; it leaves 0x98 unassigned,
    // which is read as U+0098 so that no byte of a file is lost.
    const std::optional<char16_t> expected = byte == 0x98 ? char16_t(0x98) : libraryCharacter(uchar(byte));
    QVERIFY2(expected, "the C library has no CP1251 converter");
    QCOMPARE(uint(text.at(0).unicode()), uint(*expected));

    const std::optional<QByteArray> back = quoll::encodeWindows1251(text);
    QVERIFY(back);
    QCOMPARE(*back, bytes);
    QVERIFY(quoll::fitsWindows1251(text));
    QCOMPARE(quoll::encodeText(u"a"_s + text + u"z"_s, quoll::TextEncoding::Windows1251), "a" + bytes + "z");
}

void TstTextCodec::charactersOutsideTheCodePageAreNeverWritten()
{
    for (const QString &text : {u"Grüße"_s, u"x 中 y"_s, u"ё😀"_s, u"\u0100"_s}) {
        QVERIFY2(!quoll::fitsWindows1251(text), qPrintable(text));
        QVERIFY(!quoll::encodeWindows1251(text));
        QVERIFY(quoll::encodeText(text, quoll::TextEncoding::Windows1251).isNull());
        QCOMPARE(quoll::encodingFor(text), quoll::TextEncoding::Utf8);
        QCOMPARE(quoll::encodeText(text, quoll::TextEncoding::Utf8), text.toUtf8());
    }
    const QString russian = u"Привет, «мир» №1 — €"_s;
    QCOMPARE(quoll::encodingFor(russian), quoll::TextEncoding::Windows1251);
    QCOMPARE(quoll::decodeText(quoll::encodeText(russian, quoll::TextEncoding::Windows1251)).text, russian);
    // Bytes that are no UTF-8 are never written as some other character
    // (found by fuzzing: an overlong C0 98 became the control byte 0x18).
    for (const QByteArray &invalid : {QByteArray("a\xC0\x98"), QByteArray("\xE0\x80\xAF"),
                                      QByteArray("\xED\xA0\x80"), QByteArray("\xF4\x90\x80\x80")}) {
        QByteArray out("kept");
        QVERIFY2(!quoll::appendWindows1251(out, invalid), invalid.toHex().constData());
        QCOMPARE(out, QByteArray("kept"));
    }
    QByteArray out;
    QVERIFY(quoll::appendWindows1251(out, u"Привет"_s.toUtf8()));
    QCOMPARE(out, QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"));
    // An empty text is an empty file, not a failure.
    const QByteArray empty = quoll::encodeText(QString(), quoll::TextEncoding::Windows1251);
    QVERIFY(!empty.isNull());
    QVERIFY(empty.isEmpty());
}

void TstTextCodec::detectsTheEncodingOfFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::newRow("ASCII only") << QByteArray("select 1\r\n") << u"select 1\r\n"_s << false << false;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFselect") << u"select"_s << true << true;
    QTest::newRow("byte-order mark, ASCII after it") << QByteArray("\xEF\xBB\xBF") << QString() << true << true;
    QTest::newRow("valid UTF-8 with Cyrillic") << QByteArray("\xD0\x9F\xD1\x80\xD0\xB8") << u"При"_s << true << false;
    QTest::newRow("Windows-1251 Cyrillic") << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2") << u"Привет"_s << false
                                           << false;
    QTest::newRow("UTF-8 broken at the end") << QByteArray("\xD0\x9F\xD1") << u"РџС"_s << false << false;
    QTest::newRow("mostly UTF-8, one stray byte")
        << QByteArray("\xD0\x9F \xFF") << u"Рџ я"_s << false << false;
    QTest::newRow("empty") << QByteArray() << QString() << false << false;
    // Found by fuzzing: the text's own U+FEFF after the file's mark was lost.
    QTest::newRow("two byte-order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << u"\uFEFFx"_s << true
                                          << true;
}

void TstTextCodec::detectsTheEncodingOfFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    QFETCH(bool, byteOrderMark);
    const quoll::DecodedText decoded = quoll::decodeText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.encoding == quoll::TextEncoding::Utf8, utf8);
    QCOMPARE(decoded.hadByteOrderMark, byteOrderMark);
    // Written back in the encoding it was read in, the bytes are the same.
    QCOMPARE(quoll::encodeText(decoded.text, decoded.encoding, decoded.hadByteOrderMark), bytes);
}

QUOLL_TEST(TstTextCodec);
#include "tst_textcodec.moc"
