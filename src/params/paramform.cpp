#include "paramform.h"
#include "testingmodewindow.h"

#include "core/journalfile.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zorvik {

ParamForm::ParamForm(AppContext& ctx, QWidget* parent, const QString& name, int fontPixels)
    : QDialog(parent, Qt::Dialog), ctx_(ctx) {
    setObjectName(name);
    setModal(true);
    setFont(arialFont(ctx_.scale().fontHeight(fontPixels)));
}

QLabel* ParamForm::label(const QString& name, const QString& text, int left, int top, int width,
                         int height, const QColor& color, bool bold) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setWordWrap(true);
    QFont f = font();
    f.setBold(bold);
    l->setFont(f);
    if (color.isValid()) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, color);
        l->setPalette(p);
    }
    ctx_.scale().place(l, left, top, width, height);
    return l;
}

QLineEdit* ParamForm::edit(const QString& name, const QString& text, int left, int top, int width,
                           int height) {
    auto* e = new QLineEdit(text, this);
    e->setObjectName(name);
    ctx_.scale().place(e, left, top, width, height);
    return e;
}

QPushButton* ParamForm::button(const QString& name, const QString& text, int left, int top,
                               int width, int height) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    ctx_.scale().place(b, left, top, width, height);
    return b;
}

void ParamForm::setDesignSize(int width, int height) {
    const Scale s = ctx_.scale();
    setFixedSize(s.width(width), s.height(height));
}

FieldTexts ParamForm::fieldTexts() const {
    FieldTexts texts;
    for (const QLineEdit* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        texts.insert(e->objectName(), e->text());
    return texts;
}

void ParamForm::refuse(const FieldProblem& problem) {
    ctx_.services.error(this, problem.message);
    for (const QString& name : problem.clear) {
        // A disabled field cannot be typed into again, so it keeps its value.
        if (auto* e = findChild<QLineEdit*>(name); e && e->isEnabled())
            e->clear();
    }
    focusField(findChild<QWidget*>(problem.focus));
}

void ParamForm::focusField(QWidget* target) {
    if (target && target->isEnabled()) {
        target->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->isHidden()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ParamForm::reportFailure(const QString& text) {
    ctx_.services.error(this, text);
}

void ParamForm::chooseJournal(QLineEdit* field) {
    FileDialogSpec request;
    request.title = u"Задайте шлях до журналу"_s;
    request.defaultExt = u"ocn"_s;
    request.filter = u"Журнал оцінок (*.ocn)|*.ocn"_s;
    request.initialDir = ctx_.state.TestDir;
    // The save form of the dialog lets the teacher name a new journal too.
    const FileDialogResult chosen = ctx_.services.saveFile(this, request);
    if (!chosen.accepted())
        return;
    if (!journalPathStorable(chosen.fileName)) {
        // Stored cut or with letters replaced, it would name another file.
        ctx_.services.error(this, u"Шлях до журналу довший за 255 символів або містить "
                                  u"недопустимі символи!\rОберіть інше місце для журналу."_s);
        return;
    }
    if (const QString refusal = journalRefusal(chosen.fileName, *ctx_.state.storage);
        !refusal.isEmpty()) {
        // Written as a journal, its end would be overwritten.
        ctx_.services.error(this, refusal);
        return;
    }
    ctx_.state.JournalPath = chosen.fileName;
    field->setText(chosen.fileName);
}

void ParamForm::showTestingMode() {
    if (auto* mode = ctx_.windows.find<TestingModeWindow>())
        ctx_.services.showModal(mode);
}

namespace {
FieldCheck readFields(const FieldTexts& texts, Ns1Record& r) {
    return readNs1Fields(texts, r);
}
FieldCheck readFields(const FieldTexts& texts, Ns2Record& r) {
    return readNs2Fields(texts, r);
}
FieldCheck checkRecord(const Ns1Record& r, const QString& journalField) {
    return checkNs1(r, journalField);
}
FieldCheck checkRecord(const Ns2Record& r, const QString& journalField) {
    return checkNs2(r, journalField);
}
FieldProblem ioProblem(const Ns1Record&) {
    return ns1IoProblem();
}
FieldProblem ioProblem(const Ns2Record&) {
    return ns2IoProblem();
}
} // namespace

template <typename R>
bool ParamForm::saveFields(ParamEditor<R>& editor, R& record, const QString& journalField) {
    if (const FieldCheck p = readFields(fieldTexts(), record)) {
        refuse(*p);
        return false;
    }
    record.TestName = paramKey(ctx_.state.TestFileName);
    if (const QString refusal = journalRefusal(journalField, *ctx_.state.storage);
        !refusal.isEmpty()) {
        refuse(FieldProblem{refusal, {}, u"Button1"_s});
        return false;
    }
    try {
        takeJournal(ctx_.state, journalField, record);
    } catch (const FileError& e) {
        // The system's reason: a folder that is gone, a file that is read-only.
        refuse(
            FieldProblem{u"Журнал "_s + journalField.trimmed() + u" недоступний: "_s + e.reason(),
                         {},
                         u"Button1"_s});
        return false;
    }
    if (const FieldCheck p = checkRecord(record, journalField)) {
        refuse(*p);
        return false;
    }
    try {
        editor.save(record);
    } catch (const FileError&) {
        refuse(ioProblem(record));
        return false;
    }
    return true;
}

template <typename R> void ParamForm::closeUnsaved(ParamEditor<R>& editor) {
    if (!editor.isOpen())
        return;
    try {
        editor.close();
    } catch (const FileError&) {
        // Nothing was written through it.
    }
}

template bool ParamForm::saveFields(ParamEditor<Ns1Record>&, Ns1Record&, const QString&);
template bool ParamForm::saveFields(ParamEditor<Ns2Record>&, Ns2Record&, const QString&);
template void ParamForm::closeUnsaved(ParamEditor<Ns1Record>&);
template void ParamForm::closeUnsaved(ParamEditor<Ns2Record>&);

} // namespace zorvik
