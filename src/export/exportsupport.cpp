#include "exportsupport.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString exportFailureText(const FileError& e) {
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
    case FileError::Op::Rename:
    case FileError::Op::Remove:
        what = u"Не вдалося записати файл "_s;
        break;
    }
    return what + e.path() + u":\r"_s + e.reason();
}

} // namespace zorvik
