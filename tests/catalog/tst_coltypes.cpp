#include "testregistry.h"

#include "catalog/coltypes.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::catalog::ColSizeText;
using quoll::catalog::ColTypeName;

// The column list's "Type" and "Size" texts: a wrong name or qualifier here
// misleads everyone who reads a table's structure.
class TstColTypes : public QObject
{
    Q_OBJECT

private slots:
    void typeNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        const char *names[] = {"CHAR",     "SMALLINT", "INTEGER", "FLOAT",         "SMALLFLOAT", "DECIMAL",
                               "SERIAL",   "DATE",     "MONEY",   "NULL",          "DATETIME",   "BYTE",
                               "TEXT",     "VARCHAR",  "INTERVAL", "NCHAR",        "NVCHAR",     "INT8",
                               "SERIAL8",  "SET",      "MULTISET", "LIST",         "rOW (unnamed)", "COLLECTION",
                               "ROWREF",   "rOW (unnamed)"};
        for (int code = 0; code <= 25; ++code)
            QTest::addRow("%d", code) << code << QString::fromLatin1(names[code]);
        QTest::newRow("40") << 40 << u"Variable-length opaque type"_s;
        QTest::newRow("41") << 41 << u"Fixed-length opaque type"_s;
        QTest::newRow("4118") << 4118 << u"Named row type"_s;
        QTest::newRow("NOT NULL opaque, reduced") << (296 % 256) << u"Variable-length opaque type"_s;
        for (int code : {26, 39, 42, 255, 4117, 4119, -1})
            QTest::addRow("unknown %d", code) << code << u"UNKNOWN"_s;
    }
    void typeNames()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(ColTypeName(code), name);
    }

    void sizeTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("collength");
        QTest::addColumn<QString>("text");
        QTest::newRow("DECIMAL(16,2)") << 5 << 4098 << u"16,2"_s;
        QTest::newRow("MONEY(8,2)") << 8 << 2050 << u"8,2"_s;
        QTest::newRow("floating DECIMAL(16)") << 5 << 4351 << u"16,255"_s;
        QTest::newRow("DECIMAL with collength 0") << 5 << 0 << u"0,0"_s;
        QTest::newRow("DATETIME YEAR TO SECOND") << 10 << 3594 << u"YEAR(4) : SECOND"_s;
        QTest::newRow("DATETIME HOUR TO MINUTE") << 10 << 1128 << u"HOUR(2) : MINUTE"_s;
        QTest::newRow("DATETIME YEAR TO FRACTION(3)") << 10 << 4365 << u"YEAR(4) : FRACTION(3)"_s;
        QTest::newRow("INTERVAL DAY(3) TO SECOND") << 14 << 2378 << u"DAY(3) : SECOND"_s;
        QTest::newRow("INTERVAL HOUR TO MINUTE") << 14 << 1128 << u"HOUR(2) : MINUTE"_s;
        // An odd qualifier code has no name of its own.
        QTest::newRow("odd qualifier") << 10 << (4 * 256 + 0x13) << u"NA(2) : NA"_s;
        QTest::newRow("CHAR(20)") << 0 << 20 << u"20"_s;
        QTest::newRow("VARCHAR(30,5) packed") << 13 << (5 * 256 + 30) << u"1310"_s;
        QTest::newRow("INTEGER") << 2 << 4 << u"4"_s;
        QTest::newRow("negative collength") << 0 << -1 << u"-1"_s;
    }
    void sizeTexts()
    {
        QFETCH(int, code);
        QFETCH(int, collength);
        QFETCH(QString, text);
        QCOMPARE(ColSizeText(code, collength), text);
    }
};

QUOLL_TEST(TstColTypes);
#include "tst_coltypes.moc"
