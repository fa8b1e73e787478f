#include "recordfields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace zorvik {

namespace {
std::array<QPlainTextEdit*, 5> answerFields(const EditorControls& c) {
    return {c.Memo2, c.Memo3, c.Memo4, c.Memo5, c.Memo7};
}

std::array<QCheckBox*, 5> markBoxes(const EditorControls& c) {
    return {c.CheckBox1, c.CheckBox2, c.CheckBox3, c.CheckBox4, c.CheckBox5};
}

// The level buttons by level.
QRadioButton* levelButton(const EditorControls& c, QuestionLevel level) {
    switch (level) {
    case QuestionLevel::Low:
        return c.RadioButton1;
    case QuestionLevel::Medium:
        return c.RadioButton2;
    case QuestionLevel::High:
        return c.RadioButton3;
    case QuestionLevel::Sufficient:
        return c.RadioButton4;
    case QuestionLevel::None:
        break;
    }
    return nullptr;
}

constexpr QuestionLevel kLevels[] = {QuestionLevel::Low, QuestionLevel::Medium, QuestionLevel::High,
                                     QuestionLevel::Sufficient};

// Unchecks every level button, which an exclusive group does not allow.
void clearLevel(const EditorControls& c) {
    for (QuestionLevel level : kLevels) {
        QRadioButton* r = levelButton(c, level);
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}
} // namespace

EditorFields readFields(const EditorControls& c) {
    EditorFields f;
    f.question = c.Memo1->toPlainText();
    for (size_t k = 0; k < 5; ++k) {
        f.answers[k] = answerFields(c)[k]->toPlainText();
        f.correct[k] = markBoxes(c)[k]->isChecked();
    }
    f.picture = c.Memo6->text();
    f.audio = c.Memo8->text();
    f.video = c.Memo9->text();
    f.questionAndPicture = c.CheckBox6->isChecked();
    for (QuestionLevel level : kLevels)
        if (levelButton(c, level)->isChecked())
            f.level = level;
    return f;
}

void showFields(EditorControls& c, const EditorFields& f, bool withQuestion, bool withLevel) {
    if (withQuestion)
        c.Memo1->setPlainText(f.question);
    for (size_t k = 0; k < 5; ++k)
        answerFields(c)[k]->setPlainText(f.answers[k]);
    c.Memo6->setText(f.picture);
    c.Memo8->setText(f.audio);
    c.Memo9->setText(f.video);
    for (size_t k = 0; k < 5; ++k)
        markBoxes(c)[k]->setChecked(f.correct[k]);
    c.CheckBox6->setChecked(f.questionAndPicture);
    if (!withLevel)
        return;
    if (QRadioButton* r = levelButton(c, f.level))
        r->setChecked(true);
    else
        clearLevel(c);
}

} // namespace zorvik
