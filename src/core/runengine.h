// A testing run without widgets: start, selection, display state, answering,
// going back, the two countdowns, the end (normal, by time, broken off), the
// result log and the journal entry. The testing windows render its display
// state and forward clicks and timer ticks; what differs between the plain
// window and the going-back window is the data of RunWindowTraits.
#pragma once

#include "appstate.h"
#include "grading.h"
#include "resultlog.h"
#include "selection.h"
#include "services.h"
#include "testfile.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace zorvik {

using Checks = std::array<bool, 5>; // the student's marks for answers 1..5

enum class RunWindowKind { Plain, GoBack };

// What differs between the plain testing window and the going-back window.
struct RunWindowTraits {
    RunWindowKind kind = RunWindowKind::Plain;
    QString nextCaption; // Button1 while more questions follow
    QString lastCaption; // Button1 on the last question: red, with the warning hint
    LogSpacing answerTsm;
    LogSpacing answerTsr;
    LogSpacing goingBack;
    int timeUpBeepTsm = 50; // ms of the beep at the end by time
    int timeUpBeepTsr = 50;
    bool mediaStaysOnTimeUp = false; // sound and video still usable after the end by time

    static const RunWindowTraits& plain();  // TForm4
    static const RunWindowTraits& goBack(); // TForm18
};

inline constexpr int kBeepHz = 700;
inline constexpr int kEndBeepMs = 50;

inline const QString kLastAnswerHint =
    QStringLiteral("Завершує тестування. ПОВЕРНУТИСЬ НАЗАД БУДЕ НЕМОЖЛИВО!");
// An input/output failure while a run goes on.
inline const QString kRunIoErrorText =
    QStringLiteral("     ПОМИЛКА ВВОДУ/ВИВОДУ!\rВідсутнє з'єднання, папка з журналом\rабо диск "
                   "захищено від запису!");

enum class LevelColour { None, Green, Blue, Red };

// Everything of the testing window that follows the run, control by control.
struct RunDisplay {
    QString caption;               // window caption
    std::array<QString, 5> status; // status panels 0..4 (panel 5 is the clock)

    // The answers that have a text: only they are shown, with their marks.
    std::array<bool, 5> answerShown{true, true, true, true, true};

    QString questionNo;        // Label2
    QString questionCount;     // Label11
    bool levelVisible = false; // Label13, Label14
    QString levelText;         // Label14
    LevelColour levelColour = LevelColour::None;

    QString nextCaption; // Button1
    bool nextRed = false;
    QString nextHint; // empty: hints off
    bool nextEnabled = false;
    bool backEnabled = false;   // Button4 of the going-back window
    bool resultEnabled = false; // Button2
    bool exitEnabled = false;   // Button3
    bool checksEnabled = true;  // CheckBox1..5
    bool mediaEnabled = true;   // BitBtn1, BitBtn2

    bool hintsVisible = false;      // Bevel3..5, Label6, Label8
    QString maxText;                // Label9
    QString runScoreText;           // Label7
    QString questionScoreText;      // Label5
    std::optional<Verdict> verdict; // Label4 and the three verdict pictures

    bool questionTimerVisible = false; // Image3, Label12
    QString questionTimerText;         // seconds
    bool testTimerVisible = false;     // Image6, Label21
    QString testTimerText;

    bool progressVisible = false; // ProgressBar1, Label3
    int progress = 0;
};

class RunEngine {
public:
    using Beep = std::function<void(int frequencyHz, int durationMs)>;

    RunEngine(AppState& state, const RunWindowTraits& traits, Clock& clock, RandomSource& random,
              Beep beep);

    // Why the current test cannot be given with its parameters (a clear
    // message), or an empty text. Reads the test file; throws FileError.
    static QString checkParameters(const AppState& state);
    // The header of the run's block in the result log (the name window).
    // Throws FileError.
    static void writeLogHeader(AppState& state, const Clock& clock);
    // TestDir joined with the file name of the parameter record's TestName.
    static QString testFilePath(const AppState& state);

    // The activation of the window and the start of the run, up to showing
    // question 1. Returns a message when the parameters do not allow a run
    // (the run then only lets the student leave). Throws FileError when the
    // test file cannot be read; the run may be left then.
    QString start();
    // Reads the current question into the record buffer and shuffles its
    // answers when the parameters say so. Throws FileError; until a read
    // succeeds, "Next" reads again instead of answering.
    void showQuestion();

    // Button1. Throws FileError, leaving the question unanswered when the
    // log line could not be written.
    void answer(const Checks& checks);
    // Button4 of the going-back window.
    void goBack(const Checks& checks);
    // Timer1 after the housekeeping: the per-question countdown, which may
    // answer with the marks as they stand.
    void tickQuestionTimer(const Checks& checks);
    // Timer2: the whole-test countdown.
    void tickTestTimer();
    // Button3, before the window closes.
    void leave();
    // Every close of the window: a run not yet ended is recorded as broken off.
    // Throws FileError after doing all it can.
    void close();

    const RunDisplay& display() const { return display_; }
    const RunWindowTraits& traits() const { return traits_; }
    TestKind kind() const { return kind_; }
    // The question on the screen (the record buffer of the test kind).
    const QuestionFields& question() const;
    bool questionLoaded() const { return questionLoaded_; }
    // Grows each time a question is (re)read, and each time the marks are set.
    quint64 questionSerial() const { return questionSerial_; }
    quint64 checksSerial() const { return checksSerial_; }
    const Checks& checksToShow() const { return checks_; }
    bool started() const { return started_; }
    bool ended() const { return ended_; }
    bool testTimerRunning() const { return testTimerRunning_; }
    int questionValue() const;

private:
    const TestingMode& mode() const;
    qint32 gradeScale() const;
    qint64 now() const { return clock_.monotonicMs(); }
    bool testLimitOn() const { return mode().TestTimeOn; }
    bool hintMode() const { return mode().Mode == 2 || mode().Mode == 4; }
    bool questionTimeMode() const { return mode().Mode == 3 || mode().Mode == 4; }
    const LogSpacing& answerSpacing() const;
    void setChecks(const Checks& checks);
    void showVerdict(double questionScore, int questionValue);
    void setProgress(int position);
    void updateGrade();
    double savedScoreSum() const;
    void finishRun(bool byTime);
    void appendLog(const QStringList& lines);
    // Writes the run's block, ended by `lines`, to the log in one append.
    void endLog(const QStringList& lines);

    AppState& state_;
    RunState& run_;
    const RunWindowTraits& traits_;
    Clock& clock_;
    RandomSource& random_;
    Beep beep_;
    TestKind kind_ = TestKind::None;

    RunDisplay display_;
    Checks checks_{};
    quint64 questionSerial_ = 0;
    quint64 checksSerial_ = 0;
    bool logOpen_ = false; // the block's header is in the log, its end not yet
    bool started_ = false; // questions chosen
    bool ended_ = false;   // end lines written (or the run given up)
    bool questionLoaded_ = false;
    bool exitForced_ = false; // Button3 enabled only because a question could not be read
    bool testTimerRunning_ = false;
};

// The figures of the result window, as texts.
struct ResultFigures {
    QString name;              // Label17
    QString group;             // Label18
    QString questions;         // Label2
    QString scale;             // Label13
    QString pointsPerQuestion; // Label10
    QString maxPoints;         // Label4
    QString score;             // Label7
    QString grade;             // Label16
    QString date;              // Label5
    QString time;              // Label8
};
ResultFigures resultFigures(const AppState& state, const QDateTime& now);

} // namespace zorvik
