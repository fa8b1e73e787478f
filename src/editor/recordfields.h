// Between the editor model's fields and the editor's controls.
#pragma once

#include "editorcontrols.h"

#include "core/editormodel.h"

namespace zorvik {

// What the controls hold: Memo1, the answers, the media names, the marks,
// the picture flag and the selected level (None when no button is).
EditorFields readFields(const EditorControls& c);
// Shows the fields, Memo1 only `withQuestion`, the level buttons only
// `withLevel`: with no level none of them stays selected.
void showFields(EditorControls& c, const EditorFields& f, bool withQuestion, bool withLevel);

} // namespace zorvik
