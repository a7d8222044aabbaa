#include "testregistry.h"

#include "connection/embedded/sql/informixtypes.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection::embedded;

// Column type declarations turned into the catalog's coltype, collength and
// extended id, and back into normalised declarations.
class TstInformixTypes : public QObject
{
    Q_OBJECT

private slots:
    void encodesEveryBaseType_data();
    void encodesEveryBaseType();
    void serialsAreAlwaysNotNull_data();
    void serialsAreAlwaysNotNull();
    void collengthsPackAsTheCatalogStoresThem_data();
    void collengthsPackAsTheCatalogStoresThem();
    void declarationsRoundTripNormalised_data();
    void declarationsRoundTripNormalised();
    void declarationOfRejectsNumbersNoTypeHas_data();
    void declarationOfRejectsNumbersNoTypeHas();
    void invalidDeclarationsSayWhy_data();
    void invalidDeclarationsSayWhy();
};

void TstInformixTypes::encodesEveryBaseType_data()
{
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<int>("coltype");
    QTest::addColumn<int>("collength");
    QTest::addColumn<int>("extendedId");

    QTest::newRow("char") << u"char"_s << 0 << 1 << 0;
    QTest::newRow("char(10)") << u"CHAR(10)"_s << 0 << 10 << 0;
    QTest::newRow("character(32767)") << u"Character (32767)"_s << 0 << 32767 << 0;
    QTest::newRow("smallint") << u"smallint"_s << 1 << 2 << 0;
    QTest::newRow("integer") << u"INTEGER"_s << 2 << 4 << 0;
    QTest::newRow("int") << u"int"_s << 2 << 4 << 0;
    QTest::newRow("float") << u"float"_s << 3 << 8 << 0;
    QTest::newRow("double precision") << u"double  precision"_s << 3 << 8 << 0;
    QTest::newRow("smallfloat") << u"SmallFloat"_s << 4 << 4 << 0;
    QTest::newRow("real") << u"real"_s << 4 << 4 << 0;
    QTest::newRow("decimal blanks") << u" decimal ( 8 , 2 ) "_s << 5 << 2050 << 0;
    QTest::newRow("dec") << u"dec(5,5)"_s << 5 << 1285 << 0;
    QTest::newRow("numeric") << u"NUMERIC(32,0)"_s << 5 << 8192 << 0;
    QTest::newRow("date") << u"date"_s << 7 << 4 << 0;
    QTest::newRow("money") << u"money"_s << 8 << 4098 << 0;
    QTest::newRow("money(8)") << u"money(8)"_s << 8 << 2050 << 0;
    QTest::newRow("datetime") << u"datetime year to day"_s << 10 << 2052 << 0;
    QTest::newRow("byte") << u"byte"_s << 11 << 56 << 0;
    QTest::newRow("text") << u"text"_s << 12 << 56 << 0;
    QTest::newRow("varchar") << u"varchar(40)"_s << 13 << 40 << 0;
    QTest::newRow("character varying") << u"character varying(40,2)"_s << 13 << 552 << 0;
    QTest::newRow("interval") << u"interval minute to second"_s << 14 << 1162 << 0;
    QTest::newRow("nchar") << u"nchar(7)"_s << 15 << 7 << 0;
    QTest::newRow("nchar without length") << u"nchar"_s << 15 << 1 << 0;
    QTest::newRow("nvarchar") << u"nvarchar(200,20)"_s << 16 << 5320 << 0;
    QTest::newRow("int8") << u"int8"_s << 17 << 10 << 0;
    QTest::newRow("lvarchar") << u"lvarchar"_s << 40 << 2048 << 1;
    QTest::newRow("lvarchar(n)") << u"LVARCHAR(32739)"_s << 40 << 32739 << 1;
    QTest::newRow("boolean") << u"boolean"_s << 41 << 1 << 5;
    QTest::newRow("blob") << u"blob"_s << 41 << 72 << 10;
    QTest::newRow("clob") << u"CLOB"_s << 41 << 72 << 11;
    QTest::newRow("bigint") << u"bigint"_s << 52 << 8 << 0;
}

