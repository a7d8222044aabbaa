#include "export/workbookwriter.h"

#include "connection/engine/dateliterals.h"
#include "core/error.h"

#include <QDate>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

namespace {

using connection::FieldType;

// What a cell cannot hold more of.
constexpr qsizetype MaxCellCharacters = 32767;
// Whole numbers up to this size are exact in a spreadsheet's numbers.
constexpr qint64 ExactWhole = qint64(1) << 53;

bool digitsOnly(QByteArrayView text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A decimal text a double holds exactly enough to show every digit (at
// most 15 significant digits).
bool fitsDouble(QByteArrayView text)
{
    int digits = 0;
    bool leading = true;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (c != '0' || !leading) {
                leading = false;
                ++digits;
            }
        } else if (c != '.' && c != '-' && c != '+') {
            return false;
        }
    }
    return digits <= 15;
}

std::optional<lxw_datetime> dateOf(QByteArrayView text)
{
    QString s = QString::fromUtf8(text).trimmed();
    const std::optional<qint64> days = connection::parseDateText(s);
    if (!days)
        return std::nullopt;
    const QDate date = connection::dateOfDay(*days);
    if (!date.isValid())
        return std::nullopt;
    return lxw_datetime{date.year(), date.month(), date.day(), 0, 0, 0};
}

// "hh:mm[:ss[.fff]]" into the time fields of `value`.
bool readTime(QStringView text, lxw_datetime &value)
{
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    bool ok1 = false, ok2 = false, ok3 = true;
    value.hour = parts[0].toInt(&ok1);
    value.min = parts[1].toInt(&ok2);
    value.sec = parts.size() == 3 ? parts[2].toDouble(&ok3) : 0;
    return ok1 && ok2 && ok3 && value.hour >= 0 && value.hour < 24 && value.min >= 0 && value.min < 60
           && value.sec >= 0 && value.sec < 60;
}

// "yyyy-mm-dd[ hh:mm[:ss[.fff]]]" or a time alone.
std::optional<lxw_datetime> dateTimeOf(QByteArrayView text, bool timeOnly)
{
    const QString s = QString::fromUtf8(text).trimmed();
    lxw_datetime value{};
    if (timeOnly)
        return readTime(s, value) ? std::optional(value) : std::nullopt;
    const QStringView date = QStringView(s).left(10);
    const QDate day = QDate::fromString(date.toString(), u"yyyy-MM-dd"_s);
    if (!day.isValid())
        return std::nullopt;
    value.year = day.year();
    value.month = day.month();
    value.day = day.day();
    const QStringView rest = QStringView(s).mid(10).trimmed();
    if (!rest.isEmpty() && !readTime(rest, value))
        return std::nullopt;
    return value;
}

} // namespace

WorkbookWriter::WorkbookWriter(const QString &path, quint32 sheetRows)
    : m_path(path), m_sheetRows(std::clamp<quint32>(sheetRows, 2, SheetRows))
{
    // A name of its own beside the target, kept free until the library
    // writes the workbook there.
    const QFileInfo target(path);
    QTemporaryFile reserve(target.absoluteDir().filePath(u"."_s + target.fileName() + u".XXXXXX"_s));
    if (!reserve.open())
        throw Error(u"Cannot create file %1"_s.arg(path));
    m_temporary = reserve.fileName();
    reserve.close();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    const QByteArray name = QFile::encodeName(m_temporary);
    m_book = workbook_new_opt(name.constData(), &options);
    if (!m_book)
        throw Error(u"Cannot create file %1"_s.arg(path));
    m_textFormat = workbook_add_format(m_book);
    format_set_num_format(m_textFormat, "@");
    m_dateFormat = workbook_add_format(m_book);
    format_set_num_format(m_dateFormat, "dd.mm.yyyy");
    m_timeFormat = workbook_add_format(m_book);
    format_set_num_format(m_timeFormat, "hh:mm:ss");
    m_dateTimeFormat = workbook_add_format(m_book);
    format_set_num_format(m_dateTimeFormat, "dd.mm.yyyy hh:mm:ss");
}

WorkbookWriter::~WorkbookWriter()
{
    // Not finished: nothing is written, and the reserved name goes.
    if (m_book) {
        lxw_workbook_free(m_book);
        QFile::remove(m_temporary);
    }
}

void WorkbookWriter::check(int error, const char *what) const
{
    if (error != LXW_NO_ERROR)
        throw Error(u"Cannot write %1 into %2: %3"_s.arg(QLatin1String(what), m_path,
                                                         QString::fromUtf8(lxw_strerror(lxw_error(error)))));
}

void WorkbookWriter::newSheet()
{
    ++m_sheets;
    const QByteArray name = m_sheets == 1 ? QByteArray() : "Sheet" + QByteArray::number(m_sheets);
    m_sheet = workbook_add_worksheet(m_book, name.isEmpty() ? nullptr : name.constData());
    if (!m_sheet)
        throw Error(u"Cannot create file %1"_s.arg(m_path));
    for (qsizetype column = 0; column < m_fields.size(); ++column)
        writeText(0, quint16(column), m_fields[column].name.toUtf8());
    m_row = 1;
}

