#include "app/settingscolour.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app::SettingsColour {

namespace {

struct Named
{
    const char *name;
    quint32 value;
};

constexpr std::array<Named, 17> Plain = {{
    {"clBlack", 0x00000000},  {"clMaroon", 0x00000080}, {"clGreen", 0x00008000},  {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},   {"clPurple", 0x00800080}, {"clTeal", 0x00808000},   {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0}, {"clRed", 0x000000FF},    {"clLime", 0x0000FF00},   {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},   {"clFuchsia", 0x00FF00FF}, {"clAqua", 0x00FFFF00},  {"clWhite", 0x00FFFFFF},
    {"clNone", None},
}};

// The system colours 80000000 to 80000018 in order, with the palette role
// that plays their part here.
struct System
{
    const char *name;
    QPalette::ColorRole role;
};

constexpr std::array<System, 25> SystemColours = {{
    {"clScrollBar", QPalette::Button},          {"clBackground", QPalette::Window},
    {"clActiveCaption", QPalette::Highlight},   {"clInactiveCaption", QPalette::Window},
    {"clMenu", QPalette::Window},               {"clWindow", QPalette::Base},
    {"clWindowFrame", QPalette::Shadow},        {"clMenuText", QPalette::WindowText},
    {"clWindowText", QPalette::Text},           {"clCaptionText", QPalette::HighlightedText},
    {"clActiveBorder", QPalette::Window},       {"clInactiveBorder", QPalette::Window},
    {"clAppWorkSpace", QPalette::Dark},         {"clHighlight", QPalette::Highlight},
    {"clHighlightText", QPalette::HighlightedText}, {"clBtnFace", QPalette::Button},
    {"clBtnShadow", QPalette::Dark},            {"clGrayText", QPalette::PlaceholderText},
    {"clBtnText", QPalette::ButtonText},        {"clInactiveCaptionText", QPalette::WindowText},
    {"clBtnHighlight", QPalette::Light},        {"cl3DDkShadow", QPalette::Shadow},
    {"cl3DLight", QPalette::Midlight},          {"clInfoText", QPalette::ToolTipText},
    {"clInfoBk", QPalette::ToolTipBase},
}};

constexpr quint32 SystemBase = 0x80000000;

} // namespace

std::optional<quint32> parse(const QString &text)
{
    const QString t = text.trimmed();
    for (const Named &n : Plain)
        if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.value;
    for (size_t i = 0; i < SystemColours.size(); ++i)
        if (t.compare(QLatin1String(SystemColours[i].name), Qt::CaseInsensitive) == 0)
            return SystemBase + quint32(i);
    bool ok = false;
    const qint64 number = t.startsWith(u'$') ? t.mid(1).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(number);
}

QString text(quint32 value)
{
    for (const Named &n : Plain)
        if (n.value == value)
            return QString::fromLatin1(n.name);
    if (value >= SystemBase && value - SystemBase < SystemColours.size())
        return QString::fromLatin1(SystemColours[value - SystemBase].name);
    return u"$"_s + QString::number(value, 16).toUpper().rightJustified(8, u'0');
}

std::optional<QColor> toColor(quint32 value, const QPalette &palette)
{
    if (value == None)
        return std::nullopt;
    if (value >= SystemBase) {
        if (value - SystemBase < SystemColours.size())
            return palette.color(QPalette::Active, SystemColours[value - SystemBase].role);
        return std::nullopt;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 fromColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

} // namespace quoll::app::SettingsColour
