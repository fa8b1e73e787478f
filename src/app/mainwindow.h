// TForm2, the main window: five commands, the exit button, the menu, the
// status bar with its clock and hints.
#pragma once

#include "ui/context.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zorvik {

class StatusBar;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx);

    AppContext& context() { return ctx_; }
    // Status panel 0 (the command or hint) and 1 (the clock).
    Q_INVOKABLE void setStatusText(int panel, const QString& text);
    Q_INVOKABLE QString statusText(int panel) const;
    // A menu item by its object name ("MenuCreate").
    QAction* menuAction(const QString& name) const;

    QPushButton* Button1 = nullptr; // "&Створити тестовий файл"
    QPushButton* Button2 = nullptr; // "&Параметри тестування"
    QPushButton* Button3 = nullptr; // "&Відкрити тестовий файл"
    QPushButton* Button4 = nullptr; // "&Тестування"
    QPushButton* Button5 = nullptr; // "&Журнал"
    QPushButton* BitBtn1 = nullptr; // "&Вихід"
    QFrame* Bevel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    StatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1Timer();
    void FormActivate();
    void BitBtn1Click();
    void AboutClick();
    void HelpClick();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void scaleControls();

    AppContext& ctx_;
};

} // namespace zorvik
