#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

namespace quoll::app {

// Colours as the settings file keeps them: a 32-bit value, 00BBGGRR for a
// plain colour, 80000000 plus an index for a system colour, 1FFFFFFF for
// none; written as a colour name when it has one ("clWindow"), else as "$"
// and eight upper-case hexadecimal digits.
namespace SettingsColour {

inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 Window = 0x80000005;
inline constexpr quint32 None = 0x1FFFFFFF;

// A name (letter case ignored), a decimal number or "$" and hexadecimal
// digits; nothing for anything else.
std::optional<quint32> parse(const QString &text);
QString text(quint32 value);

// The colour a value stands for on this desktop: a system colour is the
// palette's colour of the same role; nothing for "none".
std::optional<QColor> toColor(quint32 value, const QPalette &palette);
quint32 fromColor(const QColor &colour);

} // namespace SettingsColour

} // namespace quoll::app
