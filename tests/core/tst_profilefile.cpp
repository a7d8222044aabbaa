#include "testregistry.h"

#include "core/profilefile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::ProfileFile;

// The settings and menu files are read and written the way the platform's
// profile functions do it; a user's hand-made file must come through.
class TstProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");   // null: missing
        const QByteArray file = "; a comment\r\n[Position]\r\nLeft = 10 \r\nTop=\"20\"\r\nQuoted=' a '\r\n"
                                "Half=\"a'\r\nEmpty=\r\nEq=a=b\r\n[position]\r\nLeft=99\r\n[Other]\r\nLeft=5";
        QTest::newRow("blanks around") << file << u"Position"_s << u"Left"_s << u"10"_s;
        QTest::newRow("names ignore case") << file << u"POSITION"_s << u"left"_s << u"10"_s;
        QTest::newRow("double quotes") << file << u"Position"_s << u"Top"_s << u"20"_s;
        QTest::newRow("single quotes keep inner blanks") << file << u"Position"_s << u"Quoted"_s << u" a "_s;
        QTest::newRow("unmatched quotes stay") << file << u"Position"_s << u"Half"_s << u"\"a'"_s;
        QTest::newRow("empty value") << file << u"Position"_s << u"Empty"_s << u""_s;
        QTest::newRow("equals sign inside") << file << u"Position"_s << u"Eq"_s << u"a=b"_s;
        QTest::newRow("the first section counts") << file << u"Position"_s << u"Left"_s << u"10"_s;
        QTest::newRow("another section, no line break at the end") << file << u"Other"_s << u"Left"_s << u"5"_s;
        QTest::newRow("missing key") << file << u"Other"_s << u"Top"_s << QString();
        QTest::newRow("missing section") << file << u"Nowhere"_s << u"Left"_s << QString();
        QTest::newRow("comment is no key") << file << u"Position"_s << u"; a comment"_s << QString();
        QTest::newRow("LF line ends") << QByteArray("[s]\nk=v\n") << u"s"_s << u"k"_s << u"v"_s;
        QTest::newRow("Windows-1251") << QByteArray("[s]\r\nk=\xCF\xF0\xE8\xE2\xE5\xF2\r\n") << u"s"_s << u"k"_s
                                      << u"Привет"_s;
        QTest::newRow("UTF-8") << QByteArray("[s]\r\nk=\xD0\x9F\xD1\x80\xD0\xB8\r\n") << u"s"_s << u"k"_s << u"При"_s;
        QTest::newRow("2047 characters at most") << "[s]\r\nk=" + QByteArray(3000, 'x') + "\r\n" << u"s"_s << u"k"_s
                                                 << QString(2047, u'x');
    }
    void readsValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const std::optional<QString> read = ProfileFile::fromBytes(file).value(section, key);
        QCOMPARE(read.has_value(), !value.isNull());
        if (read)
            QCOMPARE(*read, value);
    }

    void writesInPlaceOrAtTheEndOfTheSection_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("writes");   // section, key, value, ...
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("into an empty file")
            << QByteArray() << QStringList{u"Position"_s, u"SplTop"_s, u"130"_s, u"Position"_s, u"Left"_s, u"0"_s,
                                           u"Connection"_s, u"ServerName"_s, u"demo"_s}
            << QByteArray("[Position]\r\nSplTop=130\r\nLeft=0\r\n[Connection]\r\nServerName=demo\r\n");
        QTest::newRow("in place, case of the name kept")
            << QByteArray("[pos]\r\nLEFT = 1\r\nTop=2\r\n") << QStringList{u"Pos"_s, u"left"_s, u"5"_s}
            << QByteArray("[pos]\r\nLEFT =5\r\nTop=2\r\n");
        QTest::newRow("a new key after the section's last line, before the blank lines")
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << QStringList{u"a"_s, u"z"_s, u"3"_s}
            << QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
        QTest::newRow("unknown lines stay, nothing is deleted")
            << QByteArray("junk line\r\n[a]\r\n; note\r\nb=old\r\na=old\r\n")
            << QStringList{u"a"_s, u"0"_s, u"x"_s, u"a"_s, u"1"_s, u"y"_s}
            << QByteArray("junk line\r\n[a]\r\n; note\r\nb=old\r\na=old\r\n0=x\r\n1=y\r\n");
        QTest::newRow("a file without a final line break")
            << QByteArray("[a]\r\nx=1") << QStringList{u"b"_s, u"y"_s, u"2"_s}
            << QByteArray("[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
        QTest::newRow("Cyrillic stays Windows-1251") << QByteArray() << QStringList{u"s"_s, u"k"_s, u"Привет"_s}
                                                     << QByteArray("[s]\r\nk=\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
        QTest::newRow("a value beyond the code page makes it UTF-8")
            << QByteArray("[s]\r\na=\xCF\xF0\xE8\r\n") << QStringList{u"s"_s, u"b"_s, u"中"_s}
            << QByteArray("[s]\r\na=При\r\nb=中\r\n");
    }
    void writesInPlaceOrAtTheEndOfTheSection()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, writes);
        QFETCH(QByteArray, after);
        ProfileFile file = ProfileFile::fromBytes(before);
        for (qsizetype i = 0; i + 2 < writes.size(); i += 3)
            file.setValue(writes[i], writes[i + 1], writes[i + 2]);
        QCOMPARE(file.toBytes(), after);
        // Read back either way.
        const ProfileFile again = ProfileFile::fromBytes(after);
        for (qsizetype i = 0; i + 2 < writes.size(); i += 3)
            QCOMPARE(again.value(writes[i], writes[i + 1]), std::optional<QString>(writes[i + 2]));
    }

    void namesInFileOrder()
    {
        const ProfileFile file =
            ProfileFile::fromBytes("[Select]\r\nb=1\r\na=2\r\nB=3\r\n[Empty]\r\n[select]\r\nc=4\r\n[Join]\r\nx=5\r\n");
        QCOMPARE(file.sections(), (QStringList{u"Select"_s, u"Empty"_s, u"Join"_s}));
        QCOMPARE(file.keys(u"SELECT"_s), (QStringList{u"b"_s, u"a"_s}));
        QCOMPARE(file.keys(u"Empty"_s), QStringList());
        QCOMPARE(file.value(u"select"_s, u"B"_s), std::optional<QString>(u"1"_s));
    }

    void integersFallBack()
    {
        const ProfileFile file = ProfileFile::fromBytes("[p]\r\na=12\r\nb=x\r\nc=-1\r\nd= 7 \r\n");
        QCOMPARE(file.integer(u"p"_s, u"a"_s, 0), 12);
        QCOMPARE(file.integer(u"p"_s, u"b"_s, 5), 5);
        QCOMPARE(file.integer(u"p"_s, u"c"_s, 100), -1);
        QCOMPARE(file.integer(u"p"_s, u"d"_s, 0), 7);
        QCOMPARE(file.integer(u"p"_s, u"missing"_s, 42), 42);
    }

    void loadsAndSavesInOneStep()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"quoll.ini"_s);
        ProfileFile missing = ProfileFile::load(path);
        QCOMPARE(missing.sections(), QStringList());
        missing.setValue(u"a"_s, u"b"_s, u"c"_s);
        missing.save(path);
        QCOMPARE(ProfileFile::load(path).value(u"a"_s, u"b"_s), std::optional<QString>(u"c"_s));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"quoll.ini"_s});
    }
};

QUOLL_TEST(TstProfileFile);
#include "tst_profilefile.moc"
