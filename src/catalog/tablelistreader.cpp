#include "catalog/tablelistreader.h"

#include "catalog/catalogqueries.h"
#include "connection/engine/dateliterals.h"
#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"

#include <QHash>

#include <charconv>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

namespace {

std::int32_t wholeNumber(std::string_view text)
{
    std::int64_t value = 0;
    const char *begin = text.data();
    const char *end = begin + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    const auto [rest, error] = std::from_chars(begin, end, value);
    if (error == std::errc() && (rest == end || *rest == ' '))
        return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
    // nrows is a FLOAT in the catalog: "1000.0", "1.5e+06".
    const double number = QByteArray(text.data(), qsizetype(text.size())).trimmed().toDouble();
    if (!std::isfinite(number))
        return 0;
    return std::int32_t(std::clamp<double>(number, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));
}

// Builds one record from the ten fields of a row, in the order of the
// select list.
class TableInfoSink final : public connection::RowSink
{
public:
    void addField(const char *utf8, std::size_t length) override
    {
        const std::string_view text(utf8, length);
        switch (m_field++) {
        case 0: m_info.name = QString::fromUtf8(utf8, qsizetype(length)).left(TableInfo::MaxName); break;
        case 1: m_info.owner = owner(text); break;
        case 2: m_info.tabid = wholeNumber(text); break;
        case 3: m_info.rowsize = wholeNumber(text); break;
        case 4: m_info.ncols = wholeNumber(text); break;
        case 5: m_info.nindexes = wholeNumber(text); break;
        case 6: m_info.nrows = wholeNumber(text); break;
        case 7: m_info.created = date(text); break;
        case 8: m_info.tabtype = firstCharacter(text); break;
        case 9: m_info.locklevel = firstCharacter(text); break;
        default: break;
        }
    }
    void addNull() override { ++m_field; }

    // The record of the row just read; the sink is ready for the next row.
    TableInfo take()
    {
        TableInfo info = std::move(m_info);
        m_info = TableInfo{};
        m_info.tabtype = m_info.locklevel = u' ';
        m_field = 0;
        return info;
    }

private:
    // A CHAR column comes blank-padded. Most tables share a few owners: one
    // string each.
    QString owner(std::string_view text)
    {
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        const QByteArray key(text.data(), qsizetype(text.size()));
        const auto known = m_owners.constFind(key);
        if (known != m_owners.cend())
            return *known;
        const QString owner = QString::fromUtf8(key).left(TableInfo::MaxOwner);
        m_owners.insert(key, owner);
        return owner;
    }

    static QDate date(std::string_view text)
    {
        QChar buffer[32];
        if (text.size() >= std::size(buffer))
            return {};
        for (size_t i = 0; i < text.size(); ++i)
            buffer[i] = QChar::fromLatin1(text[i]);
        const std::optional<qint64> days =
            connection::parseDateText(QStringView(buffer, qsizetype(text.size())));
        return days ? connection::dateOfDay(*days) : QDate();
    }

    // Only the first character counts; an empty value is kept as a blank.
    static char16_t firstCharacter(std::string_view text)
    {
        if (text.empty())
            return u' ';
        const auto c = static_cast<unsigned char>(text.front());
        return c < 0x80 ? char16_t(c) : QString::fromUtf8(text.data(), qsizetype(text.size())).at(0).unicode();
    }

    TableInfo m_info;
    int m_field = 0;
    QHash<QByteArray, QString> m_owners;
};

} // namespace

TableInfoList readTableList(connection::Engine &engine, const QString &condition)
{
    const std::unique_ptr<connection::PreparedStatement> statement = engine.prepare(tableListQuery(condition));
    const std::unique_ptr<connection::Cursor> cursor = statement->execute();
    if (!cursor)
        throw connection::EngineError(0, u"The table list query gave no rows to read."_s);
    TableInfoList records;
    TableInfoSink sink;
    sink.take();
    while (cursor->fetch(sink))
        records.push_back(sink.take());
    return records;
}

} // namespace quoll::catalog
