// ConverterWindow, "Конвертор": turns a one-level test file into a four-level one or
// back, beside the source. Created at start-up, shown modally.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zorvik {

class StatusBar;

class ConverterWindow : public QDialog {
    Q_OBJECT
public:
    ConverterWindow(AppContext& ctx, QWidget* parent);

    QLabel* Label1 = nullptr;             // "Файли одного рівня"
    QLabel* Label2 = nullptr;             // "Файли чотирьох рівнів"
    QLabel* Label3 = nullptr;             // ".tsm"
    QLabel* Label4 = nullptr;             // ".tsr"
    QLabel* Label5 = nullptr;             // the direction's arrow
    QRadioButton* RadioButton1 = nullptr; // to one level
    QRadioButton* RadioButton2 = nullptr; // to four levels
    StatusBar* StatusBar1 = nullptr;      // the direction in words
    QPushButton* Button1 = nullptr;       // "&Конвертувати"
    QPushButton* BitBtn1 = nullptr;       // "&Вийти"

public slots:
    void FormActivate();
    void RadioButton1Click();
    void RadioButton2Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();

    AppContext& ctx_;
};

} // namespace zorvik
