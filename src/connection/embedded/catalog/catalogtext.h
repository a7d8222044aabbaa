#pragma once

#include <QStringList>
#include <QStringView>

namespace quoll::connection::embedded {

// Catalog tables keep long texts (a view's definition, a trigger's or a
// routine's text) in numbered pieces of a fixed number of characters.
namespace CatalogPiece {
inline constexpr qsizetype ViewText = 64;    // sysviews.viewtext
inline constexpr qsizetype BodyData = 256;   // systrigbody.data, sysprocbody.data
} // namespace CatalogPiece

// `text` cut into pieces of at most `length` characters, piece i to be
// stored with seqno i. Joining the pieces in order gives `text` back
// exactly (blanks and line breaks included); a piece never ends between
// the two halves of a surrogate pair, so it may be one character shorter.
// An empty text has no pieces.
QStringList splitCatalogText(QStringView text, qsizetype length);

} // namespace quoll::connection::embedded
