#include "workfolder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

WorkFolder chooseWorkFolder(const QString& current, const QString& home, const QString& perUser,
                            const std::function<bool(const QString&)>& writable) {
    const QString here = QDir::cleanPath(current);
    if (!here.isEmpty() && here != QDir::cleanPath(home) && writable(here))
        return {current, false};
    return {perUser, true};
}

void seedWorkFolder(const QString& dir, const QString& samples, const Storage& storage) {
    if (!QDir().mkpath(dir))
        throw FileError(FileError::Op::Create, dir, u"не вдалося створити теку"_s);
    const auto missing = [&](const QString& name) {
        return !storage.status(QDir(dir).filePath(name)).exists;
    };
    for (const QString& name : {u"test.ns1"_s, u"test.ns2"_s})
        if (missing(name))
            storage.replace(QDir(dir).filePath(name), {});
    const QFileInfoList found = QDir(samples).entryInfoList(
        {u"*.tsm"_s, u"*.tsr"_s, u"*.txt"_s}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& sample : found)
        if (missing(sample.fileName()))
            storage.replace(QDir(dir).filePath(sample.fileName()),
                            storage.read(sample.absoluteFilePath(), StoredKind::TestFile));
}

} // namespace zorvik
