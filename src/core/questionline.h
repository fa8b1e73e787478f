// The question line: a whole question as one line of clipboard text, sixteen
// tokens each followed by one blank, blanks inside texts written as commas.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace zorvik {

// Leading and trailing blanks and control characters removed.
QString trimBlanks(const QString& text);

// A text as a token: runs of blanks become one comma, a comma before a blank
// becomes two commas, other commas are dropped; an empty text is ",".
QString encodeLineText(const QString& trimmedText);
// A token back to text: "a,b" -> "a b", "a,,b" -> "a, b", "," -> " ".
QString decodeLineText(const QString& token);

// What Copy reads from the editor and Paste gives back, in token order.
struct QuestionLine {
    // question, answers 1..5, picture, sound, video (tokens 1..9)
    std::array<QString, 9> texts;
    QString questionAndPicture;     // token 10: "True" / "False"
    QString level;                  // token 11: a level word, or ","
    std::array<QString, 5> correct; // tokens 12..16: "True" / "False"
};

inline QString flagWord(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

// The clipboard text of a question: texts trimmed and encoded, flags as given.
QString buildQuestionLine(const QuestionLine& line);
// The tokens of a clipboard text: cut at its first sixteen blanks; tokens
// after the last blank are empty; texts decoded, flags and level as written.
QuestionLine parseQuestionLine(const QString& clipboardText);

// Level words, and the program-wide level text that Copy writes when no level
// button is selected (it keeps its last value).
inline const QStringList& levelWords() {
    static const QStringList words = {QStringLiteral("низький"), QStringLiteral("середній"),
                                      QStringLiteral("достатній"), QStringLiteral("високий")};
    return words;
}

} // namespace zorvik
