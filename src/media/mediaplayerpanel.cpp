#include "mediaplayerpanel.h"

#include "core/storage.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QTime>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
QString clockText(qint64 ms) {
    return QTime(0, 0).addMSecs(static_cast<int>(ms)).toString(u"mm:ss"_s);
}
} // namespace

MediaPlayerPanel::MediaPlayerPanel(QWidget* parent, bool video) : QWidget(parent) {
    player_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(this);
    player_->setAudioOutput(audio_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    if (video) {
        video_ = new QVideoWidget(this);
        video_->setMinimumSize(160, 120);
        player_->setVideoOutput(video_);
        layout->addWidget(video_, 1);
    }
    auto* row = new QHBoxLayout;
    play_ = new QToolButton(this);
    play_->setObjectName(u"PlayButton"_s);
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    play_->setToolTip(u"Відтворити"_s);
    stop_ = new QToolButton(this);
    stop_->setObjectName(u"StopButton"_s);
    stop_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    stop_->setToolTip(u"Зупинити"_s);
    position_ = new QSlider(Qt::Horizontal, this);
    position_->setObjectName(u"PositionBar"_s);
    time_ = new QLabel(u"00:00 / 00:00"_s, this);
    row->addWidget(play_);
    row->addWidget(stop_);
    row->addWidget(position_, 1);
    row->addWidget(time_);
    layout->addLayout(row);

    connect(play_, &QToolButton::clicked, this, [this] { isPlaying() ? pause() : play(); });
    connect(stop_, &QToolButton::clicked, this, &MediaPlayerPanel::stop);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] {
        updateButtons();
        emit playingChanged(isPlaying());
    });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) {
                // A file that cannot be played leaves the player stopped.
                player_->stop();
                updateButtons();
                if (failureReported_ || source_.isEmpty())
                    return;
                failureReported_ = true;
                emit failed(reason);
            });
    connect(player_, &QMediaPlayer::positionChanged, this, &MediaPlayerPanel::updatePosition);
    connect(player_, &QMediaPlayer::durationChanged, this, &MediaPlayerPanel::updatePosition);
    connect(position_, &QSlider::sliderMoved, player_,
            [this](int value) { player_->setPosition(value); });
    updateButtons();
}

MediaPlayerPanel::~MediaPlayerPanel() {
    player_->stop();
}

void MediaPlayerPanel::setSource(const QString& path) {
    source_ = path;
    failureReported_ = false;
    // A pipe or a device would hold the player forever: only regular files.
    if (!path.isEmpty() && !Storage::system().isRegularFile(path)) {
        player_->setSource(QUrl());
        updateButtons();
        failureReported_ = true;
        emit failed(QString());
        return;
    }
    player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
    updateButtons();
}

void MediaPlayerPanel::play() {
    if (!player_->source().isEmpty())
        player_->play();
}

void MediaPlayerPanel::pause() {
    player_->pause();
}

void MediaPlayerPanel::stop() {
    player_->stop();
}

void MediaPlayerPanel::closeMedia() {
    player_->stop();
    setSource(QString());
}

bool MediaPlayerPanel::isPlaying() const {
    return player_->playbackState() == QMediaPlayer::PlayingState &&
           player_->mediaStatus() != QMediaPlayer::InvalidMedia;
}

void MediaPlayerPanel::updateButtons() {
    const bool playing = isPlaying();
    play_->setEnabled(!player_->source().isEmpty());
    play_->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    play_->setToolTip(playing ? u"Пауза"_s : u"Відтворити"_s);
    stop_->setEnabled(playing || player_->playbackState() == QMediaPlayer::PausedState);
}

void MediaPlayerPanel::updatePosition() {
    const qint64 duration = player_->duration();
    position_->setRange(0, static_cast<int>(duration));
    if (!position_->isSliderDown())
        position_->setValue(static_cast<int>(player_->position()));
    time_->setText(clockText(player_->position()) + u" / "_s + clockText(duration));
}

} // namespace zorvik
