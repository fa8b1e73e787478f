// How a failed file operation is told to the teacher.
#pragma once

#include "fileerror.h"

#include <QString>

namespace zorvik {

// What a failed replace or removal is called.
enum class FailureWording {
    Detailed,  // "замінити", "видалити"
    WholeWrite // part of writing a whole file: "записати"
};

// "Не вдалося записати файл /x/a.tsm:\rNo space left on device"
QString fileFailureText(const FileError& e, FailureWording wording = FailureWording::Detailed);

// The message every missing or misspelt file gets.
inline const QString kFileNameError = QStringLiteral("Помилка в назві файлу!");

} // namespace zorvik