void TstInformixTypes::encodesEveryBaseType()
{
    QFETCH(QString, declaration);
    QFETCH(int, coltype);
    QFETCH(int, collength);
    QFETCH(int, extendedId);

    for (const bool notNull : {false, true}) {
        const ColumnTypeCode code = encodeColumnType(declaration, notNull);
        QVERIFY2(code.valid, qPrintable(code.error));
        QVERIFY(code.error.isEmpty());
        QCOMPARE(code.coltype, notNull ? coltype + 256 : coltype);
        QCOMPARE(code.collength, collength);
        QCOMPARE(code.extendedId, extendedId);
    }
}

void TstInformixTypes::serialsAreAlwaysNotNull_data()
{
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<int>("coltype");
    QTest::addColumn<int>("collength");

    QTest::newRow("serial") << u"serial"_s << 262 << 4;
    QTest::newRow("serial with start") << u"serial(100)"_s << 262 << 4;
    QTest::newRow("serial largest start") << u"SERIAL(2147483647)"_s << 262 << 4;
    QTest::newRow("serial8") << u"serial8 (5)"_s << 274 << 10;
    QTest::newRow("bigserial") << u"bigserial"_s << 309 << 8;
    QTest::newRow("bigserial largest start") << u"bigserial(9223372036854775807)"_s << 309 << 8;
}

void TstInformixTypes::serialsAreAlwaysNotNull()
{
    QFETCH(QString, declaration);
    QFETCH(int, coltype);
    QFETCH(int, collength);

    for (const bool notNull : {false, true}) {
        const ColumnTypeCode code = encodeColumnType(declaration, notNull);
        QVERIFY2(code.valid, qPrintable(code.error));
        QCOMPARE(code.coltype, coltype);
        QCOMPARE(code.collength, collength);
        QCOMPARE(code.extendedId, 0);
    }
}

void TstInformixTypes::collengthsPackAsTheCatalogStoresThem_data()
{
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<int>("coltype");
    QTest::addColumn<int>("collength");

    QTest::newRow("datetime year to minute") << u"DATETIME YEAR TO MINUTE"_s << 10 << 3080;
    QTest::newRow("datetime year to second") << u"datetime year to second"_s << 10 << 3594;
    QTest::newRow("datetime year to day") << u"DATETIME YEAR TO DAY"_s << 10 << 2052;
    QTest::newRow("datetime year to fraction(3)") << u"datetime year to fraction(3)"_s << 10 << 4365;
    QTest::newRow("datetime year to fraction") << u"datetime year to fraction"_s << 10 << 4365;
    QTest::newRow("datetime hour to second") << u"DATETIME HOUR TO SECOND"_s << 10 << 1642;
    QTest::newRow("datetime year to year") << u"datetime year to year"_s << 10 << 1024;
    QTest::newRow("datetime second to fraction(5)") << u"datetime second to fraction(5)"_s << 10 << 1967;
    QTest::newRow("interval day(3) to minute") << u"interval day(3) to minute"_s << 14 << 1864;
    QTest::newRow("interval hour to fraction(3)") << u"INTERVAL HOUR TO FRACTION(3)"_s << 14 << 2413;
    QTest::newRow("interval year(4) to month") << u"interval year(4) to month"_s << 14 << 1538;
    QTest::newRow("interval year to month") << u"interval year to month"_s << 14 << 1538;
    QTest::newRow("interval day(9) to day") << u"interval day ( 9 ) to day"_s << 14 << 2372;
    QTest::newRow("interval fraction to fraction(5)") << u"interval fraction to fraction(5)"_s << 14 << 1727;
    QTest::newRow("decimal(8,3)") << u"DECIMAL(8,3)"_s << 5 << 2051;
    QTest::newRow("money(16,2)") << u"MONEY(16,2)"_s << 8 << 4098;
    // VARCHAR: min * 256 + max as a SMALLINT.
    QTest::newRow("varchar max only") << u"varchar(100)"_s << 13 << 100;
    QTest::newRow("varchar zero min") << u"varchar(100,0)"_s << 13 << 100;
    QTest::newRow("varchar 255,10") << u"VARCHAR(255,10)"_s << 13 << 2815;
    QTest::newRow("varchar min equals max") << u"varchar(10,10)"_s << 13 << 2570;
    QTest::newRow("varchar largest positive") << u"varchar(255,127)"_s << 13 << 32767;
    QTest::newRow("varchar wraps negative") << u"varchar(255,128)"_s << 13 << -32513;
    QTest::newRow("varchar all bits") << u"varchar(255,255)"_s << 13 << -1;
    QTest::newRow("nvarchar 255,10") << u"NVARCHAR(255,10)"_s << 16 << 2815;
    // DECIMAL(p) is floating: scale 255.
    QTest::newRow("floating decimal(8)") << u"DECIMAL(8)"_s << 5 << 2303;
    QTest::newRow("floating decimal(1)") << u"decimal(1)"_s << 5 << 511;
    QTest::newRow("floating dec(32)") << u"dec(32)"_s << 5 << 8447;
    QTest::newRow("floating bare decimal") << u"decimal"_s << 5 << 4351;
    QTest::newRow("floating numeric(16)") << u"numeric(16)"_s << 5 << 4351;
    QTest::newRow("fixed decimal scale 0") << u"decimal(8,0)"_s << 5 << 2048;
}

