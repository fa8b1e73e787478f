// The one seam through which windows reach the outside: message boxes, common
// dialogs, modal showing, the system's "open with", the beep, the clock, the
// random generator, the clipboard, the screen and the printer. The program
// uses RealServices; tests use a scripted implementation.
#pragma once

#include "core/services.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QImage;
class QPagedPaintDevice;
class QWidget;

namespace zorvik {

enum class MsgIcon { Error, Information, Confirmation, Warning };
enum class MsgButtons { Ok, Yes, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// A file dialog as the windows describe it. `filter` is "description|pattern|…"
// ("Тестові файли (*.tsm)|*.tsm|Усі файли (*.*)|*.*").
struct FileDialogSpec {
    QString title;
    QString filter;
    QString defaultExt; // "tsm", without the dot
    QString initialDir;
    QString fileName;
    int filterIndex = 1; // 1-based, as chosen first
    bool overwritePrompt = false;
    bool createPrompt = false; // a save dialog asks before naming a file that does not exist
};

// What a file dialog returned: the name (empty when cancelled) and the filter
// that was chosen (1-based).
struct FileDialogResult {
    QString fileName;
    int filterIndex = 1;
    bool accepted() const { return !fileName.isEmpty(); }
};

// Something printed through the preview: draws its pages on a paged device.
struct PrintJob {
    QString title;
    QPageLayout layout;
    std::function<void(QPagedPaintDevice& device)> render;
};

class Services {
public:
    virtual ~Services() = default;

    // A modal message box with the program's caption; returns the button pressed.
    virtual MsgAnswer message(QWidget* parent, MsgIcon icon, MsgButtons buttons,
                              const QString& text) = 0;
    MsgAnswer error(QWidget* parent, const QString& text) {
        return message(parent, MsgIcon::Error, MsgButtons::Ok, text);
    }
    MsgAnswer info(QWidget* parent, const QString& text) {
        return message(parent, MsgIcon::Information, MsgButtons::Ok, text);
    }

    virtual FileDialogResult openFile(QWidget* parent, const FileDialogSpec& request) = 0;
    virtual FileDialogResult saveFile(QWidget* parent, const FileDialogSpec& request) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;

    // Shows a dialog modally and returns its result (QDialog::exec()).
    virtual int showModal(QDialog* dialog) = 0;

    // Opens a document with the system's program for its type. Never starts
    // the file itself as a program. False when nothing could be started.
    virtual bool openWithSystem(const QString& path) = 0;
    // The same without waiting: `done` is told later whether it started.
    virtual void openWithSystemLater(const QString& path, std::function<void(bool)> done) {
        done(openWithSystem(path));
    }

    // A tone of `frequencyHz` for `durationMs`.
    virtual void beep(int frequencyHz, int durationMs) = 0;

    virtual Clock& clock() = 0;
    virtual RandomSource& random() = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;

    // Size of the screen the program starts on.
    virtual QSize screenSize() = 0;

    // The print preview of a document, from which the user prints or saves a PDF.
    virtual void printPreview(QWidget* parent, const PrintJob& job) = 0;
    // The image of a window on the default printer.
    virtual void printImage(QWidget* parent, const QImage& image) = 0;
};

} // namespace zorvik
