// TForm6 "Введіть дані про себе": the student's name and group, the header of
// the run in the result log, and the testing window of the test's mode.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvik {

class NameWindow : public QDialog {
    Q_OBJECT
public:
    NameWindow(AppContext& ctx, QWidget* parent);

    QLabel* Label1 = nullptr; // "Прізвище, ім'я, по-батькові:"
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr; // "Група (клас)"
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr; // "&OK"

public slots:
    void FormActivate();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& ctx_;
};

} // namespace zorvik
