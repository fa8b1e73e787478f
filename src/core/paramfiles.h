// The parameter files test.ns1 and test.ns2: one record per test file, found
// by the test file's name.
#pragma once

#include "recordfile.h"
#include "records.h"

#include <QString>

namespace zorvik {

// The key of a test file: its name after the last "/", "\" or ":".
QString paramKey(QStringView path);

QString ns1Path(const QString& programDir); // ProgramDir + "/test.ns1"
QString ns2Path(const QString& programDir); // ProgramDir + "/test.ns2"

// Parameters open for editing: the file stays open and positioned from the
// showing of a parameter window to its save.
template <typename R> class ParamEditor {
public:
    // Opens (or creates empty) `paramPath`, scans for the record of
    // `testFileName` reading each record into `current`, and remembers where
    // the save goes. Without a match `current` gets the defaults and keeps
    // every other field of the last record read. Returns whether it matched.
    bool open(const QString& paramPath, const QString& testFileName, qint32 questionsInFile,
              R& current, const Storage& storage = Storage::system());
    // Writes `current` under the file's lock where its test's record now is
    // (appended when there is none), then closes the file.
    void save(const R& current);
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }
    qint64 savePosition() const { return savePosition_; }

private:
    RecordFile file_;
    QString path_;
    qint64 savePosition_ = 0;
};

extern template class ParamEditor<Ns1Record>;
extern template class ParamEditor<Ns2Record>;

// The start of a run: finds the record of a test file, reading each record
// into `current` up to the first whose name part matches.
enum class ParamLookup { NoFile, EmptyFile, NotFound, Found };
template <typename R>
ParamLookup lookupParams(const QString& paramPath, const QString& testFileName, R& current,
                         const Storage& storage = Storage::system());

extern template ParamLookup lookupParams<Ns1Record>(const QString&, const QString&, Ns1Record&,
                                                    const Storage&);
extern template ParamLookup lookupParams<Ns2Record>(const QString&, const QString&, Ns2Record&,
                                                    const Storage&);

} // namespace zorvik
