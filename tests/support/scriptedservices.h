// Services for tests: every message, dialog and outside call is recorded, and
// answers come from queues the test fills. A message or dialog nobody expected
// fails the running test.
#pragma once

#include "ui/services.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>

#include <deque>
#include <functional>

namespace zorvik::testing {

class FakeClock final : public Clock {
public:
    QDateTime wall{QDate(2026, 12, 8), QTime(9, 0, 0)};
    qint64 monotonic = 0;
    QDateTime now() const override { return wall.addMSecs(monotonic); }
    qint64 monotonicMs() const override { return monotonic; }
    void advance(qint64 ms) { monotonic += ms; }
};

// Values from a queue, then 0, 1, 2, … modulo n.
class FakeRandom final : public RandomSource {
public:
    std::deque<int> queue;
    int bounded(int n) override;

private:
    int next_ = 0;
};

struct RecordedMessage {
    MsgIcon icon;
    MsgButtons buttons;
    QString text;
};

class ScriptedServices final : public Services {
public:
    // Answers for the next messages, in order.
    std::deque<MsgAnswer> answers;
    QList<RecordedMessage> messages;

    std::deque<FileDialogResult> fileAnswers; // for openFile and saveFile
    QList<FileDialogSpec> fileDialogs;

    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;

    // Handlers for the next modal dialogs: each gets the dialog (not shown)
    // and returns its result.
    std::deque<std::function<int(QDialog*)>> modalHandlers;
    QStringList modalShown; // object names

    bool openWithSystemResult = true;
    QStringList opened;

    QList<QPair<int, int>> beeps; // frequency, duration

    FakeClock fakeClock;
    FakeRandom fakeRandom;
    QString clipboard;
    QSize screen{640, 480};

    QList<PrintJob> printJobs;
    // Called while a print preview is open (before printPreview returns).
    std::function<void(const PrintJob&)> previewHandler;
    QList<QImage> printedImages;

    // Texts of the messages shown so far.
    QStringList messageTexts() const;
    // True when every queued answer was used.
    bool allUsed() const;

    MsgAnswer message(QWidget* parent, MsgIcon icon, MsgButtons buttons,
                      const QString& text) override;
    FileDialogResult openFile(QWidget* parent, const FileDialogSpec& request) override;
    FileDialogResult saveFile(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    int showModal(QDialog* dialog) override;
    bool openWithSystem(const QString& path) override;
    void beep(int frequencyHz, int durationMs) override { beeps.append({frequencyHz, durationMs}); }
    Clock& clock() override { return fakeClock; }
    RandomSource& random() override { return fakeRandom; }
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    QSize screenSize() override { return screen; }
    void printPreview(QWidget* parent, const PrintJob& job) override;
    void printImage(QWidget* parent, const QImage& image) override;
};

// Renders a print job into a PDF file (for tests that read the output back).
bool renderToPdf(const PrintJob& job, const QString& path);

} // namespace zorvik::testing
