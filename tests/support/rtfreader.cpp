#include "rtfreader.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace zorvik::testing {

namespace {

enum class Dest { Body, Footer, FontTable, FontAlt, FieldInst, Picture, Skip };

struct State {
    Dest dest = Dest::Body;
    bool centred = false;
};

} // namespace

RtfText readRtf(const QByteArray& rtf) {
    RtfText out;
    QList<State> stack{State{}};
    QString para;
    QString footerPara;
    QString font;
    QString fieldInst;
    bool paraCentred = false;
    bool pageField = false; // the result of a PAGE field is not shown as text
    QByteArray pictKind;
    qsizetype i = 0;
    auto cur = [&]() -> State& { return stack.last(); };
    auto emitText = [&](const QString& t) {
        switch (cur().dest) {
        case Dest::Body:
            para += t;
            break;
        case Dest::Footer:
            footerPara += t;
            break;
        case Dest::FontTable:
            if (t == u";"_s) {
                out.fonts << font;
                font.clear();
            } else {
                font += t;
            }
            break;
        case Dest::FontAlt:
            font += t;
            break;
        case Dest::FieldInst:
            fieldInst += t;
            break;
        default:
            break;
        }
    };
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            stack.append(cur());
            ++i;
        } else if (c == '}') {
            const State closed = stack.takeLast();
            if (closed.dest == Dest::FieldInst && cur().dest != Dest::FieldInst) {
                const QString inst = fieldInst.trimmed();
                if (inst.startsWith(u"HYPERLINK"_s))
                    out.hyperlinks << inst.mid(9).trimmed().remove(u'"');
                else if (inst == u"PAGE"_s) {
                    emitText(u"[PAGE]"_s);
                    pageField = true;
                }
                fieldInst.clear();
            }
            if (closed.dest == Dest::Picture && cur().dest != Dest::Picture)
                emitText(u"[picture "_s + QString::fromLatin1(pictKind) + u']');
            ++i;
        } else if (c == '\\') {
            ++i;
            if (i < rtf.size() && !QChar::fromLatin1(rtf[i]).isLetter()) {
                const char sym = rtf[i++];
                if (sym == '*' && cur().dest == Dest::FontTable) {
                    font += u'|';
                    cur().dest = Dest::FontAlt;
                } else if (sym == '*') {
                    cur().dest = Dest::Skip;
                } else if (sym == '\\' || sym == '{' || sym == '}')
                    emitText(QString(QChar::fromLatin1(sym)));
                continue;
            }
            QByteArray word;
            while (i < rtf.size() && QChar::fromLatin1(rtf[i]).isLetter())
                word += rtf[i++];
            QByteArray arg;
            while (i < rtf.size() && (rtf[i] == '-' || QChar::fromLatin1(rtf[i]).isDigit()))
                arg += rtf[i++];
            if (i < rtf.size() && rtf[i] == ' ')
                ++i;
            if (word == "u") {
                emitText(QString(QChar(static_cast<char16_t>(arg.toInt()))));
                if (i < rtf.size() && rtf[i] == '?')
                    ++i;
            } else if (word == "par") {
                if (cur().dest == Dest::Footer) {
                    out.footer << footerPara;
                    footerPara.clear();
                } else if (cur().dest == Dest::Body) {
                    out.paragraphs << para;
                    if (paraCentred)
                        out.centred << para;
                    para.clear();
                }
            } else if (word == "line") {
                emitText(u"\n"_s);
            } else if (word == "tab") {
                emitText(u"\t"_s);
            } else if (word == "pard") {
                paraCentred = false;
            } else if (word == "qc") {
                paraCentred = cur().dest == Dest::Body ? true : paraCentred;
            } else if (word == "fldrslt" && pageField) {
                cur().dest = Dest::Skip;
                pageField = false;
            } else if (word == "fonttbl") {
                cur().dest = Dest::FontTable;
            } else if (word == "footer") {
                cur().dest = Dest::Footer;
            } else if (word == "fldinst") {
                cur().dest = Dest::FieldInst;
            } else if (word == "pict") {
                cur().dest = Dest::Picture;
                pictKind.clear();
            } else if (word == "pngblip" || word == "jpegblip" || word == "emfblip") {
                pictKind = word.chopped(4);
            } else if (word == "wmetafile") {
                pictKind = "wmf";
            } else if (word == "colortbl" || word == "info" || word == "stylesheet") {
                cur().dest = Dest::Skip;
            }
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            emitText(QString(QChar::fromLatin1(c)));
            ++i;
        }
    }
    return out;
}

} // namespace zorvik::testing
