// The testing windows: TForm4 (answers move forward only) and TForm18 (with
// "<-&Попереднє"). Borderless and full screen; they render the run engine's
// display state and forward clicks and timer ticks to it.
#pragma once

#include "core/runengine.h"
#include "ui/context.h"

#include <QDialog>

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zorvik {

class PictureBox;
class StatusBar;

class TestingWindow : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;  // "Запитання №"
    QLabel* Label2 = nullptr;  // question number
    QLabel* Label3 = nullptr;  // progress " %"
    QLabel* Label4 = nullptr;  // verdict
    QLabel* Label5 = nullptr;  // points of the question
    QLabel* Label6 = nullptr;  // "Всього балів:"
    QLabel* Label7 = nullptr;  // points so far
    QLabel* Label8 = nullptr;  // "Максимально балів:"
    QLabel* Label9 = nullptr;  // maximum points
    QLabel* Label10 = nullptr; // "із"
    QLabel* Label11 = nullptr; // questions of the run
    QLabel* Label12 = nullptr; // per-question countdown
    QLabel* Label13 = nullptr; // "Рівень:"
    QLabel* Label14 = nullptr; // level
    QLabel* Label15 = nullptr; // "Відповіді:"
    QLabel* Label16 = nullptr; // "1." .. "5.": the answer slots
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;       // whole-test countdown
    QPlainTextEdit* Memo1 = nullptr; // the question
    QPlainTextEdit* Memo2 = nullptr; // answers 1 .. 5 of the record
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QPlainTextEdit* Memo6 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // the student's marks for answers 1 .. 5
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* Image2 = nullptr; // "Погано!"
    QLabel* Image3 = nullptr; // clock of the per-question countdown
    QLabel* Image4 = nullptr; // "Добре!"
    QLabel* Image5 = nullptr; // "Чудово!"
    QLabel* Image6 = nullptr; // clock of the whole-test countdown
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel3 = nullptr;
    QFrame* Bevel4 = nullptr;
    QFrame* Bevel5 = nullptr;
    QPushButton* BitBtn1 = nullptr; // sound
    QPushButton* BitBtn2 = nullptr; // video
    QPushButton* Button1 = nullptr; // answer and go on
    QPushButton* Button2 = nullptr; // "&Результат"
    QPushButton* Button3 = nullptr; // "&Вийти"
    QPushButton* Button4 = nullptr; // "<-&Попереднє", going-back window only
    QProgressBar* ProgressBar1 = nullptr;
    StatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr; // housekeeping and the per-question countdown
    QTimer* Timer2 = nullptr; // whole-test countdown
    QMenu* PopupMenu1 = nullptr;
    QAction* N1 = nullptr; // "Шрифт..."
    QAction* N2 = nullptr; // "Фон..."

    // The run of the latest activation (null before the first one).
    RunEngine* engine() const { return engine_.get(); }
    // The student's marks for answers 1..5.
    Checks checks() const;

public slots:
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void Timer1Timer();
    void Timer2Timer();
    void N1Click();
    void N2Click();
    void Image1DblClick();
    // Every close of the window ends here.
    void done(int result) override;

protected:
    TestingWindow(AppContext& ctx, QWidget* parent, const RunWindowTraits& traits,
                  const QString& name);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void FormClose();
    void render();
    void showQuestion();
    void clearQuestion();
    void setSlots(const std::array<int, 5>& permutation);
    void updateScrollBars();
    void restoreImageFrame();
    void dragImage(QMouseEvent* event);
    void error(const QString& text);
    template <typename F> void guarded(F&& step);

    AppContext& ctx_;
    const RunWindowTraits& traits_;
    std::array<QPlainTextEdit*, 6> memos_{};       // Memo1..Memo6
    std::array<QPlainTextEdit*, 5> answerMemos_{}; // Memo2..Memo6
    std::array<QCheckBox*, 5> checkBoxes_{};
    std::array<QLabel*, 5> slotLabels_{};
    std::unique_ptr<RunEngine> engine_;
    QRect normalImageFrame_;
    QRect memo1Frame_;
    std::array<int, 5> slotMemoTops_{};
    std::array<int, 5> slotCheckTops_{};
    bool pictureAnswers_ = false;
    bool dragMark_ = false;
    bool busy_ = false; // a message or a step is in progress: ticks wait
    bool closing_ = false;
    bool firstQuestion_ = false; // the question shown by the start of the run
    quint64 shownQuestion_ = 0;
    quint64 shownChecks_ = 0;
};

// TForm4: the plain testing window; the picture's edges can be dragged.
class PlainTestingWindow : public TestingWindow {
    Q_OBJECT
public:
    PlainTestingWindow(AppContext& ctx, QWidget* parent);
};

// TForm18: the going-back window.
class GoBackTestingWindow : public TestingWindow {
    Q_OBJECT
public:
    GoBackTestingWindow(AppContext& ctx, QWidget* parent);
};

} // namespace zorvik
