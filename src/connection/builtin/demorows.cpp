#include "connection/builtin/demorows.h"

#include <QDate>
#include <QDateTime>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::builtin {

namespace {

// A fixed linear congruential sequence: the same numbers on every machine.
class Sequence
{
public:
    explicit Sequence(quint32 seed) : m_state(seed) {}
    quint32 next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int below(int n) { return int(next() % quint32(n)); }

private:
    quint32 m_state;
};

const QDate BaseDate(2025, 1, 6);

QString dateTimeText(const QDateTime &t, const char *format = "yyyy-MM-dd hh:mm:ss")
{
    return t.toString(QString::fromLatin1(format));
}

QString money(int cents)
{
    return u"%1.%2"_s.arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

constexpr std::array stateRows{
    std::pair{"AZ", "Arizona"},   std::pair{"CA", "California"}, std::pair{"CO", "Colorado"},
    std::pair{"FL", "Florida"},   std::pair{"MA", "Massachusetts"}, std::pair{"NJ", "New Jersey"},
    std::pair{"NY", "New York"},  std::pair{"OR", "Oregon"},     std::pair{"TX", "Texas"},
    std::pair{"WA", "Washington"},
};

constexpr std::array cities{"Phoenix", "San Francisco", "Denver", "Miami", "Boston",
                            "Princeton", "Albany", "Portland", "Austin", "Seattle"};

struct Manufacturer
{
    const char *code;
    const char *name;
    int leadDays;
};
constexpr std::array manufacturerRows{
    Manufacturer{"ANZ", "Anza", 5},    Manufacturer{"HRO", "Hero", 4},  Manufacturer{"HSK", "Husky", 5},
    Manufacturer{"KAR", "Karsten", 21}, Manufacturer{"NRG", "Norge", 7}, Manufacturer{"SMT", "Smith", 3},
};

constexpr std::array products{
    "baseball gloves", "baseball", "baseball bat", "football", "soccer ball", "tennis racquet",
    "tennis ball", "volleyball", "volleyball net", "helmet", "bicycle frame", "bicycle brakes",
    "bicycle tires", "bicycle wheels", "bicycle saddle", "running shoes", "jogging suit",
    "swim cap", "water gloves", "kick board",
};
constexpr std::array units{"each", "case", "pair", "box"};

constexpr std::array firstNames{"Ludwig", "Carole", "Philip", "Anthony", "Raymond", "George", "Charles",
                                "Donald", "Jane", "Frances", "Margaret", "Arnold", "Dick", "Eileen"};
constexpr std::array lastNames{"Pauli", "Sadler", "Currie", "Higgins", "Vector", "Watson", "Ream",
                               "Quinn", "Miller", "Jaeger", "Keyes", "Lawson", "Beatty", "Albertson"};
constexpr std::array companies{"All Sports Supplies", "Sports Spot", "Phil's Sports", "Play Ball!",
                               "Los Altos Sports", "Watson & Son", "Athletic Supplies", "Quinn's Sports",
                               "Sport Stuff", "Runners & Others", "Sporting Place", "Gold Medal Sports",
                               "Olympic City", "The Sporting Life"};
constexpr std::array instructions{"express", "ring bell twice", "no deliveries after 3 p.m.",
                                  "deliver to the back door", "call before delivery"};
constexpr std::array callCodes{"B", "D", "I", "L", "O", "X"};

} // namespace

DemoRows makeDemoRows()
{
    DemoRows rows;
    Sequence random(20250106u);
    for (const auto &[code, name] : stateRows)
        rows.states.push_back({QString::fromLatin1(code), QString::fromLatin1(name)});

    for (size_t m = 0; m < manufacturerRows.size(); ++m) {
        const Manufacturer &mf = manufacturerRows[m];
        rows.manufacturers.push_back({QString::fromLatin1(mf.code), QString::fromLatin1(mf.name),
                                      QString::number(mf.leadDays),
                                      dateTimeText(QDateTime(BaseDate.addDays(int(m) * 11), QTime(9, 30)))});
    }

    struct StockKey
    {
        int number;
        QString manufacturer;
        int priceCents;
    };
    std::vector<StockKey> stock;
    for (int p = 0; p < int(products.size()); ++p) {
        for (int k = 0; k < 2; ++k) {
            const QString code = QString::fromLatin1(manufacturerRows[size_t((p + k * 3) % 6)].code);
            const int cents = 500 + random.below(60000);
            stock.push_back({p + 1, code, cents});
            rows.stock.push_back({p + 1, code, QString::fromLatin1(products[size_t(p)]), money(cents),
                                  QString::fromLatin1(units[size_t((p + k) % 4)]),
                                  u"%1 per %2, packed by %3"_s.arg(QString::fromLatin1(products[size_t(p)]),
                                                                   QString::fromLatin1(units[size_t((p + k) % 4)]),
                                                                   code),
                                  0.25 + random.below(400) / 10.0, 0.5 + random.below(100) / 100.0});
        }
    }

    const int customerCount = 28;
    for (int c = 0; c < customerCount; ++c) {
        const size_t s = size_t(c % int(stateRows.size()));
        rows.customers.push_back({QString::fromLatin1(firstNames[size_t(c) % firstNames.size()]),
                                  QString::fromLatin1(lastNames[size_t(c * 5) % lastNames.size()]),
                                  QString::fromLatin1(companies[size_t(c) % companies.size()])
                                      + (c >= int(companies.size()) ? u" II"_s : QString()),
                                  u"%1 %2 Street"_s.arg(100 + random.below(900)).arg(QChar(u'A' + c % 26)),
                                  c % 3 == 0 ? QVariant(u"Suite %1"_s.arg(c + 1)) : QVariant(),
                                  QString::fromLatin1(cities[s]), QString::fromLatin1(stateRows[s].first),
                                  u"%1"_s.arg(10000 + random.below(89999), 5, 10, QLatin1Char('0')),
                                  u"415-555-%1"_s.arg(1000 + c * 37, 4, 10, QLatin1Char('0')),
                                  money(100000 + 50000 * random.below(10)), c % 7 != 0});
    }

    const int orderCount = 60;
    for (int o = 0; o < orderCount; ++o) {
        const QDate ordered = BaseDate.addDays(o * 6 + random.below(5));
        const bool shipped = o < orderCount - 6;
        const QDate shipDate = ordered.addDays(2 + random.below(9));
        rows.orders.push_back({ordered, 101 + random.below(customerCount),
                               o % 4 == 0 ? QVariant() : QVariant(QString::fromLatin1(instructions[size_t(o) % 5])),
                               o % 9 == 0, u"B%1"_s.arg(77000 + o * 13), shipped ? QVariant(shipDate) : QVariant(),
                               shipped ? QVariant(u"%1.%2"_s.arg(5 + random.below(90)).arg(random.below(10)))
                                       : QVariant(),
                               shipped ? QVariant(money(1000 + random.below(4000))) : QVariant(),
                               shipped && o % 3 != 0 ? QVariant(shipDate.addDays(10 + random.below(30)))
                                                     : QVariant(),
                               u"%1:%2"_s.arg(8 + random.below(10), 2, 10, QLatin1Char('0'))
                                   .arg(random.below(60), 2, 10, QLatin1Char('0'))});
        const int lines = 1 + random.below(4);
        const int first = random.below(int(stock.size()));
        for (int line = 0; line < lines; ++line) {
            const StockKey &key = stock[size_t((first + line * 7) % int(stock.size()))];
            const int quantity = 1 + random.below(5);
            rows.items.push_back({line + 1, 1001 + o, key.number, key.manufacturer, quantity,
                                  money(key.priceCents * quantity)});
        }
    }

    for (int call = 0; call < 16; ++call) {
        const QDateTime at(BaseDate.addDays(call * 19), QTime(8 + call % 9, (call * 13) % 60));
        const bool resolved = call % 5 != 4;
        rows.calls.push_back({101 + (call * 3) % customerCount, dateTimeText(at, "yyyy-MM-dd hh:mm"),
                              QString::fromLatin1(callCodes[size_t(call) % callCodes.size()]),
                              u"Call %1: the customer reports a problem with the last delivery\n"
                              "and asks for a call back before noon."_s.arg(call + 1),
                              resolved ? QVariant(dateTimeText(at.addSecs(3600 * (1 + call % 30)).addMSecs(123 + call),
                                                               "yyyy-MM-dd hh:mm:ss.zzz"))
                                       : QVariant(),
                              resolved ? QVariant(u"Resolved: sent a replacement.\nCustomer satisfied."_s)
                                       : QVariant()});
    }

    for (int c = 0; c < 20; ++c) {
        const StockKey &key = stock[size_t(c * 2)];
        QByteArray picture(64 + c, '\0');
        for (int b = 0; b < picture.size(); ++b)
            picture[b] = char((b * 31 + c * 7) & 0xff);
        QByteArray photo = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(16 + c, char(c));
        rows.catalog.push_back({key.number, key.manufacturer,
                                u"Catalog entry for %1 (%2)"_s.arg(QString::fromLatin1(products[size_t(key.number - 1)]),
                                                                 key.manufacturer),
                                picture, photo,
                                c % 2 == 0 ? QVariant(u"Best seller of the season!"_s) : QVariant()});
    }

    for (int change = 0; change < 10; ++change) {
        const StockKey &key = stock[size_t(change * 3)];
        const int newCents = key.priceCents + 100 * (1 + change);
        rows.priceChanges.push_back({key.number, key.manufacturer, money(key.priceCents), money(newCents),
                                     u"%1"_s.arg(double(newCents) / key.priceCents, 0, 'f', 6),
                                     u"%1-%2"_s.arg(change % 3).arg(change % 12, 2, 10, QLatin1Char('0'))});
    }

    const std::array departments{std::pair{"ADM", "Administration"}, std::pair{"ENG", "Engineering"},
                                 std::pair{"FIN", "Finance"}, std::pair{"MKT", "Marketing"},
                                 std::pair{"SAL", "Sales"}};
    for (size_t d = 0; d < departments.size(); ++d)
        rows.departments.push_back({QString::fromLatin1(departments[d].first),
                                    QString::fromLatin1(departments[d].second), money(25000000 + int(d) * 1500000)});
    for (int e = 0; e < 25; ++e) {
        const QString first = QString::fromLatin1(firstNames[size_t(e) % firstNames.size()]);
        const QString last = QString::fromLatin1(lastNames[size_t(e * 3 + 1) % lastNames.size()]);
        rows.employees.push_back({QString::fromLatin1(departments[size_t(e) % departments.size()].first), first, last,
                                  BaseDate.addDays(-30 * e - random.below(30)), money(4200000 + random.below(3000000)),
                                  u"%1.%2%3@example.com"_s.arg(first.toLower(), last.toLower()).arg(e)});
    }
    return rows;
}

std::vector<QVariantList> makeSensorReadings(int count)
{
    std::vector<QVariantList> rows;
    rows.reserve(size_t(count));
    Sequence random(424242u);
    const QDateTime start(BaseDate, QTime(0, 0));
    static const QString statuses[] = {u"A"_s, u"E"_s, u"S"_s};
    for (int i = 0; i < count; ++i) {
        const int raw = random.below(2000000) - 1000000;
        rows.push_back({qint64(i) + 1, 1 + i % 24, dateTimeText(start.addSecs(qint64(i) * 37)),
                        u"%1"_s.arg(raw / 10000.0, 0, 'f', 4), raw / 1000.0, raw / 7.0,
                        qint64(i) * 1000003LL, qint64(i) * qint64(i), random.below(1000),
                        statuses[random.below(50) == 0 ? 1 + i % 2 : 0],
                        i % 500 == 0 ? QVariant(u"maintenance"_s) : QVariant()});
    }
    return rows;
}

QStringList wideTableStatements(int number)
{
    const QString name = u"wide_%1"_s.arg(number, 4, 10, QLatin1Char('0'));
    // A serial key in every tenth table only: each one costs the storage
    // engine a trigger.
    QString columns = (number % 10 == 1 ? u"id serial primary key"_s : u"id integer not null primary key"_s)
                      + u", code char(8) not null, name varchar(40)"_s;
    switch (number % 5) {
    case 0: columns += u", amount decimal(12,2) default 0, changed date default today"_s; break;
    case 1: columns += u", qty integer, price money(10,2), noted datetime year to second"_s; break;
    case 2: columns += u", flag boolean, ratio float, remark lvarchar(500)"_s; break;
    case 3: columns += u", parent integer, created_by varchar(32) default user"_s; break;
    default: columns += u", big int8, small smallint, fraction smallfloat, span interval hour to minute"_s; break;
    }
    QStringList statements{u"create table %1 (%2)"_s.arg(name, columns)};
    if (number % 10 == 0)
        statements.append(u"create unique index ux_%1_code on %1 (code)"_s.arg(name));
    return statements;
}

} // namespace quoll::connection::builtin
