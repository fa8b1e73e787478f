// The fixed binary records of test, parameter and journal files.
// Each is encoded and decoded field by field; string tails and padding are zeros.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

namespace zorvik {

// Fields common to both kinds of question record (offsets 0x000..0x904).
struct QuestionFields {
    QString Question;
    QString Answer1;
    QString Answer2;
    QString Answer3;
    QString Answer4;
    QString PictureFile;
    QString Answer5; // stored after the picture name, not after answer 4
    QString AudioFile;
    QString VideoFile;
    bool Correct1 = false;
    bool Correct2 = false;
    bool Correct3 = false;
    bool Correct4 = false;
    bool Correct5 = false;
    bool QuestionAndPicture = false;
    bool QuestionInTextFile = false;
    std::array<quint8, 5> ReservedFlags{};

    // k = 1..5
    QString& answer(int k);
    const QString& answer(int k) const;
    bool& correct(int k);
    bool correct(int k) const;

    bool operator==(const QuestionFields&) const = default;
};

// One question of a one-level test file (.tsm).
struct TsmRecord : QuestionFields {
    static constexpr int Size = 2316;

    QByteArray encode() const;
    static TsmRecord decode(QByteArrayView image); // image holds at least Size bytes
    static TsmRecord empty() { return {}; }

    bool operator==(const TsmRecord&) const = default;
};

// One question of a four-level test file (.tsr). The level bytes are stored
// low, medium, high, sufficient.
struct TsrRecord : QuestionFields {
    static constexpr int Size = 2320;

    bool LevelLow = false;
    bool LevelMedium = false;
    bool LevelHigh = false;
    bool LevelSufficient = false;

    QByteArray encode() const;
    static TsrRecord decode(QByteArrayView image);
    // An empty four-level question is of level low.
    static TsrRecord empty() {
        TsrRecord r;
        r.LevelLow = true;
        return r;
    }

    bool operator==(const TsrRecord&) const = default;
};

// The level a four-level question counts as where one is needed: the flags
// tested low, medium, high, sufficient, the last set one winning.
enum class QuestionLevel { None, Low, Medium, High, Sufficient };
QuestionLevel levelOf(const TsrRecord& q);

// The 12-byte testing-mode tail of both parameter records.
struct TestingMode {
    static constexpr int Size = 12;

    qint16 QuestionTime = 0; // seconds for one question; -1 = not set
    quint8 Mode = 0;         // 1..4
    bool InputOrder = false;
    bool TestTimeOn = false;
    qint16 TestTime = 0; // minutes for the whole test; -1 = not set
    bool GoBack = false;
    bool ShuffleAnswers = false;

    void encodeInto(QByteArray& image, int offset) const;
    static TestingMode decodeFrom(QByteArrayView image, int offset);

    bool operator==(const TestingMode&) const = default;
};

// Parameters of one one-level test file, a record of test.ns1.
struct Ns1Record {
    static constexpr int Size = 540;

    QString TestName;
    qint32 QuestionsInFile = 0;
    qint32 TestQuestions = 0;
    qint32 GradeScale = 0;
    qint32 QuestionPoints = 0;
    QString JournalPath;
    zorvik::TestingMode TestingMode;

    QByteArray encode() const;
    static Ns1Record decode(QByteArrayView image);

    bool operator==(const Ns1Record&) const = default;
};

// Parameters of one four-level test file, a record of test.ns2.
struct Ns2Record {
    static constexpr int Size = 580;

    QString TestName;
    qint32 QuestionsInFile = 0;
    qint32 InFileLow = 0;
    qint32 InFileMedium = 0;
    qint32 InFileHigh = 0;
    qint32 InFileSufficient = 0;
    qint32 TestLow = 0;
    qint32 TestMedium = 0;
    qint32 TestHigh = 0;
    qint32 TestSufficient = 0;
    qint32 PointsLow = 0;
    qint32 PointsMedium = 0;
    qint32 PointsHigh = 0;
    qint32 PointsSufficient = 0;
    qint32 GradeScale = 0;
    QString JournalPath;
    zorvik::TestingMode TestingMode;

    QByteArray encode() const;
    static Ns2Record decode(QByteArrayView image);

    bool operator==(const Ns2Record&) const = default;
};

// One result in a journal file (.ocn).
struct JournalRecord {
    static constexpr int Size = 216;
    static constexpr int DateCapacity = 10;
    static constexpr int TimeCapacity = 10;
    static constexpr int StudentNameCapacity = 40;
    static constexpr int GroupCapacity = 19;
    static constexpr int TestNameCapacity = 85;
    static constexpr int InterruptedCapacity = 10;

    qint32 EntryNo = 0;
    QString Date;
    QString Time;
    QString StudentName;
    QString Group;
    QString TestName;
    qint32 MaxPoints = 0;
    qint32 GradeScale = 0;
    qint32 QuestionCount = 0;
    double Points = 0;
    qint32 Grade = 0;
    QString Interrupted;

    QByteArray encode() const;
    static JournalRecord decode(QByteArrayView image);

    bool operator==(const JournalRecord&) const = default;
};

constexpr int kShortStringCapacity = 255;

} // namespace zorvik
