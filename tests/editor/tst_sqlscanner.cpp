#include "editor/sqlkeywords.h"
#include "editor/sqlscanner.h"

#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::editor;

Q_DECLARE_METATYPE(quoll::editor::LineState)

namespace {

QChar code(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Comment: return u'C';
    case TokenKind::ReservedWord: return u'K';
    case TokenKind::Identifier: return u'I';
    case TokenKind::Unknown: return u'U';
    case TokenKind::Number: return u'N';
    case TokenKind::String: return u'S';
    case TokenKind::Symbol: return u'Y';
    case TokenKind::Variable: return u'V';
    case TokenKind::Space: return u'_';
    }
    return u'?';
}

// The tokens of a line written as "K[select] _[ ] I[x]". Space tokens show
// their length only, since blanks are hard to read in a table.
QString describe(const QString &line, const std::vector<Token> &tokens)
{
    QStringList parts;
    int expectedStart = 0;
    for (const Token &t : tokens) {
        // Tokens must tile the line without gaps or overlaps.
        if (t.start != expectedStart)
            parts << u"GAP@%1"_s.arg(t.start);
        expectedStart = t.start + t.length;
        if (t.kind == TokenKind::Space)
            parts << u"_%1"_s.arg(t.length);
        else
            parts << QString(code(t.kind)) + u'[' + line.mid(t.start, t.length) + u']';
    }
    if (expectedStart != line.size())
        parts << u"END@%1"_s.arg(expectedStart);
    return parts.join(u' ');
}

} // namespace

