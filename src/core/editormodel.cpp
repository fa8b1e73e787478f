#include "editormodel.h"

#include "bytes.h"
#include "questiontext.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
// Level words in their order, by the level they name.
constexpr std::array<QuestionLevel, 4> kWordLevels = {
    QuestionLevel::Low, QuestionLevel::Medium, QuestionLevel::Sufficient, QuestionLevel::High};

QString stored(const QString& text, bool trim) {
    const QString record = fieldTextToRecord(text);
    return cutToCapacity(trim ? trimField(record) : record, kShortStringCapacity);
}
} // namespace

EditorFields fieldsOf(const Question& q) {
    EditorFields f;
    f.question = recordTextToField(q.Question);
    for (int k = 1; k <= 5; ++k) {
        f.answers[size_t(k - 1)] = recordTextToField(q.answer(k));
        f.correct[size_t(k - 1)] = q.correct(k);
    }
    f.picture = q.PictureFile;
    f.audio = q.AudioFile;
    f.video = q.VideoFile;
    f.questionAndPicture = q.QuestionAndPicture;
    f.level = levelOf(q);
    return f;
}

Question takeFields(const EditorFields& f, Question base, TestKind kind, bool trim) {
    for (int k = 1; k <= 5; ++k) {
        base.answer(k) = stored(f.answers[size_t(k - 1)], trim);
        base.correct(k) = f.correct[size_t(k - 1)];
    }
    base.PictureFile = stored(f.picture, trim);
    base.AudioFile = stored(f.audio, trim);
    base.VideoFile = stored(f.video, trim);
    base.QuestionAndPicture = f.questionAndPicture;
    if (kind == TestKind::Tsr) {
        base.LevelLow = f.level == QuestionLevel::Low;
        base.LevelMedium = f.level == QuestionLevel::Medium;
        base.LevelHigh = f.level == QuestionLevel::High;
        base.LevelSufficient = f.level == QuestionLevel::Sufficient;
    }
    return base;
}

QuestionLine copyLine(const EditorFields& f, TestKind kind, QString& levelWord) {
    QuestionLine line;
    // The question as the window shows it, line breaks as CR LF.
    line.texts[0] = fieldTextToRecord(f.question);
    for (size_t k = 0; k < 5; ++k)
        line.texts[k + 1] = fieldTextToRecord(f.answers[k]);
    line.texts[6] = f.picture;
    line.texts[7] = f.audio;
    line.texts[8] = f.video;
    line.questionAndPicture = flagWord(f.questionAndPicture);
    if (kind == TestKind::Tsr) {
        // Without a selected level the word of the last copy or paste stays.
        for (size_t i = 0; i < kWordLevels.size(); ++i)
            if (f.level == kWordLevels[i])
                levelWord = levelWords()[qsizetype(i)];
    } else {
        levelWord = u","_s;
    }
    line.level = levelWord;
    for (size_t k = 0; k < 5; ++k)
        line.correct[k] = flagWord(f.correct[k]);
    return line;
}

EditorFields pasteLine(const QuestionLine& line, EditorFields shown, TestKind kind,
                       QString& levelWord) {
    shown.question = recordTextToField(line.texts[0]);
    for (size_t k = 0; k < 5; ++k)
        shown.answers[k] = recordTextToField(line.texts[k + 1]);
    shown.picture = line.texts[6];
    shown.audio = line.texts[7];
    shown.video = line.texts[8];
    if (line.questionAndPicture == flagWord(true))
        shown.questionAndPicture = true;
    else if (line.questionAndPicture == flagWord(false))
        shown.questionAndPicture = false;
    levelWord = line.level;
    if (kind == TestKind::Tsr) {
        const qsizetype word = levelWords().indexOf(line.level);
        if (word >= 0)
            shown.level = kWordLevels[size_t(word)];
    }
    for (size_t k = 0; k < 5; ++k)
        shown.correct[k] = line.correct[k] == flagWord(true);
    return shown;
}

void EditorModel::open(const QString& path, TestKind kind, const QString& caption) {
    session_.open(path, kind);
    caption_ = caption;
    record_ = emptyQuestion(kind);
    forgetLinks();
    dirty_ = false;
}

void EditorModel::close() {
    dirty_ = false;
    session_.close();
}

EditorDisplay EditorModel::display() const {
    EditorDisplay d;
    d.title = caption_ + session_.path();
    d.position = std::max<qint64>(session_.position(), 1);
    d.questionCount = std::max<qint64>(session_.questionCount(), 1);
    d.levels = kind() == TestKind::Tsr;
    d.dirty = dirty_;
    d.questionTip = record_.QuestionInTextFile ? record_.Question : QString();
    return d;
}

