#include "testfilecheck.h"

#include "paramfiles.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

QString folderOf(const QString& fileName) {
    return QFileInfo(fileName).absolutePath();
}

LevelLists collectLevels(RecordFile& tsrFile) {
    LevelLists lists;
    const qint64 n = tsrFile.count();
    if (n > 1)
        tsrFile.seek(1);
    for (qint64 q = 1; q < n; ++q) {
        lists.add(static_cast<int>(q), tsrFile.readRecord<TsrRecord>());
    }
    tsrFile.seek(n);
    return lists;
}

namespace {
ParamsCheck outcomeOf(ParamLookup lookup) {
    switch (lookup) {
    case ParamLookup::NoFile:
        return ParamsCheck::NoParamFile;
    case ParamLookup::EmptyFile:
        return ParamsCheck::EmptyParamFile;
    case ParamLookup::NotFound:
        return ParamsCheck::NotFound;
    case ParamLookup::Found:
        break;
    }
    return ParamsCheck::Ok;
}

qint32 sizeOf(const std::vector<int>& list) {
    return static_cast<qint32>(list.size());
}
} // namespace

ParamsCheck checkParamsTsm(AppState& state) {
    state.TsmFile.setStorage(*state.storage);
    state.TsmFile.openExisting(state.TestFileName, TsmRecord::Size);
    const ParamsCheck found = outcomeOf(
        lookupParams(state.ns1Path(), state.TestFileName, state.Ns1Record, *state.storage));
    if (found != ParamsCheck::Ok)
        return found;
    if (state.TsmFile.count() - 1 != state.Ns1Record.QuestionsInFile)
        return ParamsCheck::CountChanged;
    state.JournalPath = state.Ns1Record.JournalPath;
    state.ParamsFound = true;
    return ParamsCheck::Ok;
}

ParamsCheck checkParamsTsr(AppState& state) {
    state.ParamsFound = false;
    state.TsrFile.setStorage(*state.storage);
    state.TsrFile.openExisting(state.TestFileName, TsrRecord::Size);
    LevelLists lists = collectLevels(state.TsrFile);
    state.LevelLowList = std::move(lists.low);
    state.LevelMediumList = std::move(lists.medium);
    state.LevelSufficientList = std::move(lists.sufficient);
    state.LevelHighList = std::move(lists.high);
    const ParamsCheck found = outcomeOf(
        lookupParams(state.ns2Path(), state.TestFileName, state.Ns2Record, *state.storage));
    if (found != ParamsCheck::Ok)
        return found;
    const Ns2Record& r = state.Ns2Record;
    if (r.InFileLow != sizeOf(state.LevelLowList) ||
        r.InFileMedium != sizeOf(state.LevelMediumList) ||
        r.InFileSufficient != sizeOf(state.LevelSufficientList) ||
        r.InFileHigh != sizeOf(state.LevelHighList))
        return ParamsCheck::CountChanged;
    state.JournalPath = r.JournalPath;
    state.ParamsFound = true;
    return ParamsCheck::Ok;
}

QString paramsCheckMessage(ParamsCheck outcome, TestKind kind, const AppState& state) {
    const bool tsm = kind == TestKind::Tsm;
    switch (outcome) {
    case ParamsCheck::NoParamFile:
        // The four-level text has no blank before the path.
        return tsm ? u"Не існує файла настройки "_s + state.ns1Path()
                   : u"Не існує файла настройки"_s + state.ns2Path();
    case ParamsCheck::EmptyParamFile:
        return u"Заповніть файл настройки!"_s;
    case ParamsCheck::NotFound:
        return u"Відсутні дані про тестовий файл у файлі настройки!"_s;
    case ParamsCheck::CountChanged:
        return tsm ? u"Кількість записів у файлі було ЗМІНЕНО!!!\r"
                     u"ЗМІНІТЬ ПАРАМЕТРИ ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ \r"
                     u"ТА ПОВТОРІТЬ КОМАНДУ!!!"_s
                   : u"Кількість запитань у файлі або кількість запитань певних рівнів "
                     u"БУЛО ЗМІНЕНО!!!\r"
                     u"ЗМІНІТЬ ПАРАМЕТРИ ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ \r"
                     u"ТА ПОВТОРІТЬ КОМАНДУ!!!"_s;
    case ParamsCheck::Ok:
        break;
    }
    return {};
}

bool paramsCheckIsInformation(ParamsCheck outcome, TestKind kind) {
    return outcome == ParamsCheck::CountChanged && kind == TestKind::Tsm;
}

} // namespace zorvik
