#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quoll::exporting {

// The head of the HTML report and of the printed catalog lists, from
// "<HTML>" through the opening tag of the table: a page declared in
// windows-1251, header cells white on teal, data cells white.
QString reportHead();
// What closes the report's table and page.
QString reportEnd();

// A cell or header text as page text: "&", "<", ">" and quotes escaped, so
// that the page shows exactly the text and nothing from the database runs
// as markup.
QString htmlText(const QString &text);

// The bytes of a page in windows-1251, as its head declares; a character the
// code page cannot hold is written as a numeric character reference, so
// that nothing is lost.
QByteArray htmlBytes(const QString &html);

// Appends UTF-8 text as page text in those bytes: escaped as htmlText does,
// in windows-1251 with numeric character references.
void appendHtmlText(QByteArray &out, QByteArrayView utf8);

// "Report.html" in a folder of the temporary area that only this user can
// write (made on first use). Raises Error when there is no such folder.
QString reportFilePath();

// Puts `bytes` in place of the report file in one step (a link standing
// there is replaced, never followed) and returns its path. Raises Error.
QString writeReportFile(const QByteArray &bytes);

} // namespace quoll::exporting
