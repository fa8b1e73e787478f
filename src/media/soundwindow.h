// TForm22 "Мультимедіа ": a small window that plays a question's sound. It is
// created when opened, centred on the main window, and destroyed when closed;
// closing stops and unloads the player.
#pragma once

#include "ui/context.h"

#include <QDialog>

namespace zorvik {

class MediaPlayerPanel;

class SoundWindow : public QDialog {
    Q_OBJECT
public:
    SoundWindow(AppContext& ctx, QWidget* parent);

    // Loads the file into a fresh player and starts playing it.
    void start(const QString& path);

    // Plays `path` in a new window shown modally; the caller has checked that
    // the file exists.
    static void playSound(AppContext& ctx, QWidget* parent, const QString& path);

    MediaPlayerPanel* WindowsMediaPlayer1 = nullptr;

public slots:
    void done(int result) override;
};

} // namespace zorvik