void EditorModel::readCurrent() {
    record_ = session_.readCurrent();
}

void EditorModel::goTo(qint64 i) {
    record_ = session_.read(i);
}

void EditorModel::showEmpty() {
    record_ = emptyQuestion(kind());
}

EditorModel::GoToCheck EditorModel::checkGoTo(const QString& typed) const {
    const std::optional<qint64> n = parseRecordNumber(typed);
    if (!n)
        return {0, u"Неправильний тип значення!"_s, true};
    if (*n < 1 || *n > session_.count() - 1)
        return {0, u"Вихід за межі записів!"_s};
    return {*n, {}};
}

void EditorModel::forgetLinks() {
    questionLink_.clear();
    missingLink_.clear();
    missingPlaceholder_.clear();
}

QuestionShown EditorModel::showQuestion(MissingWording wording) {
    forgetLinks();
    const QString& q = record_.Question;
    if (!record_.QuestionInTextFile)
        return {recordTextToField(q), {}, {}};
    if (const std::optional<QString> text = readFieldTextFile(q, session_.storage())) {
        questionLink_ = q;
        return {recordTextToField(*text), q, {}};
    }
    const QString missing = u"Відсутній текстовий файл для поля запитання!\r"_s + q;
    QuestionShown shown{recordTextToField(q), q, missing};
    switch (wording) {
    case MissingWording::Show:
        shown.message = u"Запитання № "_s + QString::number(position()) +
                        u": ВІДСУТНІЙ ТЕКСТОВИЙ ФАЙЛ для поля запитання!"_s + u"\r"_s + q;
        break;
    case MissingWording::Last:
        break;
    case MissingWording::Open:
        shown.text = recordTextToField(u"Відсутній файл "_s + q);
        break;
    }
    missingLink_ = q;
    missingPlaceholder_ = shown.text;
    return shown;
}

EditorModel::Take EditorModel::takeQuestion(const QString& shown, bool trim, bool cut) {
    if (!missingLink_.isEmpty() && shown == missingPlaceholder_) {
        // Nothing typed over the note of a missing field text file: the record
        // keeps naming its file.
        record_.Question = missingLink_;
        record_.QuestionInTextFile = true;
        return Take::Taken;
    }
    const QString text = fieldTextToRecord(shown);
    const QString q = trim ? trimField(text) : text;
    if (exceedsField(q) && !cut) {
        if (questionLink_.isEmpty())
            return Take::AskFile;
        // Already kept in a field text file: that file gets the new text.
        writeFieldTextFile(questionLink_, text, session_.storage());
        record_.Question = cutToCapacity(questionLink_, kShortStringCapacity);
        record_.QuestionInTextFile = true;
        return Take::Taken;
    }
    record_.Question = cutToCapacity(q, kShortStringCapacity);
    record_.QuestionInTextFile = false;
    questionLink_.clear();
    missingLink_.clear();
    return Take::Taken;
}

void EditorModel::keepInFile(const QString& file, const QString& shown) {
    writeFieldTextFile(file, fieldTextToRecord(shown), session_.storage());
    record_.Question = cutToCapacity(file, kShortStringCapacity);
    record_.QuestionInTextFile = true;
    questionLink_ = file;
    missingLink_.clear();
}

void EditorModel::takeFields(const EditorFields& fields, bool trim) {
    record_ = zorvik::takeFields(fields, record_, kind(), trim);
}

void EditorModel::save() {
    session_.save(record_);
}

void EditorModel::insertEmpty() {
    session_.insertEmpty();
    record_ = emptyQuestion(kind());
    forgetLinks();
}

void EditorModel::append(QuestionLevel levelShown) {
    EditorFields empty;
    empty.level = levelShown;
    const Question q = zorvik::takeFields(empty, emptyQuestion(kind()), kind(), false);
    session_.append(q);
    record_ = q;
    forgetLinks();
}

void EditorModel::emptyOnlyQuestion(const QString& pictureShown) {
    EditorFields empty;
    empty.picture = pictureShown;
    empty.level = QuestionLevel::Low;
    record_ = zorvik::takeFields(empty, emptyQuestion(kind()), kind(), false);
    forgetLinks();
    dirty_ = true;
}

void EditorModel::removeCurrent() {
    session_.removeCurrent();
    dirty_ = false;
}

} // namespace zorvik
