#include "paramcheck.h"

#include "grading.h"

#include "journalfile.h"

#include "bytes.h"
#include "cp1251.h"
#include "testfile.h"

#include <QFileInfo>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorvik {

std::optional<qint32> parseWholeNumber(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

namespace {

const QString kWrongType = u"Неправильний тип значення!"_s;

FieldProblem problem(const QString& message, const QString& field) {
    return {message, {field}, field};
}

// Reads one field into `target`; false when it is not a number.
bool readInto(const FieldTexts& texts, const QString& field, qint32& target) {
    const auto v = parseWholeNumber(texts.value(field));
    if (!v)
        return false;
    target = *v;
    return true;
}

FieldProblem ns1WrongType() {
    return {kWrongType, {u"Edit2"_s, u"Edit3"_s, u"Edit4"_s}, u"Edit2"_s};
}

FieldProblem ns2WrongType() {
    return {kWrongType,
            {u"Edit3"_s, u"Edit4"_s, u"Edit6"_s, u"Edit7"_s, u"Edit9"_s, u"Edit10"_s, u"Edit11"_s,
             u"Edit14"_s, u"Edit15"_s},
            u"Edit3"_s};
}

const QString kNoJournal = u"Вкажіть місцезнаходження файлу журналу!"_s;

} // namespace

FieldCheck readNs1Fields(const FieldTexts& texts, Ns1Record& record) {
    if (!readInto(texts, u"Edit1"_s, record.QuestionsInFile) ||
        !readInto(texts, u"Edit3"_s, record.GradeScale) ||
        !readInto(texts, u"Edit4"_s, record.QuestionPoints) ||
        !readInto(texts, u"Edit2"_s, record.TestQuestions))
        return ns1WrongType();
    return std::nullopt;
}

FieldCheck checkNs1(const Ns1Record& r, const QString& journalField) {
    if (r.TestQuestions > r.QuestionsInFile)
        return problem(u"Кількість тестових запитань більша, ніж наявна у файлі!"_s, u"Edit2"_s);
    if (r.TestQuestions <= 0)
        return problem(u"Неправильне значення для кількості тестових запитань!"_s, u"Edit2"_s);
    if (r.GradeScale <= 0)
        return problem(u"Неправильне значення для системи оцінювання!"_s, u"Edit3"_s);
    if (r.QuestionPoints <= 0)
        return problem(u"Неправильне значення для кількості балів\rза одне запитання!"_s,
                       u"Edit4"_s);
    if (const QString tooMany = maxPointsRefusal(fullMaxPointsTsm(r)); !tooMany.isEmpty())
        return problem(tooMany, u"Edit4"_s);
    if (journalField.trimmed().isEmpty())
        return FieldProblem{kNoJournal, {}, u"Button1"_s};
    return std::nullopt;
}

FieldProblem ns1IoProblem() {
    return {kInputError, {}, u"Button1"_s};
}

LevelCounts countLevels(RecordFile& file, TsrRecord& buffer) {
    LevelCounts counts;
    const qint64 n = file.count();
    if (n < 2)
        return counts;
    file.seek(1);
    for (qint64 q = 1; q < n; ++q) {
        buffer = file.readRecord<TsrRecord>();
        counts.low += buffer.LevelLow ? 1 : 0;
        counts.medium += buffer.LevelMedium ? 1 : 0;
        counts.sufficient += buffer.LevelSufficient ? 1 : 0;
        counts.high += buffer.LevelHigh ? 1 : 0;
    }
    return counts;
}

FieldCheck readNs2Fields(const FieldTexts& texts, Ns2Record& r) {
    if (!readInto(texts, u"Edit1"_s, r.QuestionsInFile) ||
        !readInto(texts, u"Edit2"_s, r.InFileLow) || !readInto(texts, u"Edit5"_s, r.InFileMedium) ||
        !readInto(texts, u"Edit13"_s, r.InFileSufficient) ||
        !readInto(texts, u"Edit8"_s, r.InFileHigh))
        return ns2WrongType();

    struct Step {
        const char16_t* field;
        qint32 Ns2Record::*target;
        const char16_t* message;
    };
    static const Step steps[] = {
        {u"Edit3", &Ns2Record::TestLow,
         u"Неправильне значення для кількості запитань\rнизького рівня!"},
        {u"Edit6", &Ns2Record::TestMedium,
         u"Неправильне значення для кількості запитань\rсереднього рівня!"},
        {u"Edit14", &Ns2Record::TestSufficient,
         u"Неправильне значення для кількості запитань\rдостатнього рівня!"},
        {u"Edit9", &Ns2Record::TestHigh,
         u"Неправильне значення для кількості запитань\rвисокого рівня!"},
        {u"Edit4", &Ns2Record::PointsLow,
         u"Неправильне значення для кількості балів \rза одне запитання низького рівня!"},
        {u"Edit7", &Ns2Record::PointsMedium,
         u"Неправильне значення для кількості балів \rза одне запитання середнього рівня!"},
        {u"Edit15", &Ns2Record::PointsSufficient,
         u"Неправильне значення для кількості балів \rза одне запитання достатнього рівня!"},
        {u"Edit10", &Ns2Record::PointsHigh,
         u"Неправильне значення для кількості балів \rза одне запитання високого рівня!"},
    };
    for (const Step& s : steps) {
        const QString field = QString::fromUtf16(s.field);
        if (!readInto(texts, field, r.*s.target))
            return ns2WrongType();
        if (r.*s.target < 0)
            return problem(QString::fromUtf16(s.message), field);
    }
    if (!readInto(texts, u"Edit11"_s, r.GradeScale))
        return ns2WrongType();
    if (r.GradeScale <= 0)
        return problem(u"Неправильне значення для системи оцінювання (балів)!"_s, u"Edit11"_s);
    return std::nullopt;
}

FieldCheck checkNs2(const Ns2Record& r, const QString& journalField) {
    if (journalField.trimmed().isEmpty())
        return FieldProblem{kNoJournal, {}, u"Button1"_s};
    if (r.TestLow + r.TestMedium + r.TestSufficient + r.TestHigh == 0)
        return problem(u"Не вказано для тесту кількості запитань\rхоча б одного рівня!"_s,
                       u"Edit3"_s);
    if (r.TestLow > r.InFileLow)
        return problem(u"Кількість запитань низького рівня більша, ніж наявна у файлі!"_s,
                       u"Edit3"_s);
    if (r.TestMedium > r.InFileMedium)
        return problem(u"Кількість запитань середнього рівня більша, ніж наявна у файлі!"_s,
                       u"Edit6"_s);
    if (r.TestSufficient > r.InFileSufficient)
        return problem(u"Кількість запитань достатнього рівня більша, ніж наявна у файлі!"_s,
                       u"Edit14"_s);
    if (r.TestHigh > r.InFileHigh)
        return problem(u"Кількість запитань високого рівня більша, ніж наявна у файлі!"_s,
                       u"Edit9"_s);
    const QString order = u"Неправильно задано кількість балів за запитання для різних рівнів!"_s;
    if (r.PointsLow > r.PointsMedium || r.PointsLow > r.PointsHigh ||
        r.PointsLow > r.PointsSufficient)
        return problem(order, u"Edit4"_s);
    if (r.PointsMedium > r.PointsHigh || r.PointsMedium > r.PointsSufficient)
        return problem(order, u"Edit7"_s);
    if (r.PointsSufficient > r.PointsHigh)
        return problem(order, u"Edit15"_s);
    if (const QString tooMany = maxPointsRefusal(fullMaxPointsTsr(r)); !tooMany.isEmpty())
        return problem(tooMany, u"Edit4"_s);
    return std::nullopt;
}

FieldProblem ns2IoProblem() {
    return {kInputError,
            {u"Edit3"_s, u"Edit4"_s, u"Edit6"_s, u"Edit7"_s, u"Edit9"_s, u"Edit10"_s, u"Edit11"_s},
            u"Edit3"_s};
}

bool pointsAllZero(const FieldTexts& texts) {
    for (const QString& f : {u"Edit4"_s, u"Edit7"_s, u"Edit10"_s, u"Edit15"_s})
        if (texts.value(f).trimmed() != u"0"_s)
            return false;
    return true;
}

void openOrCreateJournal(const QString& path, const Storage& storage) {
    if (path.trimmed().isEmpty())
        return;
    if (!mayBeJournal(path, storage))
        throw FileError(FileError::Op::Open, path, u"це не журнал оцінок"_s);
    // Never truncates an existing journal.
    storage.create(path)->close();
}

template <typename R> void takeJournal(AppState& state, const QString& journalField, R& record) {
    state.JournalPath = journalField;
    openOrCreateJournal(journalField, *state.storage);
    record.JournalPath = journalField;
}

template void takeJournal<Ns1Record>(AppState&, const QString&, Ns1Record&);
template void takeJournal<Ns2Record>(AppState&, const QString&, Ns2Record&);

bool journalPathStorable(const QString& path) {
    return fitsCp1251(path) && cutToCapacity(path, kShortStringCapacity) == path;
}

TestingMode* currentTestingMode(AppState& state) {
    switch (testKindOfExt(state.TestFileExt)) {
    case TestKind::Tsm:
        return &state.Ns1Record.TestingMode;
    case TestKind::Tsr:
        return &state.Ns2Record.TestingMode;
    case TestKind::None:
        break;
    }
    return nullptr;
}

std::optional<ModeProblem> applyTestingMode(const ModeFields& f, TestingMode& m) {
    // A text that is not a number sends the focus to the question time.
    const ModeProblem wrongType{kInputError, u"ComboBox1"_s, false, false};

    m.InputOrder = f.inputOrder;
    m.GoBack = f.goBack;
    m.ShuffleAnswers = f.shuffleAnswers;

    if (!f.questionTime.trimmed().isEmpty()) {
        const auto seconds = parseWholeNumber(f.questionTime);
        if (!seconds)
            return wrongType;
        if (*seconds <= 0 || *seconds > kMaxQuestionSeconds)
            return ModeProblem{u"Недопустиме значення на 1-е запитання!"_s, u"ComboBox1"_s, true,
                               true};
        m.QuestionTime = static_cast<qint16>(*seconds);
    } else {
        m.QuestionTime = -1;
    }

    m.TestTimeOn = f.testTimeOn;

    if (!f.testTime.trimmed().isEmpty()) {
        const auto minutes = parseWholeNumber(f.testTime);
        if (!minutes)
            return wrongType;
        if (*minutes < 1 || *minutes > kMaxTestMinutes)
            return ModeProblem{u"Недопустиме значення на обмеження часу тестування!"_s,
                               u"ComboBox2"_s, true, true};
        m.TestTime = static_cast<qint16>(*minutes);
    } else {
        m.TestTime = -1;
    }

    m.Mode = static_cast<quint8>(f.mode >= 1 && f.mode <= 4 ? f.mode : 1);

    if ((m.Mode == 3 || m.Mode == 4) && f.questionTime.trimmed().isEmpty())
        return ModeProblem{u"Не задано час на 1-е запитання!"_s, u"ComboBox1"_s, true, false};
    if (m.TestTimeOn && f.testTime.trimmed().isEmpty())
        return ModeProblem{u"Не задано обмеження на час тестування!"_s, u"ComboBox2"_s, true,
                           false};
    return std::nullopt;
}

} // namespace zorvik
