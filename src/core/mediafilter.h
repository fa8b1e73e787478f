// The file filters of the question's media: the picture dialog's and the two
// the media chooser is opened with. The chooser tells its kind by comparing
// its filter with the two chooser filters, so every place uses these texts.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvik {

enum class MediaKind { None, Sound, Video };

QString pictureFilter();
QString soundFilter();
QString videoFilter();

// Sound for the sound filter, video for the video filter, nothing otherwise.
MediaKind mediaKindOfFilter(const QString& filter);

// One entry of a "description|mask|description|mask" filter.
struct FilterEntry {
    QString description;
    // The patterns to list: those of the mask, trimmed, and those the
    // description names in brackets ("Video All (*.avi,*.mp4)"), so that an
    // entry lists every kind its description promises.
    QStringList patterns;
};
QList<FilterEntry> parseFilter(const QString& filter);

} // namespace zorvik
