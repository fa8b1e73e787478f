#include "soundwindow.h"

#include "clientdrag.h"
#include "mediaplayerpanel.h"

#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {

SoundWindow::SoundWindow(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(u"TForm22"_s);
    setWindowTitle(u"Мультимедіа "_s);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    WindowsMediaPlayer1 = new MediaPlayerPanel(this);
    WindowsMediaPlayer1->setObjectName(u"WindowsMediaPlayer1"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WindowsMediaPlayer1);
    const Scale scale = ctx.scale();
    resize(scale.width(300), scale.height(48));
    setFixedSize(size());

    // Centred on the main window.
    if (QWidget* main = ctx.windows.mainWindow()) {
        const QPoint centre = main->frameGeometry().center();
        move(centre - QPoint(width() / 2, height() / 2));
    }
    new ClientDrag(this);
}

void SoundWindow::start(const QString& path) {
    WindowsMediaPlayer1->closeMedia();
    WindowsMediaPlayer1->update();
    WindowsMediaPlayer1->setSource(path);
    WindowsMediaPlayer1->play();
}

void SoundWindow::done(int result) {
    WindowsMediaPlayer1->closeMedia();
    QDialog::done(result);
}

void SoundWindow::playSound(AppContext& ctx, QWidget* parent, const QString& path) {
    const auto window = std::make_unique<SoundWindow>(ctx, parent);
    window->start(path);
    ctx.services.showModal(window.get());
    window->WindowsMediaPlayer1->closeMedia();
}

} // namespace zorvik
