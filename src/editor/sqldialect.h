#pragma once

#include "editor/sqltoken.h"

#include <QColor>
#include <QString>
#include <QTextCharFormat>

#include <vector>

namespace quoll::editor {

// A display attribute of the highlighter: a font style and, when set, a
// foreground colour. Without one the editor's text colour shows; no
// attribute has a background, so the editor's background shows through.
struct HighlightAttribute
{
    QString name;
    bool bold = false;
    bool italic = false;
    QColor foreground;   // invalid: the editor's text colour

    QTextCharFormat format() const;
};

// The configuration shared by every editor's highlighter: the standard SQL
// dialect with its attributes. Other dialects' attributes are kept so that
// they can be listed, but the standard dialect never produces them.
class SqlDialect
{
public:
    // The standard dialect, the one the program configures.
    static const SqlDialect &standard();

    QString languageName() const { return QStringLiteral("SQL"); }
    QString fileFilter() const { return QStringLiteral("SQL files (*.sql)|*.sql"); }

    // Every attribute, the standard dialect's first.
    const std::vector<HighlightAttribute> &attributes() const { return m_attributes; }
    // The attribute a token of `kind` is shown with.
    const HighlightAttribute &attributeFor(TokenKind kind) const;
    // Its format, ready for the highlighter (empty for plain text).
    const QTextCharFormat &formatFor(TokenKind kind) const { return m_formats[size_t(kind)]; }

private:
    SqlDialect();

    std::vector<HighlightAttribute> m_attributes;
    std::vector<int> m_attributeOfKind;      // index into m_attributes per TokenKind
    std::vector<QTextCharFormat> m_formats;  // per TokenKind
};

} // namespace quoll::editor
