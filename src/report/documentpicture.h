// Pictures for the export document: JPEG and PNG files go in as they are,
// any other picture the program can read is converted to PNG.
#pragma once

#include "core/testexport.h"

#include <QString>

#include <optional>

namespace zorvik {

// Nothing when the file cannot be read or is not a picture.
std::optional<PictureData> loadDocumentPicture(const QString& path);

} // namespace zorvik
