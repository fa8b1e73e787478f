#include "questionline.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QString encodeLineText(const QString& t) {
    if (t.isEmpty())
        return u","_s;
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        const bool prevBlank = i > 0 && t[i - 1] == u' ';
        const bool nextBlank = i + 1 < t.size() && t[i + 1] == u' ';
        if (c != u' ' && c != u',')
            out.append(c);
        else if (c == u' ' && !prevBlank)
            out.append(u',');
        else if (c == u',' && nextBlank)
            out.append(u',');
    }
    return out;
}

QString decodeLineText(const QString& token) {
    QString s = token;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const bool nextComma = i + 1 < s.size() && s[i + 1] == u',';
        if (s[i] == u',' && !nextComma)
            s[i] = u' ';
        if (s[i] == u',' && i + 1 < s.size() && s[i + 1] == u',')
            s[i + 1] = u' ';
    }
    return s;
}

QString buildQuestionLine(const QuestionLine& line) {
    QString out;
    for (const QString& text : line.texts)
        out += encodeLineText(trimBlanks(text)) + u' ';
    out += line.questionAndPicture + u' ';
    out += line.level + u' ';
    for (const QString& flag : line.correct)
        out += flag + u' ';
    return out;
}

QuestionLine parseQuestionLine(const QString& text) {
    QStringList tokens;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size() && tokens.size() < 16; ++i) {
        if (text[i] == u' ') {
            tokens.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    while (tokens.size() < 16)
        tokens.append(QString());
    QuestionLine line;
    for (size_t k = 0; k < 9; ++k)
        line.texts[k] = decodeLineText(tokens[static_cast<qsizetype>(k)]);
    line.questionAndPicture = tokens[9];
    line.level = tokens[10];
    for (size_t k = 0; k < 5; ++k)
        line.correct[k] = tokens[11 + static_cast<qsizetype>(k)];
    return line;
}

} // namespace zorvik
