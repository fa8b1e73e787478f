// MergeWindow, "Об'єднання тестових файлів": joins two test files of one kind into
// a new one. Created when chosen, shown modally on top, destroyed after.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvik {

class MergeWindow : public QDialog {
    Q_OBJECT
public:
    MergeWindow(AppContext& ctx, QWidget* parent);

    QLabel* Label1 = nullptr;       // "Об'єднання двох тестових файлів"
    QLabel* Label2 = nullptr;       // "Виберіть перший файл:"
    QLabel* Label3 = nullptr;       // "Виберіть другий файл:"
    QLabel* Label4 = nullptr;       // "Збережіть результуючий файл:"
    QLineEdit* Edit1 = nullptr;     // the first file's name
    QLineEdit* Edit2 = nullptr;     // the second file's name
    QLineEdit* Edit3 = nullptr;     // the result's full path
    QPushButton* Button1 = nullptr; // "..."
    QPushButton* Button2 = nullptr; // "..."
    QPushButton* Button3 = nullptr; // "..."
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // "&Відміна"

    const QString& firstPath() const { return first_; }
    const QString& secondPath() const { return second_; }
    const QString& resultPath() const { return result_; }

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void BitBtn1Click();

private:
    void layOut();

    AppContext& ctx_;
    QString first_;
    QString second_;
    QString result_;
    // The filters of the second file's and the result's dialogs: the first
    // file's kind once it is chosen.
    QString kindFilter_;
};

} // namespace zorvik
