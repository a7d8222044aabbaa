#include "workspace/statementtemplates.h"

#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::connection::FieldDesc;
using quoll::connection::FieldType;
using quoll::workspace::statementTemplates;
using quoll::workspace::templateValue;

namespace {
FieldDesc field(const QString &name, FieldType type)
{
    FieldDesc desc;
    desc.name = name;
    desc.type = type;
    return desc;
}
} // namespace

class TstStatementTemplates : public QObject
{
    Q_OBJECT

private slots:
    void templatesOfARow_data()
    {
        QTest::addColumn<QList<FieldDesc>>("fields");
        QTest::addColumn<QList<QString>>("values");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("lines");

        const QList<FieldDesc> idName{field(u"id"_s, FieldType::Integer), field(u"name"_s, FieldType::String)};
        const QString brien = u"'O''Brien'"_s;
        QTest::newRow("apostrophe doubled") << idName << QList<QString>{u"7"_s, u"O'Brien"_s} << u"t"_s
                                            << QStringList{u"select id, name"_s,
                                                           u"from t"_s,
                                                           u"where id = 7 and name = "_s + brien,
                                                           QString(),
                                                           u"insert into t"_s,
                                                           u"(id, name) values (7, "_s + brien + u')',
                                                           QString(),
                                                           u"update t"_s,
                                                           u"set (id, name) = (7, "_s + brien + u')',
                                                           u"where id = 7 and name = "_s + brien,
                                                           QString(),
                                                           u"delete from t"_s,
                                                           u"where id = 7 and name = "_s + brien};
        QTest::newRow("no table name") << idName << QList<QString>{u"1"_s, u"a"_s} << QString()
                                       << QStringList{u"select id, name"_s,
                                                      u"from "_s,
                                                      u"where id = 1 and name = 'a'"_s,
                                                      QString(),
                                                      u"insert into "_s,
                                                      u"(id, name) values (1, 'a')"_s,
                                                      QString(),
                                                      u"update "_s,
                                                      u"set (id, name) = (1, 'a')"_s,
                                                      u"where id = 1 and name = 'a'"_s,
                                                      QString(),
                                                      u"delete from "_s,
                                                      u"where id = 1 and name = 'a'"_s};
        // A NULL is matched with "is null" and written as null, so that the
        // statements find exactly the row and never one with an empty text.
        QTest::newRow("nulls") << idName << QList<QString>{QString(), QString()} << u"t"_s
                               << QStringList{u"select id, name"_s,
                                              u"from t"_s,
                                              u"where id is null and name is null"_s,
                                              QString(),
                                              u"insert into t"_s,
                                              u"(id, name) values (null, null)"_s,
                                              QString(),
                                              u"update t"_s,
                                              u"set (id, name) = (null, null)"_s,
                                              u"where id is null and name is null"_s,
                                              QString(),
                                              u"delete from t"_s,
                                              u"where id is null and name is null"_s};
        QTest::newRow("one column") << QList<FieldDesc>{field(u"n"_s, FieldType::SmallInt)}
                                    << QList<QString>{u"3"_s} << u"s"_s
                                    << QStringList{u"select n"_s, u"from s"_s, u"where n = 3"_s, QString(),
                                                   u"insert into s"_s, u"(n) values (3)"_s, QString(),
                                                   u"update s"_s, u"set (n) = (3)"_s, u"where n = 3"_s,
                                                   QString(), u"delete from s"_s, u"where n = 3"_s};
    }

    void templatesOfARow()
    {
        QFETCH(QList<FieldDesc>, fields);
        QFETCH(QList<QString>, values);
        QFETCH(QString, table);
        QFETCH(QStringList, lines);
        const QString text = statementTemplates(fields, values, table);
        QCOMPARE(text.split(u'\n'), lines);
        QVERIFY(!text.endsWith(u'\n'));
        QVERIFY(!text.contains(u';'));
    }

    void aNullBesideAValue()
    {
        const QString text = statementTemplates(
            {field(u"id"_s, FieldType::Integer), field(u"name"_s, FieldType::String)}, {QString(), u"x"_s}, u"t"_s);
        QVERIFY(text.contains(u"set (id, name) = (null, 'x')"_s));
        QVERIFY(text.contains(u"where id is null and name = 'x'"_s));
        // An empty text is a value, not NULL.
        const QString empty = statementTemplates({field(u"name"_s, FieldType::String)}, {u""_s}, u"t"_s);
        QVERIFY(empty.contains(u"where name = ''"_s));
    }

    void valueTextByType_data()
    {
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fixed string") << FieldType::FixedString << u"ab  "_s << u"'ab  '"_s;
        QTest::newRow("wide string") << FieldType::WideString << u"λ'"_s << u"'λ'''"_s;
        QTest::newRow("memo") << FieldType::Memo << u"long"_s << u"'long'"_s;
        QTest::newRow("formatted memo") << FieldType::FormattedMemo << u"m"_s << u"'m'"_s;
        QTest::newRow("date") << FieldType::Date << u"12/08/2026"_s << u"'12/08/2026'"_s;
        QTest::newRow("time") << FieldType::Time << u"10:11:12"_s << u"'10:11:12'"_s;
        QTest::newRow("date and time") << FieldType::DateTime << u"2026-12-08 10:11"_s << u"'2026-12-08 10:11'"_s;
        QTest::newRow("large int") << FieldType::LargeInt << u"-9000000000"_s << u"-9000000000"_s;
        QTest::newRow("word") << FieldType::Word << u"65535"_s << u"65535"_s;
        QTest::newRow("serial") << FieldType::AutoInc << u"12"_s << u"12"_s;
        QTest::newRow("boolean") << FieldType::Boolean << u"t"_s << u"t"_s;
        QTest::newRow("float") << FieldType::Float << u"1.5"_s << u"1.5"_s;
        QTest::newRow("money") << FieldType::Currency << u"2.50"_s << u"2.50"_s;
        QTest::newRow("decimal") << FieldType::BCD << u"10.125"_s << u"10.125"_s;
        QTest::newRow("bytes") << FieldType::Bytes << u"ff"_s << QString();
        QTest::newRow("blob") << FieldType::Blob << u"<BYTE>"_s << QString();
        QTest::newRow("unknown") << FieldType::Unknown << u"?"_s << QString();
        QTest::newRow("null number") << FieldType::Integer << QString() << u"null"_s;
        QTest::newRow("null date") << FieldType::Date << QString() << u"null"_s;
    }

    void valueTextByType()
    {
        QFETCH(FieldType, type);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(templateValue(type, text), expected);
    }
};

QUOLL_TEST(TstStatementTemplates);

#include "tst_statementtemplates.moc"