void TstInformixTypes::collengthsPackAsTheCatalogStoresThem()
{
    QFETCH(QString, declaration);
    QFETCH(int, coltype);
    QFETCH(int, collength);

    const ColumnTypeCode code = encodeColumnType(declaration, false);
    QVERIFY2(code.valid, qPrintable(code.error));
    QCOMPARE(code.coltype, coltype);
    QCOMPARE(code.collength, collength);
}

void TstInformixTypes::declarationsRoundTripNormalised_data()
{
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<QString>("normalised");

    const QStringList same = {
        u"CHAR(10)"_s, u"NCHAR(3)"_s, u"SMALLINT"_s, u"INTEGER"_s, u"FLOAT"_s, u"SMALLFLOAT"_s,
        u"DECIMAL(8,2)"_s, u"DECIMAL(16)"_s, u"DATE"_s, u"MONEY(8,0)"_s, u"BYTE"_s, u"TEXT"_s,
        u"VARCHAR(255,10)"_s, u"VARCHAR(255,200)"_s, u"NVARCHAR(9)"_s, u"INT8"_s, u"SERIAL8"_s,
        u"LVARCHAR(100)"_s, u"BOOLEAN"_s, u"BLOB"_s, u"CLOB"_s, u"BIGINT"_s, u"BIGSERIAL"_s,
        u"DATETIME YEAR TO FRACTION(3)"_s, u"DATETIME HOUR TO SECOND"_s, u"DATETIME MONTH TO MONTH"_s,
        u"INTERVAL DAY(3) TO MINUTE"_s, u"INTERVAL YEAR(9) TO YEAR"_s, u"INTERVAL SECOND(1) TO FRACTION(1)"_s,
        u"INTERVAL FRACTION TO FRACTION(2)"_s,
    };
    for (const QString &s : same)
        QTest::newRow(qPrintable(s)) << s << s;
    QTest::newRow("char") << u"char"_s << u"CHAR(1)"_s;
    QTest::newRow("int") << u"int"_s << u"INTEGER"_s;
    QTest::newRow("double precision") << u"double precision"_s << u"FLOAT"_s;
    QTest::newRow("real") << u"real"_s << u"SMALLFLOAT"_s;
    QTest::newRow("numeric") << u"numeric( 5 ,1)"_s << u"DECIMAL(5,1)"_s;
    QTest::newRow("money") << u"money"_s << u"MONEY(16,2)"_s;
    QTest::newRow("character varying") << u"character varying(30,0)"_s << u"VARCHAR(30)"_s;
    QTest::newRow("lvarchar") << u"lvarchar"_s << u"LVARCHAR(2048)"_s;
    QTest::newRow("serial") << u"serial(100)"_s << u"SERIAL"_s;
    QTest::newRow("fraction") << u"datetime day to fraction"_s << u"DATETIME DAY TO FRACTION(3)"_s;
    QTest::newRow("default precision") << u"interval hour(2) to minute"_s << u"INTERVAL HOUR TO MINUTE"_s;
    QTest::newRow("year precision") << u"interval year(4) to month"_s << u"INTERVAL YEAR TO MONTH"_s;
    QTest::newRow("year short") << u"interval year(2) to month"_s << u"INTERVAL YEAR(2) TO MONTH"_s;
}

