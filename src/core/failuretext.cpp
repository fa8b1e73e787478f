#include "failuretext.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString fileFailureText(const FileError& e, FailureWording wording) {
    const bool detailed = wording == FailureWording::Detailed;
    QString what;
    switch (e.op()) {
    case FileError::Op::Open:
        what = u"Не вдалося відкрити файл "_s;
        break;
    case FileError::Op::Create:
        what = u"Не вдалося створити файл "_s;
        break;
    case FileError::Op::Read:
    case FileError::Op::Seek:
        what = u"Не вдалося прочитати файл "_s;
        break;
    case FileError::Op::Write:
    case FileError::Op::Truncate:
    case FileError::Op::Close:
        what = u"Не вдалося записати файл "_s;
        break;
    case FileError::Op::Rename:
        what = detailed ? u"Не вдалося замінити файл "_s : u"Не вдалося записати файл "_s;
        break;
    case FileError::Op::Remove:
        what = detailed ? u"Не вдалося видалити файл "_s : u"Не вдалося записати файл "_s;
        break;
    case FileError::Op::Lock:
        what = u"Не вдалося отримати доступ до файлу "_s;
        break;
    }
    return what + e.path() + u":\r"_s + e.reason();
}

} // namespace zorvik
