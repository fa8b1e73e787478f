// A media player panel: loads a file by name, plays, pauses, stops, unloads
// and tells whether it is playing, with its own play/pause and stop buttons
// and a position bar. With `video` it also shows the picture of a video.
#pragma once

#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;
class QVideoWidget;

namespace zorvik {

class MediaPlayerPanel : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerPanel(QWidget* parent = nullptr, bool video = false);
    ~MediaPlayerPanel() override;

    // The file to play; an empty name unloads the player.
    void setSource(const QString& path);
    QString source() const { return source_; }
    void play();
    void pause();
    void stop();
    // Stops and unloads.
    void closeMedia();
    // Playing, and the file could be taken.
    bool isPlaying() const;

    QToolButton* playButton() const { return play_; }
    QToolButton* stopButton() const { return stop_; }

signals:
    void playingChanged(bool playing);
    // The player could not take or play the file; once per file loaded.
    void failed(const QString& reason);

private:
    void updateButtons();
    void updatePosition();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    QVideoWidget* video_ = nullptr;
    QToolButton* play_ = nullptr;
    QToolButton* stop_ = nullptr;
    QSlider* position_ = nullptr;
    QLabel* time_ = nullptr;
    QString source_;
    bool failureReported_ = false;
};

} // namespace zorvik
