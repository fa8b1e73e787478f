// What the export windows and commands share: how a failed file operation is
// told to the teacher.
#pragma once

#include "core/failuretext.h"

#include <QString>

namespace zorvik {

// "Не вдалося записати файл /x/a_Б.doc:\rNo space left on device"
QString exportFailureText(const FileError& e);

} // namespace zorvik
