#include "appstate.h"

#include "paramfiles.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString AppState::defaultJournalPath() const {
    return ProgramDir + u"/jurnal.ocn"_s;
}
QString AppState::ns1Path() const {
    return zorvik::ns1Path(ProgramDir);
}
QString AppState::ns2Path() const {
    return zorvik::ns2Path(ProgramDir);
}

} // namespace zorvik
