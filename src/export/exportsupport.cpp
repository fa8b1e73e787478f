#include "exportsupport.h"

namespace zorvik {

QString exportFailureText(const FileError& e) {
    // The export writes whole files: a failed replace is a failed write.
    return fileFailureText(e, FailureWording::WholeWrite);
}

} // namespace zorvik
