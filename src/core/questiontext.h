// The texts of a question between the editor's fields and the record: line
// breaks, trimming, the 255-character limit, the field text file of a long
// question, and the record number typed by the user.
#pragma once

#include "storage.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// Records keep line breaks as CR LF; the text widgets use LF.
QString recordTextToField(const QString& text);
QString fieldTextToRecord(const QString& text);

// Without leading and trailing blanks and control characters.
QString trimField(const QString& text);

// Whether a question text (CR LF form) is too long for its record field.
bool exceedsField(const QString& text);

// The content of a question's field text file: the text in Windows-1251
// followed by one CR LF.
QByteArray fieldTextFileBytes(const QString& text);
// Writes it beside the target and replaces the target; throws FileError.
void writeFieldTextFile(const QString& path, const QString& text,
                        const Storage& storage = Storage::system());
// The question text a field text file holds (without the closing CR LF);
// nullopt when the file does not exist or cannot be read.
std::optional<QString> readFieldTextFile(const QString& path,
                                         const Storage& storage = Storage::system());

// A record number as the user types it: decimal, blanks before it allowed,
// nothing after it. nullopt when it is not such an integer.
std::optional<qint64> parseRecordNumber(const QString& text);

} // namespace zorvik
