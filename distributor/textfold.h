#pragma once

#include <QString>

namespace distributor {

// The form in which texts are searched: upper case, Turkish letters folded
// to their plain Latin capitals (ı, i, İ → I; ş → S; ğ → G; ü → U; ö → O;
// ç → C), so that "şanzıman", "SANZIMAN" and "ŞANZIMAN" all meet.
QString foldForSearch(QStringView text);

// a code without its separators: "0 986-452.041" → "0986452041"
QString compactCode(QStringView code);

// Escapes %, _ and the escape character itself for LIKE ... ESCAPE '\'.
QString likeEscaped(const QString &text);

} // namespace distributor
