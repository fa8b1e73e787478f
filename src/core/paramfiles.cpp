#include "paramfiles.h"

#include "bytes.h"
#include "cp1251.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

QString paramKey(QStringView path) {
    const qsizetype cut =
        std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'), path.lastIndexOf(u':')});
    return path.sliced(cut + 1).toString();
}

namespace {
// The key as a record can hold it: a name with characters that Windows-1251
// lacks is stored with "?" and must still find its record.
QString storedKey(QStringView path) {
    return fromCp1251(toCp1251(cutToCapacity(paramKey(path), kShortStringCapacity)));
}
} // namespace

QString ns1Path(const QString& programDir) {
    return programDir + u"/test.ns1"_s;
}
QString ns2Path(const QString& programDir) {
    return programDir + u"/test.ns2"_s;
}

namespace {
void setDefaults(Ns1Record& r, qint32 questionsInFile) {
    r.QuestionsInFile = questionsInFile;
    r.GradeScale = 12;
    r.JournalPath.clear();
    r.TestingMode.Mode = 1;
    r.TestingMode.QuestionTime = -1;
    r.TestQuestions = 1;
}
void setDefaults(Ns2Record& r, qint32 questionsInFile) {
    r.QuestionsInFile = questionsInFile;
    r.GradeScale = 12;
    r.JournalPath.clear();
    r.TestingMode.Mode = 1;
    r.TestingMode.QuestionTime = -1;
}
} // namespace

template <typename R>
bool ParamEditor<R>::open(const QString& paramPath, const QString& testFileName,
                          qint32 questionsInFile, R& current, const Storage& storage) {
    file_.setStorage(storage);
    path_ = paramPath;
    file_.openOrCreate(paramPath, R::Size);
    const QString key = storedKey(testFileName);
    const qint64 n = file_.count();
    for (qint64 i = 0; i < n; ++i) {
        file_.seek(i);
        current = file_.template readRecord<R>();
        if (current.TestName == key) {
            file_.seek(i);
            savePosition_ = i;
            return true;
        }
    }
    savePosition_ = n;
    setDefaults(current, questionsInFile);
    return false;
}

template <typename R> void ParamEditor<R>::save(const R& current) {
    // Another computer may have added or changed records since the window
    // opened: under the lock the record's place is found again, and the
    // file is replaced whole so that a failure leaves it as it was.
    const Storage& storage = file_.storage();
    file_.close();
    const StorageLock lock = storage.lock(path_);
    QByteArray bytes;
    if (storage.status(path_).exists)
        bytes = storage.read(path_, StoredKind::Params);
    bytes.truncate(bytes.size() - bytes.size() % R::Size);
    const qint64 n = bytes.size() / R::Size;
    const QString key = storedKey(paramKey(current.TestName));
    const auto keyAt = [&](qint64 i) {
        return storedKey(
            paramKey(R::decode(QByteArrayView(bytes).sliced(i * R::Size, R::Size)).TestName));
    };
    qint64 at = savePosition_ < n && keyAt(savePosition_) == key ? savePosition_ : -1;
    for (qint64 i = 0; i < n && at < 0; ++i)
        if (keyAt(i) == key)
            at = i;
    savePosition_ = at < 0 ? n : at;
    const QByteArray image = current.encode();
    if (savePosition_ < n)
        bytes.replace(savePosition_ * R::Size, R::Size, image);
    else
        bytes.append(image);
    storage.replace(path_, bytes);
}

template class ParamEditor<Ns1Record>;
template class ParamEditor<Ns2Record>;

template <typename R>
ParamLookup lookupParams(const QString& paramPath, const QString& testFileName, R& current,
                         const Storage& storage) {
    if (!storage.status(paramPath).exists)
        return ParamLookup::NoFile;
    RecordFile file(storage);
    file.openExisting(paramPath, R::Size, StoredKind::Params);
    const qint64 n = file.count();
    if (n == 0)
        return ParamLookup::EmptyFile;
    const QString key = storedKey(testFileName);
    for (qint64 i = 0; i < n; ++i) {
        current = file.template readRecord<R>();
        if (paramKey(current.TestName) == key)
            return ParamLookup::Found;
    }
    return ParamLookup::NotFound;
}

template ParamLookup lookupParams<Ns1Record>(const QString&, const QString&, Ns1Record&,
                                             const Storage&);
template ParamLookup lookupParams<Ns2Record>(const QString&, const QString&, Ns2Record&,
                                             const Storage&);

} // namespace zorvik
