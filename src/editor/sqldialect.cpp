#include "editor/sqldialect.h"

#include <QFont>

using namespace Qt::Literals::StringLiterals;

namespace quoll::editor {

namespace {

constexpr int TokenKindCount = int(TokenKind::Space) + 1;

} // namespace

QTextCharFormat HighlightAttribute::format() const
{
    QTextCharFormat f;
    if (bold)
        f.setFontWeight(QFont::Bold);
    if (italic)
        f.setFontItalic(true);
    if (foreground.isValid())
        f.setForeground(foreground);
    return f;
}

const SqlDialect &SqlDialect::standard()
{
    static const SqlDialect dialect;
    return dialect;
}

SqlDialect::SqlDialect()
{
    const QColor blue(0x00, 0x00, 0xFF);
    const QColor green(0x00, 0x80, 0x00);
    m_attributes = {
        {u"Comment"_s, false, true, {}},
        {u"Reserved word"_s, true, false, {}},
        {u"Identifier"_s, false, false, {}},
        {u"Number"_s, false, false, blue},
        {u"String"_s, false, false, green},
        {u"Symbol"_s, false, false, {}},
        {u"Variable"_s, false, false, {}},
        {u"Space"_s, false, false, {}},
        // Used by other dialects only.
        {u"Data type"_s, true, false, {}},
        {u"Function"_s, true, false, {}},
        {u"Default packages"_s, true, false, {}},
        {u"Exception"_s, false, true, {}},
        {u"Reserved word (PL/SQL)"_s, true, false, {}},
        {u"SQL*Plus command"_s, true, false, {}},
    };
    const auto indexOf = [this](const QString &name) {
        for (size_t i = 0; i < m_attributes.size(); ++i)
            if (m_attributes[i].name == name)
                return int(i);
        return 0;
    };
    m_attributeOfKind.resize(TokenKindCount);
    m_attributeOfKind[size_t(TokenKind::Comment)] = indexOf(u"Comment"_s);
    m_attributeOfKind[size_t(TokenKind::ReservedWord)] = indexOf(u"Reserved word"_s);
    m_attributeOfKind[size_t(TokenKind::Identifier)] = indexOf(u"Identifier"_s);
    m_attributeOfKind[size_t(TokenKind::Unknown)] = indexOf(u"Identifier"_s);
    m_attributeOfKind[size_t(TokenKind::Number)] = indexOf(u"Number"_s);
    m_attributeOfKind[size_t(TokenKind::String)] = indexOf(u"String"_s);
    m_attributeOfKind[size_t(TokenKind::Symbol)] = indexOf(u"Symbol"_s);
    m_attributeOfKind[size_t(TokenKind::Variable)] = indexOf(u"Variable"_s);
    m_attributeOfKind[size_t(TokenKind::Space)] = indexOf(u"Space"_s);
    for (int kind = 0; kind < TokenKindCount; ++kind)
        m_formats.push_back(attributeFor(TokenKind(kind)).format());
}

const HighlightAttribute &SqlDialect::attributeFor(TokenKind kind) const
{
    return m_attributes[size_t(m_attributeOfKind[size_t(kind)])];
}

} // namespace quoll::editor
