// The checks of the parameter windows and of the testing-mode window, in the
// order the windows make them. Fields are named by the windows' control names.
#pragma once

#include "appstate.h"
#include "recordfile.h"
#include "records.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvik {

// A whole decimal number as a field holds it: blanks around it, an optional
// sign, digits, within 32 bits. Anything else is not a number.
std::optional<qint32> parseWholeNumber(QStringView text);

// The texts of a window's fields by control name ("Edit2").
using FieldTexts = QHash<QString, QString>;

// What a refused OK shows: its message, the fields it empties and the field
// (or button) that gets the focus.
struct FieldProblem {
    QString message;
    QStringList clear;
    QString focus;

    bool operator==(const FieldProblem&) const = default;
};
using FieldCheck = std::optional<FieldProblem>;

// The same message for every failure to open the journal or write the record.
inline const QString kInputError = QStringLiteral("Помилка введення значення!");

// One-level parameters. Reads Edit1..Edit4 into `record` one by one; a text
// that is not a number stops there (the fields read before stay read).
FieldCheck readNs1Fields(const FieldTexts& texts, Ns1Record& record);
// The checks after the journal was taken, first failure only.
FieldCheck checkNs1(const Ns1Record& record, const QString& journalField);
// An input/output failure while saving: said, nothing emptied.
FieldProblem ns1IoProblem();

// Questions of each level in a four-level file.
struct LevelCounts {
    qint32 low = 0;
    qint32 medium = 0;
    qint32 sufficient = 0;
    qint32 high = 0;

    bool operator==(const LevelCounts&) const = default;
};
// Reads records 1 .. count - 1 of an open four-level file into `buffer` and
// counts each level flag. Throws FileError.
LevelCounts countLevels(RecordFile& file, TsrRecord& buffer);

// Four-level parameters. Reads the file's counts, then each run count and
// each points value, checking each for a negative value as it goes.
FieldCheck readNs2Fields(const FieldTexts& texts, Ns2Record& record);
// The checks after the journal was taken: journal, total, availability and
// the order of the points, first failure only.
FieldCheck checkNs2(const Ns2Record& record, const QString& journalField);
FieldProblem ns2IoProblem();
// True when the four points fields all hold "0": a record never saved, whose
// points the window then sets to 1, 2, 3, 4.
bool pointsAllZero(const FieldTexts& texts);

// The program-wide journal path and the record's take the journal field; an
// existing journal is opened and closed, a missing one created empty, a blank
// field touches nothing. Throws FileError.
template <typename R> void takeJournal(AppState& state, const QString& journalField, R& record);

// Opens and closes an existing file, or creates it empty. Throws FileError.
void openOrCreateJournal(const QString& path, const Storage& storage = Storage::system());

// Whether a chosen journal path can be stored as it is in a record.
bool journalPathStorable(const QString& path);

// The testing mode of the current record of the current test file's kind,
// or null when the extension names neither kind.
TestingMode* currentTestingMode(AppState& state);

// What the testing-mode window holds when OK is pressed.
struct ModeFields {
    bool inputOrder = false;     // CheckBox1
    bool goBack = false;         // CheckBox3
    bool shuffleAnswers = false; // CheckBox4
    QString questionTime;        // ComboBox1
    bool testTimeOn = false;     // CheckBox2
    QString testTime;            // ComboBox2
    int mode = 1;                // the selected radio button
};

// A refused testing mode: the field concerned, whether it is enabled and
// emptied; it always gets the focus.
struct ModeProblem {
    QString message;
    QString field; // "ComboBox1" or "ComboBox2"
    bool enable = false;
    bool clear = false;

    bool operator==(const ModeProblem&) const = default;
};

// The largest number of seconds the 16-bit field holds.
constexpr int kMaxQuestionSeconds = 32767;
constexpr int kMaxTestMinutes = 1439;

// Stores the fields into `mode` in order; the first failure ends it with the
// fields before it stored.
std::optional<ModeProblem> applyTestingMode(const ModeFields& fields, TestingMode& mode);

} // namespace zorvik
