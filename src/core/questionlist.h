// The question list of a test file: one row per question with its number,
// level and text, the answers as a hint, and the list as a document and as a
// workbook.
#pragma once

#include "records.h"
#include "rtf.h"
#include "spreadsheet.h"
#include "testfile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zorvik {

struct QuestionListEntry {
    int number = 0;        // record number, from 1
    QString level;         // the grid's level name; empty without a level flag
    QString documentLevel; // the same, a question without a flag repeating the one before
    QString question;      // trimmed; a field text file's name for a long question
    std::array<QString, 5> answers;
};

// "низький", "середній", "високий", "достатній": flags tested in this order,
// the last set one winning; `previous` when none is set.
QString levelNameOf(const TsrRecord& r, const QString& previous = {});

// Every question of the file (records 1 .. count - 1). Throws FileError.
std::vector<QuestionListEntry> loadQuestionList(const QString& testFile, TestKind kind);

// "Список запитань" + five (one-level) or seven (four-level) blanks + the path.
QString questionListCaption(const QString& testFile, TestKind kind);
// The grid's three headers, with their leading blanks.
const QStringList& questionListHeaders();
// The level cell of a one-level question.
inline const QString kOneLevelMark = QStringLiteral("       -");

// Every grid cell as text: the header row, one row per question and one
// empty row after the last.
std::vector<QStringList> questionListCells(const std::vector<QuestionListEntry>& entries,
                                           TestKind kind);

// "1) a" CR "2) b" CR … "5) e".
QString questionListHint(const QuestionListEntry& entry);

// The documents are saved beside the test file: B + "_список.doc" / ".xlsx",
// B being the test file's name without its last four characters.
QString questionListDocumentName(const QString& testFile);
QString questionListWorkbookName(const QString& testFile);

// "Тести", the path, "1. …" (one-level) or "1. (рівень: …) …" (four-level),
// an empty line, a rule of 100 dashes; page numbers in the footer.
rtf::Document questionListDocument(const QString& testFile, TestKind kind,
                                   const std::vector<QuestionListEntry>& entries);

// The grid's cells on the sheet "Jurnal", formatted as the list was in Excel;
// the question numbers are numbers, the rest text.
xlsx::Workbook questionListWorkbook(const std::vector<QStringList>& cells);

} // namespace zorvik
