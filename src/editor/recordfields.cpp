#include "recordfields.h"

#include "core/bytes.h"
#include "core/questiontext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace zorvik {

namespace {
QPlainTextEdit* answerField(const EditorControls& c, int k) {
    QPlainTextEdit* fields[] = {c.Memo2, c.Memo3, c.Memo4, c.Memo5, c.Memo7};
    return fields[k - 1];
}

QCheckBox* markBox(const EditorControls& c, int k) {
    QCheckBox* boxes[] = {c.CheckBox1, c.CheckBox2, c.CheckBox3, c.CheckBox4, c.CheckBox5};
    return boxes[k - 1];
}

QString stored(const QString& text, bool trim) {
    const QString record = fieldTextToRecord(text);
    return cutToCapacity(trim ? trimField(record) : record, kShortStringCapacity);
}

// Unchecks every level button, which an exclusive group does not allow.
void clearLevel(EditorControls& c) {
    for (QRadioButton* r : {c.RadioButton1, c.RadioButton2, c.RadioButton3, c.RadioButton4}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}
} // namespace

void showTexts(EditorControls& c, const Question& q) {
    for (int k = 1; k <= 5; ++k)
        answerField(c, k)->setPlainText(recordTextToField(q.answer(k)));
    c.Memo6->setText(q.PictureFile);
    c.Memo8->setText(q.AudioFile);
    c.Memo9->setText(q.VideoFile);
}

void showMarks(EditorControls& c, const Question& q) {
    for (int k = 1; k <= 5; ++k)
        markBox(c, k)->setChecked(q.correct(k));
    c.CheckBox6->setChecked(q.QuestionAndPicture);
}

void showLevel(EditorControls& c, const Question& q) {
    switch (levelOf(q)) {
    case QuestionLevel::None:
        clearLevel(c);
        break;
    case QuestionLevel::Low:
        c.RadioButton1->setChecked(true);
        break;
    case QuestionLevel::Medium:
        c.RadioButton2->setChecked(true);
        break;
    case QuestionLevel::High:
        c.RadioButton3->setChecked(true);
        break;
    case QuestionLevel::Sufficient:
        c.RadioButton4->setChecked(true);
        break;
    }
}

void selectLowLevel(EditorControls& c) {
    c.RadioButton1->setChecked(true);
}

void clearTexts(EditorControls& c, bool keepPicture) {
    c.Memo1->clear();
    for (int k = 1; k <= 5; ++k)
        answerField(c, k)->clear();
    if (!keepPicture)
        c.Memo6->clear();
    c.Memo8->clear();
    c.Memo9->clear();
}

void clearMarks(EditorControls& c) {
    for (int k = 1; k <= 5; ++k)
        markBox(c, k)->setChecked(false);
    c.CheckBox6->setChecked(false);
}

Question takeFields(const EditorControls& c, Question base, TestKind kind, bool trim) {
    for (int k = 1; k <= 5; ++k) {
        base.answer(k) = stored(answerField(c, k)->toPlainText(), trim);
        base.correct(k) = markBox(c, k)->isChecked();
    }
    base.PictureFile = stored(c.Memo6->text(), trim);
    base.AudioFile = stored(c.Memo8->text(), trim);
    base.VideoFile = stored(c.Memo9->text(), trim);
    base.QuestionAndPicture = c.CheckBox6->isChecked();
    if (kind == TestKind::Tsr) {
        base.LevelLow = c.RadioButton1->isChecked();
        base.LevelMedium = c.RadioButton2->isChecked();
        base.LevelHigh = c.RadioButton3->isChecked();
        base.LevelSufficient = c.RadioButton4->isChecked();
    }
    return base;
}

} // namespace zorvik
