#include "connection/embedded/runtime/matches.h"

namespace quoll::connection::embedded {

namespace {

// Whether `c` is in the bracket set starting after "[" at `p`; `end` is set
// past the closing "]". A set without its "]" is taken literally.
bool inSet(QStringView pattern, qsizetype p, QChar c, qsizetype &end)
{
    bool negate = false;
    if (p < pattern.size() && pattern[p] == u'^') {
        negate = true;
        ++p;
    }
    bool found = false;
    qsizetype i = p;
    for (; i < pattern.size() && (pattern[i] != u']' || i == p); ++i) {
        if (i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']') {
            if (c >= pattern[i] && c <= pattern[i + 2])
                found = true;
            i += 2;
        } else if (pattern[i] == c) {
            found = true;
        }
    }
    if (i >= pattern.size()) {
        end = -1;
        return false;
    }
    end = i + 1;
    return found != negate;
}

} // namespace

bool matchesPattern(QStringView pattern, QStringView value)
{
    // Iterative matching with one remembered star: linear in practice.
    qsizetype p = 0, v = 0, starP = -1, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size()) {
            const QChar pc = pattern[p];
            if (pc == u'*') {
                starP = ++p;
                starV = v;
                continue;
            }
            if (pc == u'?') {
                ++p;
                ++v;
                continue;
            }
            if (pc == u'[') {
                qsizetype end = 0;
                const bool hit = inSet(pattern, p + 1, value[v], end);
                if (end < 0) {
                    if (value[v] == u'[') {
                        ++p;
                        ++v;
                        continue;
                    }
                } else if (hit) {
                    p = end;
                    ++v;
                    continue;
                }
            } else {
                const bool escaped = pc == u'\\' && p + 1 < pattern.size();
                const QChar literal = escaped ? pattern[p + 1] : pc;
                if (literal == value[v]) {
                    p += escaped ? 2 : 1;
                    ++v;
                    continue;
                }
            }
        }
        if (starP < 0)
            return false;
        p = starP;
        v = ++starV;
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace quoll::connection::embedded
