#include "mediahelpers.h"

#include <QAudioDevice>
#include <QMediaDevices>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
std::function<bool()>& probe() {
    static std::function<bool()> p;
    return p;
}
} // namespace

bool hasAudioOutput() {
    if (probe())
        return probe()();
    return !QMediaDevices::audioOutputs().isEmpty();
}

void setAudioOutputProbe(std::function<bool()> p) {
    probe() = std::move(p);
}

void reportMissingAudioOnce(AppContext& ctx, QWidget* parent) {
    if (ctx.state.NoAudioReported || hasAudioOutput())
        return;
    ctx.state.NoAudioReported = true;
    ctx.services.info(parent, u"Не знайдено пристрою відтворення звуку!\rЗвук не буде чути."_s);
}

bool openInSystem(AppContext& ctx, QWidget* parent, const QString& path) {
    if (ctx.services.openWithSystem(path))
        return true;
    ctx.services.error(parent,
                       u"Файл не відкрито:\r"_s + path +
                           u"\rДля нього немає програми перегляду, або сам файл є програмою."_s);
    return false;
}

} // namespace zorvik