void TstInformixTypes::declarationsRoundTripNormalised()
{
    QFETCH(QString, declaration);
    QFETCH(QString, normalised);

    for (const bool notNull : {false, true}) {
        const ColumnTypeCode code = encodeColumnType(declaration, notNull);
        QVERIFY2(code.valid, qPrintable(code.error));
        QCOMPARE(declarationOf(code.coltype, code.collength, code.extendedId), normalised);
    }
}

void TstInformixTypes::declarationOfRejectsNumbersNoTypeHas_data()
{
    QTest::addColumn<int>("coltype");
    QTest::addColumn<int>("collength");
    QTest::addColumn<int>("extendedId");
    QTest::addColumn<QString>("declaration");

    QTest::newRow("unsigned varchar length") << 13 << 33023 << 0 << u"VARCHAR(255,128)"_s;
    QTest::newRow("integer of 8 bytes") << 2 << 8 << 0 << QString();
    QTest::newRow("char(0)") << 0 << 0 << 0 << QString();
    QTest::newRow("varchar min over max") << 13 << 2565 << 0 << QString();
    QTest::newRow("decimal precision 33") << 5 << 33 * 256 + 2 << 0 << QString();
    QTest::newRow("floating money") << 8 << 2303 << 0 << QString();
    QTest::newRow("lvarchar without id") << 40 << 100 << 0 << QString();
    QTest::newRow("unknown extended id") << 41 << 1 << 6 << QString();
    QTest::newRow("extra flag bit") << 2 + 512 << 4 << 0 << QString();
    QTest::newRow("unknown coltype") << 99 << 0 << 0 << QString();
    QTest::newRow("datetime wrong length") << 10 << 3081 - 1 + 256 << 0 << QString();
    QTest::newRow("datetime first after last") << 10 << 2 * 256 + 4 * 16 + 2 << 0 << QString();
    QTest::newRow("interval precision 0") << 14 << 4 * 256 + 4 * 16 + 8 << 0 << QString();
    QTest::newRow("interval qualifier 1") << 14 << 3 * 256 + 1 * 16 + 2 << 0 << QString();
}

void TstInformixTypes::declarationOfRejectsNumbersNoTypeHas()
{
    QFETCH(int, coltype);
    QFETCH(int, collength);
    QFETCH(int, extendedId);
    QFETCH(QString, declaration);

    QCOMPARE(declarationOf(coltype, collength, extendedId), declaration);
}

