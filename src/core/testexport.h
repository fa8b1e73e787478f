// A test turned into paper: the export text file and the export document.
#pragma once

#include "metafile.h"

#include "storage.h"

#include "records.h"
#include "rtf.h"
#include "testfile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace zorvik {

// One question as the export needs it; `levelText` is "Рівень: …" for a
// four-level question (a question without a level repeats the one before).
struct ExportQuestion {
    QuestionFields fields;
    QString levelText;
};

// Every question of a test file (records 1 .. count - 1), read through a
// handle of its own. Throws FileError.
std::vector<ExportQuestion> loadExportQuestions(const QString& testFile, TestKind kind,
                                                const Storage& storage = Storage::system());

// "Рівень: …" of a record: flags tested low, medium, high, sufficient, the
// last set one winning; `previous` when none is set.
QString levelTextOf(const TsrRecord& r, const QString& previous);

struct ExportNames {
    QString document; // B + suffix + ".doc"
    QString text;     // B + suffix + ".txt"
};
// B is the test file's name without its last four characters; the suffix is
// "_Б"/"_В" (one-level) or "_4Б"/"_4В" (four-level), without/with answers.
ExportNames exportNames(const QString& testFileName, TestKind kind, bool withCorrect);

// "   1) " or, for a correct answer of an export with answers, " *1) ".
QString answerPrefix(int k, bool markCorrect);

// The export text file: Windows-1251, CR LF.
QByteArray exportTextFile(const QString& testFileName, TestKind kind,
                          const std::vector<ExportQuestion>& questions, bool withCorrect,
                          const std::function<bool(const QString&)>& fileExists);

struct PictureData {
    QByteArray data; // PNG, JPEG or EMF; the records of a WMF
    PictureFormat format = PictureFormat::Png;
    QSize pixels;    // of a PNG or JPEG
    QSizeF metafile; // of a WMF or EMF, 0.01 mm
};

struct ExportDocumentInput {
    QString testFileName;
    TestKind kind = TestKind::Tsm;
    bool withCorrect = false;
    std::function<bool(const QString&)> fileExists;
    // The picture as PNG or JPEG; nothing when it cannot be read.
    std::function<std::optional<PictureData>(const QString&)> loadPicture;
    // The whole text of a field text file; nothing when it cannot be read.
    std::function<std::optional<QString>(const QString&)> readTextFile;
};

// Something the export met on the way and went on past.
struct ExportIssue {
    enum Kind { MissingPicture, UnreadablePicture, MissingTextFile };
    Kind kind;
    QString file;
    bool operator==(const ExportIssue&) const = default;
};

struct ExportDocumentResult {
    rtf::Document document;
    QStringList missingPictures; // once per question, in order
    QStringList unreadablePictures;
    QStringList missingTextFiles;
    QList<ExportIssue> issues; // all of the above, in question order
};

ExportDocumentResult exportDocument(const ExportDocumentInput& in,
                                    const std::vector<ExportQuestion>& questions);

using PictureLoader = std::function<std::optional<PictureData>(const QString&)>;

// Both outputs of an export, made in memory before anything is written.
struct PreparedExport {
    ExportNames names;
    QByteArray text;     // the export text file
    QByteArray document; // the export document (RTF)
    QList<ExportIssue> issues;
};

// Reads the test file (throws FileError) and makes both outputs; pictures
// come through `loadPicture`, field text files are read from disk.
PreparedExport prepareTestExport(const QString& testFileName, TestKind kind, bool withCorrect,
                                 const PictureLoader& loadPicture,
                                 const Storage& storage = Storage::system());
// Writes the text file, then the document, each whole, replacing what was
// there. Throws FileError; a file not yet written is left as it was.
void writeTestExport(const PreparedExport& prepared, const Storage& storage = Storage::system());

} // namespace zorvik
