// The services of the running program.
#pragma once

#include "services.h"

#include <functional>

namespace zorvik {

class RealServices final : public Services {
public:
    // `printersInstalled` tells whether the system has a printer (tests say no).
    explicit RealServices(std::function<bool()> printersInstalled = {})
        : printersInstalled_(std::move(printersInstalled)) {}
    MsgAnswer message(QWidget* parent, MsgIcon icon, MsgButtons buttons,
                      const QString& text) override;
    FileDialogResult openFile(QWidget* parent, const FileDialogSpec& request) override;
    FileDialogResult saveFile(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    int showModal(QDialog* dialog) override;
    bool openWithSystem(const QString& path) override;
    void openWithSystemLater(const QString& path, std::function<void(bool)> done) override;
    void beep(int frequencyHz, int durationMs) override;
    Clock& clock() override { return systemClock(); }
    RandomSource& random() override { return systemRandom(); }
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    QSize screenSize() override;
    void printPreview(QWidget* parent, const PrintJob& job) override;
    void printImage(QWidget* parent, const QImage& image) override;

private:
    std::function<bool()> printersInstalled_;
};

// Whether the system's opener may be given the file: by content and by name
// a picture, a sound, a video or a document of the kinds the program writes
// (RTF .doc, .xlsx, .txt, .pdf); never a program, a script or a web page.
bool mayOpenWithSystem(const QString& path);

// "Опис (*.tsm)|*.tsm|Усі (*.*)|*.*" as Qt's name filters.
QStringList qtNameFilters(const QString& filter);

} // namespace zorvik
