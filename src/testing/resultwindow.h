// TForm7 "Результат": the figures of the run just given. A new instance is
// made for each showing; "&Друк" prints the window's image.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorvik {

class ResultWindow : public QDialog {
    Q_OBJECT
public:
    ResultWindow(AppContext& ctx, QWidget* parent);

    QLabel* Label1 = nullptr; // "Всіх запитань: "
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr; // "Максимально - балів:"
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr; // date
    QLabel* Label6 = nullptr; // "Набрали балів:"
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr; // time
    QLabel* Label9 = nullptr; // "Балів за 1-е запитання :"
    QLabel* Label10 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr; // "Система оцінювання  (балів):"
    QLabel* Label15 = nullptr; // "Ваша оцінка:"
    QLabel* Label16 = nullptr;
    QLabel* JournalNote = nullptr;
    QLabel* Label17 = nullptr;      // the student's name
    QLabel* Label18 = nullptr;      // the group
    QPushButton* BitBtn1 = nullptr; // "&Закрити"
    QPushButton* BitBtn2 = nullptr; // "&Друк"

public slots:
    void FormActivate();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& ctx_;
};

} // namespace zorvik
