// TForm1, the splash: types the program's name and by-line, then slides away
// and hands over to the main window.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

namespace zorvik {

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(AppContext& ctx, QWidget* parent = nullptr);

    static const QString kProductName;
    static const QString kByLine; // 19 visible characters and 12 blanks

    QLabel* Label1 = nullptr; // the name, typed
    QLabel* Label2 = nullptr; // the author line
    QLabel* Label3 = nullptr; // the by-line, typed
    QLabel* Label4 = nullptr; // "(Програма для вчителя)"
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QFrame* Bevel3 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;

    bool finished() const { return finished_; }

public slots:
    void FormActivate();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& ctx_;
    int nameCounter_ = 1;
    int byLineCounter_ = 1;
    bool finished_ = false;
};

} // namespace zorvik