void WorkbookWriter::begin(const QList<connection::FieldDesc> &fields)
{
    if (fields.size() > LXW_COL_MAX)
        throw Error(u"A sheet holds at most %1 columns; the result has %2."_s.arg(LXW_COL_MAX).arg(fields.size()));
    m_fields = fields;
    m_kinds.clear();
    for (const connection::FieldDesc &field : fields) {
        switch (field.type) {
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::LargeInt:
        case FieldType::Word:
        case FieldType::AutoInc:
            m_kinds.push_back(Kind::Whole);
            break;
        case FieldType::Float: m_kinds.push_back(Kind::Float); break;
        case FieldType::Currency:
        case FieldType::BCD:
            m_kinds.push_back(Kind::Decimal);
            break;
        case FieldType::Boolean: m_kinds.push_back(Kind::Boolean); break;
        case FieldType::Date: m_kinds.push_back(Kind::Date); break;
        case FieldType::Time: m_kinds.push_back(Kind::Time); break;
        case FieldType::DateTime: m_kinds.push_back(Kind::DateTime); break;
        case FieldType::Bytes:
        case FieldType::VarBytes:
        case FieldType::Blob:
        case FieldType::Graphic:
        case FieldType::Unknown:
            m_kinds.push_back(Kind::Empty);
            break;
        default: m_kinds.push_back(Kind::Text); break;
        }
    }
    newSheet();
}

void WorkbookWriter::writeText(quint32 row, quint16 column, QByteArrayView utf8)
{
    m_cell = utf8.toByteArray();
    if (m_cell.size() > MaxCellCharacters) {
        // A cell holds no more characters: the rest is cut at a whole one.
        qsizetype characters = 0;
        for (qsizetype i = 0; i < m_cell.size(); ++i) {
            if ((static_cast<unsigned char>(m_cell[i]) & 0xC0) == 0x80)
                continue;
            if (++characters > MaxCellCharacters) {
                m_cell.truncate(i);
                break;
            }
        }
    }
    check(worksheet_write_string(m_sheet, row, column, m_cell.constData(), m_textFormat), "a text");
}

void WorkbookWriter::write(quint32 row, quint16 column, Kind kind, QByteArrayView utf8)
{
    switch (kind) {
    case Kind::Whole: {
        const QByteArrayView digits = utf8.startsWith('-') ? utf8.sliced(1) : utf8;
        bool ok = false;
        const qint64 value = digitsOnly(digits) && !digits.isEmpty() ? utf8.toLongLong(&ok) : 0;
        if (ok && value > -ExactWhole && value < ExactWhole)
            return check(worksheet_write_number(m_sheet, row, column, double(value), nullptr), "a number");
        break;
    }
    case Kind::Float:
    case Kind::Decimal: {
        // A float's text is a double's own; a decimal's may hold more digits.
        bool ok = false;
        const double value = utf8.toDouble(&ok);
        if (ok && std::isfinite(value) && (kind == Kind::Float || fitsDouble(utf8)))
            return check(worksheet_write_number(m_sheet, row, column, value, nullptr), "a number");
        break;
    }
    case Kind::Boolean: {
        const bool yes = utf8 == "t" || utf8 == "1" || utf8 == "true" || utf8 == "T";
        const bool no = utf8 == "f" || utf8 == "0" || utf8 == "false" || utf8 == "F";
        if (yes || no)
            return check(worksheet_write_boolean(m_sheet, row, column, yes, nullptr), "a boolean");
        break;
    }
    case Kind::Date:
        if (std::optional<lxw_datetime> value = dateOf(utf8))
            return check(worksheet_write_datetime(m_sheet, row, column, &*value, m_dateFormat), "a date");
        break;
    case Kind::Time:
        if (std::optional<lxw_datetime> value = dateTimeOf(utf8, true))
            return check(worksheet_write_datetime(m_sheet, row, column, &*value, m_timeFormat), "a time");
        break;
    case Kind::DateTime:
        if (std::optional<lxw_datetime> value = dateTimeOf(utf8, false))
            return check(worksheet_write_datetime(m_sheet, row, column, &*value, m_dateTimeFormat), "a date");
        break;
    case Kind::Empty:
        return;
    case Kind::Text:
        break;
    }
    // Text, and any value its type's cell cannot hold exactly.
    writeText(row, column, utf8);
}

void WorkbookWriter::row(std::span<const ExportValue> values)
{
    if (m_row >= m_sheetRows)
        newSheet();
    for (size_t column = 0; column < values.size() && column < m_kinds.size(); ++column)
        if (!values[column].null)
            write(m_row, quint16(column), m_kinds[column], values[column].utf8);
    ++m_row;
}

void WorkbookWriter::finish()
{
    lxw_workbook *book = std::exchange(m_book, nullptr);
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        QFile::remove(m_temporary);
        throw Error(u"Cannot create file %1: %2"_s.arg(m_path, QString::fromUtf8(lxw_strerror(error))));
    }
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0) {
        QFile::remove(m_temporary);
        throw Error(u"Cannot create file %1"_s.arg(m_path));
    }
}

} // namespace quoll::exporting
