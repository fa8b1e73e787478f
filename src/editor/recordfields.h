// Between a question record and the editor's fields. The question text
// itself (Memo1) depends on its field text file and is the window's business.
#pragma once

#include "editorcontrols.h"

#include "core/editing.h"

namespace zorvik {

// Answers, picture, sound and video names into their fields.
void showTexts(EditorControls& c, const Question& q);
// CheckBox1..5 from the marks, CheckBox6 from the question-and-picture flag.
void showMarks(EditorControls& c, const Question& q);
// The level buttons from the level bytes, set low, medium, high, sufficient:
// with several bytes set the last of them stays selected, with none none is.
void showLevel(EditorControls& c, const Question& q);
// Selects RadioButton1 (low) only.
void selectLowLevel(EditorControls& c);

// Empties the nine text fields, or all but the picture name.
void clearTexts(EditorControls& c, bool keepPicture = false);
// Clears CheckBox1..6.
void clearMarks(EditorControls& c);

// `base` with the answers, media names, marks and (four-level) level taken
// from the fields, each text cut to 255 characters and, when `trim`, without
// leading and trailing blanks. The question and its flag are left as in base.
Question takeFields(const EditorControls& c, Question base, TestKind kind, bool trim);

} // namespace zorvik