class TstSqlScanner : public QObject
{
    Q_OBJECT

private slots:
    // One row per line of the first-character table, plus the edge cases
    // that go with it.
    void firstCharacterDecidesTheToken_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<LineState>("state");
        const auto row = [](const char *name, const QString &line, const QString &tokens,
                            LineState state = LineState::None) { QTest::newRow(name) << line << tokens << state; };
        row("end of line", u""_s, u""_s);
        row("blanks and control codes", u"\t \u0001\u001fx"_s, u"_4 I[x]"_s);
        row("line feed alone", u"\n\n"_s, u"_1 _1"_s);
        row("CR with its LF", u"\r\n\r\r"_s, u"_2 _1 _1"_s);
        row("letters start words", u"SeLeCt selected _x1#$ a"_s,
            u"K[SeLeCt] _1 I[selected] _1 I[_x1#$] _1 I[a]"_s);
        row("digits, minus and dots", u"1-2 3.5.6 12a"_s, u"N[1-2] _1 N[3.5.6] _1 N[12] I[a]"_s);
        row("two dots end a number", u"1..2"_s, u"N[1] Y[.] Y[.] N[2]"_s);
        row("minus ends no number", u"1--2"_s, u"N[1--2]"_s);
        row("single-quoted string", u"'abc' x"_s, u"S['abc'] _1 I[x]"_s);
        row("doubled single quotes are two strings", u"'it''s'"_s, u"S['it'] S['s']"_s);
        row("single quote left open", u"x 'abc"_s, u"I[x] _1 S['abc]"_s, LineState::SingleQuoteString);
        row("double quotes doubled inside", u"\"a\"\"b\" x"_s, u"S[\"a\"\"b\"] _1 I[x]"_s);
        row("backslash before a double quote", u"\"c\\\"d\" x"_s, u"S[\"c\\\"d\"] _1 I[x]"_s);
        row("double quote ends at line end", u"\"open 'x"_s, u"S[\"open 'x]"_s);
        row("empty double-quoted string", u"\"\"x"_s, u"S[\"\"] I[x]"_s);
        row("minus and line comment", u"a-b --c 'd"_s, u"I[a] Y[-] I[b] _1 C[--c 'd]"_s);
        row("slash forms", u"/ /= /*x*/ /*/ y"_s, u"Y[/] _1 Y[/=] _1 C[/*x*/] _1 C[/*/] _1 I[y]"_s);
        row("block comment left open", u"a /* b"_s, u"I[a] _1 C[/* b]"_s, LineState::BlockComment);
        row("comments do not nest", u"/* /* a */ b"_s, u"C[/* /* a */] _1 I[b]"_s);
        row("variables", u"@var1 @ @a#"_s, u"V[@var1] _1 V[@] _1 V[@a#]"_s);
        row("colon then name", u":name ::"_s, u"Y[:] I[name] _1 Y[:] Y[:]"_s);
        row("less than", u"< <= << <<= <>"_s, u"Y[<] _1 Y[<=] _1 Y[<<] _1 Y[<<=] _1 Y[<] Y[>]"_s);
        row("equals", u"= == => =<"_s, u"Y[=] _1 Y[==] _1 Y[=>] _1 Y[=] Y[<]"_s);
        row("greater than", u"> >= >> >>="_s, u"Y[>] _1 Y[>=] _1 Y[>>] _1 Y[>>] Y[=]"_s);
        row("character or with equals", u"! != % %= * *= ^ ^= !!"_s,
            u"Y[!] _1 Y[!=] _1 Y[%] _1 Y[%=] _1 Y[*] _1 Y[*=] _1 Y[^] _1 Y[^=] _1 Y[!] Y[!]"_s);
        row("ampersand", u"& && &= &&&"_s, u"Y[&] _1 Y[&&] _1 Y[&=] _1 Y[&&] Y[&]"_s);
        row("plus", u"+ ++ += +++"_s, u"Y[+] _1 Y[++] _1 Y[+=] _1 Y[++] Y[+]"_s);
        row("bar", u"| || |= |||"_s, u"Y[|] _1 Y[||] _1 Y[|=] _1 Y[||] Y[|]"_s);
        row("unrecognised characters", u"#x$\\`\u007f\u00e9\u0416"_s,
            u"U[#] I[x$] U[\\] U[`] U[\u007f] U[\u00e9] U[\u0416]"_s);
        row("word after a hash", u"#temp"_s, u"U[#] I[temp]"_s);
        row("other symbols", u"(),.;?[]{}~"_s, u"Y[(] Y[)] Y[,] Y[.] Y[;] Y[?] Y[[] Y[]] Y[{] Y[}] Y[~]"_s);
        // A NUL inside the text ends nothing: the rest of the line is still scanned.
        row("NUL inside a line", u"a"_s + QChar(0) + u"b"_s, u"I[a] U["_s + QChar(0) + u"] I[b]"_s);
    }

    void firstCharacterDecidesTheToken()
    {
        QFETCH(QString, line);
        QFETCH(QString, tokens);
        QFETCH(LineState, state);
        const ScanResult result = scanLine(line, LineState::None);
        QCOMPARE(describe(line, result.tokens), tokens);
        QCOMPARE(result.state, state);
    }

    // Lines scanned one after the other, each from the state the one before
    // left; rows separate the lines with "|" and their expected tokens with " | ".
    void stateCarriesAcrossLines_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<QString>("states");
        QTest::newRow("string over three lines")
            << u"select 'abc|middle -- line|end' from t"_s
            << u"K[select] _1 S['abc] | S[middle -- line] | S[end'] _1 K[from] _1 I[t]"_s << u"S S N"_s;
        QTest::newRow("continued string closed by a leading quote")
            << u"'open|' later"_s << u"S['open] | S['] _1 I[later]"_s << u"S N"_s;
        QTest::newRow("comment over an empty line")
            << u"x /* start||still */ y"_s << u"I[x] _1 C[/* start] |  | C[still */] _1 I[y]"_s << u"B B N"_s;
        QTest::newRow("comment closed at the first character")
            << u"/* a|*/b"_s << u"C[/* a] | C[*/] I[b]"_s << u"B N"_s;
        QTest::newRow("slash of a closing pair alone")
            << u"/*|/ x"_s << u"C[/*] | C[/ x]"_s << u"B B"_s;
        QTest::newRow("quote inside a comment opens nothing")
            << u"/* it's|*/ 'a'"_s << u"C[/* it's] | C[*/] _1 S['a']"_s << u"B N"_s;
        QTest::newRow("line comment carries nothing")
            << u"-- /* not open|x"_s << u"C[-- /* not open] | I[x]"_s << u"N N"_s;
        QTest::newRow("double quote carries nothing")
            << u"\"abc|x'"_s << u"S[\"abc] | I[x] S[']"_s << u"N S"_s;
        QTest::newRow("comment start inside a string")
            << u"'a /* b|c' x"_s << u"S['a /* b] | S[c'] _1 I[x]"_s << u"S N"_s;
    }

    void stateCarriesAcrossLines()
    {
        QFETCH(QString, lines);
        QFETCH(QString, tokens);
        QFETCH(QString, states);
        LineState state = LineState::None;
        QStringList described;
        QStringList ended;
        for (const QString &line : lines.split(u'|')) {
            const ScanResult result = scanLine(line, state);
            described << describe(line, result.tokens);
            state = result.state;
            ended << (state == LineState::None ? u"N"_s : state == LineState::BlockComment ? u"B"_s : u"S"_s);
        }
        QCOMPARE(described.join(u" | "_s), tokens);
        QCOMPARE(ended.join(u' '), states);
    }

    void reservedWordsIgnoreCase_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("reserved");
        QTest::newRow("upper") << u"SELECT"_s << true;
        QTest::newRow("lower") << u"select"_s << true;
        QTest::newRow("mixed") << u"sElEcT"_s << true;
        QTest::newRow("longer word") << u"selected"_s << false;
        QTest::newRow("prefix") << u"selec"_s << false;
        QTest::newRow("underscore word") << u"ENTRY_POINT"_s << true;
        QTest::newRow("shortest") << u"AS"_s << true;
        QTest::newRow("longest") << u"Uncommitted"_s << true;
        QTest::newRow("type names are not") << u"char"_s << false;
        QTest::newRow("integer") << u"integer"_s << false;
        QTest::newRow("date") << u"date"_s << false;
        QTest::newRow("varchar") << u"varchar"_s << false;
        QTest::newRow("functions are not") << u"sum"_s << false;
        QTest::newRow("max") << u"MAX"_s << false;
        QTest::newRow("informix words outside the list") << u"matches"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("very long") << u"selectselectselectselect"_s << false;
        // Only ASCII letters have another case: a look-alike letter is no match.
        QTest::newRow("cyrillic look-alike") << u"\u0441elect"_s << false;
    }

    void reservedWordsIgnoreCase()
    {
        QFETCH(QString, word);
        QFETCH(bool, reserved);
        QCOMPARE(isReservedWord(word), reserved);
        if (!word.isEmpty() && word[0].isLetter() && word[0].unicode() < 128) {
            const ScanResult result = scanLine(word, LineState::None);
            QCOMPARE(result.tokens.size(), size_t(1));
            QCOMPARE(result.tokens[0].kind, reserved ? TokenKind::ReservedWord : TokenKind::Identifier);
        }
    }

    void everyListedWordIsReservedInAnyCase()
    {
        const QStringList &words = reservedWords();
        QCOMPARE(words.size(), 126);
        QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), 126);
        for (const QString &word : words) {
            QVERIFY2(isReservedWord(word.toUpper()), qPrintable(word));
            QVERIFY2(isReservedWord(word.left(1).toUpper() + word.mid(1)), qPrintable(word));
            QVERIFY2(!isReservedWord(word + u'x'), qPrintable(word));
        }
    }
};

QUOLL_TEST(TstSqlScanner);

#include "tst_sqlscanner.moc"
