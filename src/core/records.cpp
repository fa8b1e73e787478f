#include "records.h"

#include "bytes.h"

namespace zorvik {
namespace {

constexpr int kStringField = 256;
// String fields of a question record in file order.
constexpr std::array<QString QuestionFields::*, 9> kQuestionStrings = {
    &QuestionFields::Question, &QuestionFields::Answer1,   &QuestionFields::Answer2,
    &QuestionFields::Answer3,  &QuestionFields::Answer4,   &QuestionFields::PictureFile,
    &QuestionFields::Answer5,  &QuestionFields::AudioFile, &QuestionFields::VideoFile,
};
constexpr int kCorrectOffset = 0x900;

void encodeCommon(const QuestionFields& q, QByteArray& image) {
    for (size_t i = 0; i < kQuestionStrings.size(); ++i)
        writeShortString(image, static_cast<int>(i) * kStringField, kShortStringCapacity,
                         q.*kQuestionStrings[i]);
    for (int k = 1; k <= 5; ++k)
        writeBool(image, kCorrectOffset + k - 1, q.correct(k));
}

void decodeCommon(QuestionFields& q, QByteArrayView image) {
    for (size_t i = 0; i < kQuestionStrings.size(); ++i)
        q.*kQuestionStrings[i] =
            readShortString(image, static_cast<int>(i) * kStringField, kShortStringCapacity);
    for (int k = 1; k <= 5; ++k)
        q.correct(k) = readBool(image, kCorrectOffset + k - 1);
}

void encodeTail(const QuestionFields& q, QByteArray& image, int offset) {
    writeBool(image, offset, q.QuestionAndPicture);
    writeBool(image, offset + 1, q.QuestionInTextFile);
    for (int i = 0; i < 5; ++i)
        writeU8(image, offset + 2 + i, q.ReservedFlags[static_cast<size_t>(i)]);
}

void decodeTail(QuestionFields& q, QByteArrayView image, int offset) {
    q.QuestionAndPicture = readBool(image, offset);
    q.QuestionInTextFile = readBool(image, offset + 1);
    for (int i = 0; i < 5; ++i)
        q.ReservedFlags[static_cast<size_t>(i)] = readU8(image, offset + 2 + i);
}

} // namespace

QString& QuestionFields::answer(int k) {
    switch (k) {
    case 1:
        return Answer1;
    case 2:
        return Answer2;
    case 3:
        return Answer3;
    case 4:
        return Answer4;
    default:
        return Answer5;
    }
}

const QString& QuestionFields::answer(int k) const {
    return const_cast<QuestionFields*>(this)->answer(k);
}

bool& QuestionFields::correct(int k) {
    switch (k) {
    case 1:
        return Correct1;
    case 2:
        return Correct2;
    case 3:
        return Correct3;
    case 4:
        return Correct4;
    default:
        return Correct5;
    }
}

bool QuestionFields::correct(int k) const {
    return const_cast<QuestionFields*>(this)->correct(k);
}

QByteArray TsmRecord::encode() const {
    QByteArray image(Size, '\0');
    encodeCommon(*this, image);
    encodeTail(*this, image, 0x905);
    return image;
}

TsmRecord TsmRecord::decode(QByteArrayView image) {
    TsmRecord r;
    decodeCommon(r, image);
    decodeTail(r, image, 0x905);
    return r;
}

QByteArray TsrRecord::encode() const {
    QByteArray image(Size, '\0');
    encodeCommon(*this, image);
    writeBool(image, 0x905, LevelLow);
    writeBool(image, 0x906, LevelMedium);
    writeBool(image, 0x907, LevelHigh);
    writeBool(image, 0x908, LevelSufficient);
    encodeTail(*this, image, 0x909);
    return image;
}

TsrRecord TsrRecord::decode(QByteArrayView image) {
    TsrRecord r;
    decodeCommon(r, image);
    r.LevelLow = readBool(image, 0x905);
    r.LevelMedium = readBool(image, 0x906);
    r.LevelHigh = readBool(image, 0x907);
    r.LevelSufficient = readBool(image, 0x908);
    decodeTail(r, image, 0x909);
    return r;
}

QuestionLevel levelOf(const TsrRecord& q) {
    QuestionLevel level = QuestionLevel::None;
    if (q.LevelLow)
        level = QuestionLevel::Low;
    if (q.LevelMedium)
        level = QuestionLevel::Medium;
    if (q.LevelHigh)
        level = QuestionLevel::High;
    if (q.LevelSufficient)
        level = QuestionLevel::Sufficient;
    return level;
}

void TestingMode::encodeInto(QByteArray& image, int offset) const {
    writeI16(image, offset, QuestionTime);
    writeU8(image, offset + 2, Mode);
    writeBool(image, offset + 3, InputOrder);
    writeBool(image, offset + 4, TestTimeOn);
    writeU8(image, offset + 5, 0);
    writeI16(image, offset + 6, TestTime);
    writeBool(image, offset + 8, GoBack);
    writeBool(image, offset + 9, ShuffleAnswers);
    writeU8(image, offset + 10, 0);
    writeU8(image, offset + 11, 0);
}

TestingMode TestingMode::decodeFrom(QByteArrayView image, int offset) {
    TestingMode m;
    m.QuestionTime = readI16(image, offset);
    m.Mode = readU8(image, offset + 2);
    m.InputOrder = readBool(image, offset + 3);
    m.TestTimeOn = readBool(image, offset + 4);
    m.TestTime = readI16(image, offset + 6);
    m.GoBack = readBool(image, offset + 8);
    m.ShuffleAnswers = readBool(image, offset + 9);
    return m;
}

QByteArray Ns1Record::encode() const {
    QByteArray image(Size, '\0');
    writeShortString(image, 0x000, kShortStringCapacity, TestName);
    writeI32(image, 0x100, QuestionsInFile);
    writeI32(image, 0x104, TestQuestions);
    writeI32(image, 0x108, GradeScale);
    writeI32(image, 0x10C, QuestionPoints);
    writeShortString(image, 0x110, kShortStringCapacity, JournalPath);
    TestingMode.encodeInto(image, 0x210);
    return image;
}

Ns1Record Ns1Record::decode(QByteArrayView image) {
    Ns1Record r;
    r.TestName = readShortString(image, 0x000, kShortStringCapacity);
    r.QuestionsInFile = readI32(image, 0x100);
    r.TestQuestions = readI32(image, 0x104);
    r.GradeScale = readI32(image, 0x108);
    r.QuestionPoints = readI32(image, 0x10C);
    r.JournalPath = readShortString(image, 0x110, kShortStringCapacity);
    r.TestingMode = TestingMode::decodeFrom(image, 0x210);
    return r;
}

namespace {
// Ns2Record's integers from 0x100 to 0x134, in file order.
constexpr std::array<qint32 Ns2Record::*, 14> kNs2Ints = {
    &Ns2Record::QuestionsInFile,  &Ns2Record::InFileLow,        &Ns2Record::InFileMedium,
    &Ns2Record::InFileHigh,       &Ns2Record::InFileSufficient, &Ns2Record::TestLow,
    &Ns2Record::TestMedium,       &Ns2Record::TestHigh,         &Ns2Record::TestSufficient,
    &Ns2Record::PointsLow,        &Ns2Record::PointsMedium,     &Ns2Record::PointsHigh,
    &Ns2Record::PointsSufficient, &Ns2Record::GradeScale,
};
} // namespace

QByteArray Ns2Record::encode() const {
    QByteArray image(Size, '\0');
    writeShortString(image, 0x000, kShortStringCapacity, TestName);
    for (size_t i = 0; i < kNs2Ints.size(); ++i)
        writeI32(image, 0x100 + 4 * static_cast<int>(i), this->*kNs2Ints[i]);
    writeShortString(image, 0x138, kShortStringCapacity, JournalPath);
    TestingMode.encodeInto(image, 0x238);
    return image;
}

Ns2Record Ns2Record::decode(QByteArrayView image) {
    Ns2Record r;
    r.TestName = readShortString(image, 0x000, kShortStringCapacity);
    for (size_t i = 0; i < kNs2Ints.size(); ++i)
        r.*kNs2Ints[i] = readI32(image, 0x100 + 4 * static_cast<int>(i));
    r.JournalPath = readShortString(image, 0x138, kShortStringCapacity);
    r.TestingMode = TestingMode::decodeFrom(image, 0x238);
    return r;
}

QByteArray JournalRecord::encode() const {
    QByteArray image(Size, '\0');
    writeI32(image, 0x00, EntryNo);
    writeShortString(image, 0x04, DateCapacity, Date);
    writeShortString(image, 0x0F, TimeCapacity, Time);
    writeShortString(image, 0x1A, StudentNameCapacity, StudentName);
    writeShortString(image, 0x43, GroupCapacity, Group);
    writeShortString(image, 0x57, TestNameCapacity, TestName);
    writeI32(image, 0xB0, MaxPoints);
    writeI32(image, 0xB4, GradeScale);
    writeI32(image, 0xB8, QuestionCount);
    writeF64(image, 0xC0, Points);
    writeI32(image, 0xC8, Grade);
    writeShortString(image, 0xCC, InterruptedCapacity, Interrupted);
    return image;
}

JournalRecord JournalRecord::decode(QByteArrayView image) {
    JournalRecord r;
    r.EntryNo = readI32(image, 0x00);
    r.Date = readShortString(image, 0x04, DateCapacity);
    r.Time = readShortString(image, 0x0F, TimeCapacity);
    r.StudentName = readShortString(image, 0x1A, StudentNameCapacity);
    r.Group = readShortString(image, 0x43, GroupCapacity);
    r.TestName = readShortString(image, 0x57, TestNameCapacity);
    r.MaxPoints = readI32(image, 0xB0);
    r.GradeScale = readI32(image, 0xB4);
    r.QuestionCount = readI32(image, 0xB8);
    r.Points = readF64(image, 0xC0);
    r.Grade = readI32(image, 0xC8);
    r.Interrupted = readShortString(image, 0xCC, InterruptedCapacity);
    return r;
}

} // namespace zorvik
