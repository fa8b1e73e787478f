// What the parameter windows and the testing-mode window share: building
// their controls in the design space and showing a refused OK.
#pragma once

#include "core/paramcheck.h"
#include "core/paramfiles.h"
#include "ui/context.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvik {

class ParamForm : public QDialog {
    Q_OBJECT
public:
    ParamForm(AppContext& ctx, QWidget* parent, const QString& name, int fontPixels = 13);

protected:
    // Controls placed at their design rectangle, with the window's font.
    QLabel* label(const QString& name, const QString& text, int left, int top, int width,
                  int height, const QColor& color = {}, bool bold = false);
    QLineEdit* edit(const QString& name, const QString& text, int left, int top, int width,
                    int height = 21);
    QPushButton* button(const QString& name, const QString& text, int left, int top, int width,
                        int height);
    void setDesignSize(int width, int height);

    // The texts of every edit field by name.
    FieldTexts fieldTexts() const;
    // Shows the message, empties the named fields that can be edited and
    // focuses the named one (or, when it is disabled, the first that is not).
    void refuse(const FieldProblem& problem);
    // Gives the focus to `target`, or to the first enabled field after it.
    void focusField(QWidget* target);
    // The general report of an unexpected failure: its own text.
    void reportFailure(const QString& text);
    // "...": asks for a journal, new or existing, starting in TestDir; on
    // confirmation JournalPath and `field` take it.
    void chooseJournal(QLineEdit* field);
    // "+": the testing-mode window on the current record.
    void showTestingMode();
    // The OK steps after the fields were checked as typed: reads them into
    // `record`, takes the journal, checks the whole and saves through
    // `editor`; a refusal is shown. True when the record was saved.
    template <typename R>
    bool saveFields(ParamEditor<R>& editor, R& record, const QString& journalField);
    // Leaves the parameter file of a showing that saved nothing.
    template <typename R> static void closeUnsaved(ParamEditor<R>& editor);

    AppContext& ctx_;
};

} // namespace zorvik
