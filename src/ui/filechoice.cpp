#include "filechoice.h"

#include "core/failuretext.h"

#include <QFileInfo>

namespace zorvik {

QString openExistingFile(Services& services, QWidget* parent, const FileDialogSpec& request) {
    const FileDialogResult chosen = services.openFile(parent, request);
    if (!chosen.accepted())
        return {};
    if (!QFileInfo(chosen.fileName).isFile()) {
        services.error(parent, kFileNameError);
        return {};
    }
    return chosen.fileName;
}

} // namespace zorvik
