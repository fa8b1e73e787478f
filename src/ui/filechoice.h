// Asking the teacher for a file that must already exist.
#pragma once

#include "services.h"

#include <QString>

namespace zorvik {

// The open dialog: the chosen name, or empty when the teacher cancelled or
// named no existing file (then told "Помилка в назві файлу!").
QString openExistingFile(Services& services, QWidget* parent, const FileDialogSpec& request);

} // namespace zorvik