void TstInformixTypes::invalidDeclarationsSayWhy_data()
{
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<QString>("problem");

    QTest::newRow("empty") << u"  "_s << u"empty"_s;
    QTest::newRow("unknown type") << u"widget(3)"_s << u"unknown type 'WIDGET'"_s;
    QTest::newRow("stray character") << u"char(-1)"_s << u"unexpected character '-'"_s;
    QTest::newRow("trailing junk") << u"integer not null"_s << u"'NOT' after the type"_s;
    QTest::newRow("arguments on integer") << u"integer(4)"_s << u"'(' after the type"_s;
    QTest::newRow("char(0)") << u"char(0)"_s << u"CHAR length must be from 1 to 32767"_s;
    QTest::newRow("huge number") << u"char(99999999999999999999)"_s << u"too large"_s;
    QTest::newRow("varchar(300)") << u"VARCHAR(300)"_s << u"VARCHAR maximum length must be from 1 to 255"_s;
    QTest::newRow("varchar min over max") << u"varchar(10,11)"_s << u"minimum length must be from 0 to 10"_s;
    QTest::newRow("varchar without length") << u"varchar"_s << u"needs a maximum length"_s;
    QTest::newRow("unclosed") << u"varchar(10"_s << u"expected ')', found the end"_s;
    QTest::newRow("missing number") << u"varchar(10,)"_s << u"expected a number"_s;
    QTest::newRow("three numbers") << u"decimal(8,2,1)"_s << u"expected ')', found ','"_s;
    QTest::newRow("lvarchar(0)") << u"lvarchar(0)"_s << u"LVARCHAR length"_s;
    QTest::newRow("scale over precision") << u"decimal(4,5)"_s << u"scale 5 exceeds its precision 4"_s;
    QTest::newRow("explicit floating scale") << u"decimal(8,255)"_s << u"scale 255 exceeds its precision 8"_s;
    QTest::newRow("money(1)") << u"money(1)"_s << u"scale 2 exceeds its precision 1"_s;
    QTest::newRow("precision 33") << u"numeric(33)"_s << u"precision must be from 1 to 32"_s;
    QTest::newRow("precision 0") << u"decimal(0,0)"_s << u"precision must be from 1 to 32"_s;
    QTest::newRow("double alone") << u"double"_s << u"expected PRECISION"_s;
    QTest::newRow("serial(0)") << u"serial(0)"_s << u"SERIAL start value"_s;
    QTest::newRow("serial too big") << u"serial(2147483648)"_s << u"SERIAL start value"_s;
    QTest::newRow("day to year") << u"DATETIME DAY TO YEAR"_s << u"DAY comes after the last field"_s;
    QTest::newRow("datetime without to") << u"datetime year"_s << u"expected TO"_s;
    QTest::newRow("datetime unknown field") << u"datetime week to day"_s << u"unknown DATETIME field 'WEEK'"_s;
    QTest::newRow("datetime precision") << u"datetime year(4) to day"_s << u"takes no precision"_s;
    QTest::newRow("datetime fraction first") << u"datetime fraction to fraction(3)"_s << u"cannot start with FRACTION"_s;
    QTest::newRow("fraction(6)") << u"datetime second to fraction(6)"_s << u"FRACTION digits must be from 1 to 5"_s;
    QTest::newRow("precision after to") << u"interval day to hour(2)"_s << u"HOUR after TO takes no precision"_s;
    QTest::newRow("interval precision 10") << u"interval day(10) to hour"_s << u"DAY precision must be from 1 to 9"_s;
    QTest::newRow("interval fraction digits first") << u"interval fraction(2) to fraction(3)"_s << u"only as FRACTION TO"_s;
    QTest::newRow("interval fraction to second") << u"interval fraction to second"_s << u"only as FRACTION TO"_s;
    QTest::newRow("interval minute to hour") << u"interval minute to hour"_s << u"comes after the last field"_s;
    QTest::newRow("interval to nothing") << u"interval day to"_s << u"expected a field of INTERVAL, found the end"_s;
}

void TstInformixTypes::invalidDeclarationsSayWhy()
{
    QFETCH(QString, declaration);
    QFETCH(QString, problem);

    const ColumnTypeCode code = encodeColumnType(declaration, true);
    QVERIFY(!code.valid);
    QVERIFY2(code.error.contains(problem), qPrintable(code.error));
    QCOMPARE(code.coltype, 0);
    QCOMPARE(code.collength, 0);
    QCOMPARE(code.extendedId, 0);
}

QUOLL_TEST(TstInformixTypes);
#include "tst_informixtypes.moc"
