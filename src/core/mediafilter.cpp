#include "mediafilter.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorvik {

QString pictureFilter() {
    return u"All (*.bmp;*.ico;*.emf;*.wmf;*.jpg)|*.bmp;*.ico;*.emf;*.wmf;*.jpg|Bitmaps "
           u"(*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles "
           u"(*.wmf)|*.wmf|Jpegfiles (*.jpg) |*.jpg"_s;
}

QString soundFilter() {
    return u"Audio All (*.mp3,*.wav,*.wma,*.mid)|*.mp3;*.wav;*.wma;*.mid|Audio MP3 "
           u"(*.mp3)|*.mp3|Audio  WMA (*.wma)|*.wma|Audio WAV (*.wav)|*.wav|Audio MIDI "
           u"(*.mid)|*.mid|Всі файли (*.*)|*.*"_s;
}

QString videoFilter() {
    return u"Video All (*.avi,*.mpg,*.mp4,*.wmv,*.flv)|*.avi;*.mpg;*.wmv;*.flv|Video  AVI "
           u"(*.avi)|*.avi|Video MPG (*.mpg)|*.mpg| Video MP4 (*.mp4)|*.mp4 | Video WMV "
           u"(*.wmv)|*.wmv|Video FLV (*.flv)|*.flv|Всі файли (*.*)|*.*"_s;
}

MediaKind mediaKindOfFilter(const QString& filter) {
    if (filter == soundFilter())
        return MediaKind::Sound;
    if (filter == videoFilter())
        return MediaKind::Video;
    return MediaKind::None;
}

namespace {
void addPatterns(QStringList& to, const QString& list) {
    static const QRegularExpression separators(u"[;,]"_s);
    for (const QString& p : list.split(separators, Qt::SkipEmptyParts)) {
        const QString pattern = p.trimmed();
        if (!pattern.isEmpty() && !to.contains(pattern))
            to.append(pattern);
    }
}
} // namespace

QList<FilterEntry> parseFilter(const QString& filter) {
    static const QRegularExpression bracketed(u"\\(([^()]*\\*[^()]*)\\)"_s);
    const QStringList parts = filter.split(u'|');
    QList<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FilterEntry e;
        e.description = parts[i];
        addPatterns(e.patterns, parts[i + 1]);
        const QRegularExpressionMatch named = bracketed.match(parts[i]);
        if (named.hasMatch())
            addPatterns(e.patterns, named.captured(1));
        entries.append(e);
    }
    return entries;
}

} // namespace zorvik
