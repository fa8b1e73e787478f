// Record files as JSON text, both ways, so tests and samples can be kept as text.
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace zorvik {

// The kinds of record file, told by the exact, lower-case extension.
enum class FileKind { Unknown, Tsm, Tsr, Ns1, Ns2, Ocn };
FileKind fileKindOf(const QString& path);
QString kindName(FileKind kind); // "tsm", "tsr", "ns1", "ns2", "ocn"
int recordSizeOf(FileKind kind);

// Malformed or out-of-range JSON, with a message for the user.
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// {"kind": "...", "records": [ {...}, ... ]} of every whole record of the bytes.
QJsonDocument recordsToJson(FileKind kind, const QByteArray& fileBytes);
// The bytes of the file the JSON describes. Throws JsonError. A text holding
// characters Windows-1251 cannot hold is written with "?" for them; `replaced`
// gets one line per such field: "record 3: field \"Question\"".
QByteArray recordsFromJson(FileKind kind, const QByteArray& jsonText,
                           QStringList* replaced = nullptr);

} // namespace zorvik
