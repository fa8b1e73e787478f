// Windows metafiles (WMF, EMF), which test files name as pictures: told apart
// by their bytes and measured from their headers, so that a document can carry
// them as they are.
#pragma once

#include <QByteArray>
#include <QSizeF>

#include <optional>

namespace zorvik {

enum class PictureFormat { Png, Jpeg, Wmf, Emf, Other };

// What the bytes are (the name's extension does not decide).
PictureFormat pictureFormatOf(const QByteArray& bytes);

// A metafile's size on paper in 0.01 mm, from its header; nothing when the
// header does not give one (a WMF without its placeable header).
std::optional<QSizeF> metafileSize(const QByteArray& bytes);

// The WMF records themselves, without the 22-byte placeable header that an
// RTF \wmetafile picture must not carry.
QByteArray wmfRecords(const QByteArray& bytes);

} // namespace zorvik
