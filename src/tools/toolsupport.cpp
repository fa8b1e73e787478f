#include "toolsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace zorvik {

QString allTestFilesFilter() {
    return u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли одного рівня (*.tsm)|"
           u"*.tsm|Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s;
}

QString oneLevelFilter() {
    return u"Тестові файли одного рівня (*.tsm)|*.tsm"_s;
}

QString fourLevelFilter() {
    return u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s;
}

QString currentDialogDir(const AppState& state) {
    return state.TestDir.isEmpty() ? QDir::currentPath() : state.TestDir;
}

void setCurrentTestFile(AppState& state, const QString& path) {
    state.TestFileExt = testFileExtOf(path);
    state.TestFileName = path;
    state.TestDir = QFileInfo(path).absolutePath();
}

void readableWhenDisabled(QWidget* field) {
    QPalette p = field->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::WindowText));
    field->setPalette(p);
}

QString failureText(const FileError& e) {
    return fileFailureText(e);
}

QString refusalText(const ToolRefusal& e) {
    switch (e.reason()) {
    case ToolRefusal::Reason::NotTestFile:
        return u"Файл "_s + e.path() +
               u" не є тестовим файлом!\rРозширення має бути \".tsm\" або \".tsr\" "
               u"(малими літерами)."_s;
    case ToolRefusal::Reason::OtherKind:
        return u"Файл "_s + e.path() +
               u" має інший тип!\rФайли одного рівня і файли 4-ох рівнів не поєднуються."_s;
    case ToolRefusal::Reason::OutputIsInput:
        return u"Файл "_s + e.path() +
               u" є одним з вихідних файлів!\rЗадайте інший файл для результату."_s;
    case ToolRefusal::Reason::SplitOutOfRange: {
        const QString head = u"Кількість запитань у файлі "_s + e.path() + u": "_s +
                             QString::number(e.questions()) + u"!\r"_s;
        if (e.questions() < 2)
            return head + u"Такий файл не можна розбити."_s;
        return head + u"Задайте кількість запитань у першому файлі від 1 до "_s +
               QString::number(e.questions() - 1) + u"."_s;
    }
    }
    return e.path();
}

} // namespace zorvik
