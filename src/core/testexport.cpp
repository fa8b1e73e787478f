#include "testexport.h"

#include "atomicfile.h"
#include "cp1251.h"
#include "editing.h" // readAllQuestions
#include "questionline.h"
#include "questionlist.h" // levelNameOf
#include "questiontext.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kDocFont = u"Times New Roman Cyr"_s;
constexpr int kDocSize = 14;

rtf::TextRun text(const QString& t, bool bold = false) {
    return {t, bold, kDocSize, 0};
}
} // namespace

std::vector<ExportQuestion> loadExportQuestions(const QString& testFile, TestKind kind,
                                                const Storage& storage) {
    std::vector<ExportQuestion> out;
    QString level;
    for (const Question& r : readAllQuestions(testFile, kind, storage)) {
        ExportQuestion q;
        q.fields = r;
        if (kind == TestKind::Tsr) {
            level = levelTextOf(r, level);
            q.levelText = level;
        }
        out.push_back(std::move(q));
    }
    return out;
}

QString levelTextOf(const TsrRecord& r, const QString& previous) {
    const QString name = levelNameOf(r);
    return name.isEmpty() ? previous : u"Рівень: "_s + name;
}

ExportNames exportNames(const QString& testFileName, TestKind kind, bool withCorrect) {
    const QString base = testFileName.left(testFileName.size() - 4);
    const QString suffix = kind == TestKind::Tsm ? (withCorrect ? u"_В"_s : u"_Б"_s)
                                                 : (withCorrect ? u"_4В"_s : u"_4Б"_s);
    return {base + suffix + u".doc"_s, base + suffix + u".txt"_s};
}

QString answerPrefix(int k, bool markCorrect) {
    return (markCorrect ? u" *"_s : u"   "_s) + QString::number(k) + u") "_s;
}

QByteArray exportTextFile(const QString& testFileName, TestKind kind,
                          const std::vector<ExportQuestion>& questions, bool withCorrect,
                          const std::function<bool(const QString&)>& fileExists) {
    QStringList lines;
    lines << QString(19, u' ') + u"Тест"_s << QString(7, u' ') + testFileName << QString(7, u' ');
    int number = 0;
    for (const ExportQuestion& q : questions) {
        const QuestionFields& f = q.fields;
        lines << QString::number(++number) + u". "_s + f.Question;
        if (kind == TestKind::Tsr)
            lines << u"   "_s + q.levelText;
        if (!trimBlanks(f.PictureFile).isEmpty() && fileExists(f.PictureFile))
            lines << u"Мал. "_s + f.PictureFile;
        if (!trimBlanks(f.AudioFile).isEmpty())
            lines << u"Аудіо: "_s + f.AudioFile;
        if (!trimBlanks(f.VideoFile).isEmpty())
            lines << u"Відео: "_s + f.VideoFile;
        for (int k = 1; k <= 5; ++k)
            if (!trimBlanks(f.answer(k)).isEmpty())
                lines << answerPrefix(k, withCorrect && f.correct(k)) + f.answer(k);
        lines << QString(115, u'-');
    }
    QByteArray out;
    for (const QString& line : lines)
        out += toCp1251(line) + "\r\n";
    return out;
}

ExportDocumentResult exportDocument(const ExportDocumentInput& in,
                                    const std::vector<ExportQuestion>& questions) {
    ExportDocumentResult result;
    rtf::Document& doc = result.document;
    doc.fonts = {{kDocFont, u"Times New Roman"_s}, {u"Liberation Serif"_s, {}}};
    auto para = [&doc](rtf::Align align = rtf::Align::Left) -> rtf::Paragraph& {
        doc.body.append(rtf::Paragraph{align, {}});
        return doc.body.last();
    };
    para(rtf::Align::Centre).runs << text(u"Тести"_s, true);
    para(rtf::Align::Centre).runs << text(in.testFileName, true);

    int number = 0;
    for (const ExportQuestion& q : questions) {
        const QuestionFields& f = q.fields;
        QString question = f.Question;
        if (f.QuestionInTextFile) {
            const std::optional<QString> content = in.readTextFile(f.Question);
            if (content) {
                question = *content;
                if (question.endsWith(u"\r\n"_s)) // the file's own line end
                    question.chop(2);
            } else {
                result.missingTextFiles << f.Question;
                result.issues << ExportIssue{ExportIssue::MissingTextFile, f.Question};
            }
        }
        para().runs << text(QString::number(++number) + u". "_s + question);
        if (in.kind == TestKind::Tsr)
            para().runs << text(q.levelText);
        if (!trimBlanks(f.PictureFile).isEmpty()) {
            if (in.fileExists(f.PictureFile)) {
                para().runs << text(u"Мал. "_s + f.PictureFile);
                if (const std::optional<PictureData> pic = in.loadPicture(f.PictureFile))
                    para(rtf::Align::Centre).runs
                        << rtf::PictureRun{pic->data, pic->format, pic->pixels, pic->metafile};
                else {
                    result.unreadablePictures << f.PictureFile;
                    result.issues << ExportIssue{ExportIssue::UnreadablePicture, f.PictureFile};
                }
            } else {
                result.missingPictures << f.PictureFile;
                result.issues << ExportIssue{ExportIssue::MissingPicture, f.PictureFile};
            }
        }
        if (!trimBlanks(f.AudioFile).isEmpty())
            para().runs << rtf::LinkRun{u"Аудіо: "_s + f.AudioFile, f.AudioFile, kDocSize, 0};
        if (!trimBlanks(f.VideoFile).isEmpty())
            para().runs << rtf::LinkRun{u"Відео: "_s + f.VideoFile, f.VideoFile, kDocSize, 0};
        for (int k = 1; k <= 5; ++k)
            if (!trimBlanks(f.answer(k)).isEmpty())
                para().runs << text(answerPrefix(k, in.withCorrect && f.correct(k)) + f.answer(k));
        para().runs << text(QString(100, u'-'));
    }
    doc.footer = {rtf::Paragraph{rtf::Align::Centre, {rtf::PageNumberRun{kDocSize - 2, 0}}}};
    return result;
}

PreparedExport prepareTestExport(const QString& testFileName, TestKind kind, bool withCorrect,
                                 const PictureLoader& loadPicture, const Storage& storage) {
    const std::vector<ExportQuestion> questions = loadExportQuestions(testFileName, kind, storage);
    const auto exists = [&storage](const QString& path) {
        try {
            return storage.isRegularFile(path);
        } catch (const FileError&) {
            return false;
        }
    };
    ExportDocumentInput in;
    in.testFileName = testFileName;
    in.kind = kind;
    in.withCorrect = withCorrect;
    in.fileExists = exists;
    in.loadPicture = loadPicture;
    in.readTextFile = [&storage](const QString& path) { return readFieldTextFile(path, storage); };
    ExportDocumentResult doc = exportDocument(in, questions);

    PreparedExport out;
    out.names = exportNames(testFileName, kind, withCorrect);
    out.text = exportTextFile(testFileName, kind, questions, withCorrect, exists);
    out.document = rtf::write(doc.document);
    out.issues = std::move(doc.issues);
    return out;
}

void writeTestExport(const PreparedExport& prepared, const Storage& storage) {
    storage.replace(prepared.names.text, prepared.text);
    storage.replace(prepared.names.document, prepared.document);
}

} // namespace zorvik
