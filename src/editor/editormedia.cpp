// The question's picture, sound and video in the editor: choosing, viewing,
// playing and removing them. Only the names change; nothing is copied, and
// the record gets them when the question is saved.
#include "editorwindow.h"

#include "media/picturebox.h"

#include "core/mediafilter.h"
#include "media/mediachooser.h"
#include "media/mediahelpers.h"
#include "media/picturewindow.h"
#include "media/soundwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
bool isExistingFile(const QString& name) {
    return QFileInfo(name).isFile();
}
} // namespace

void EditorWindow::connectMedia() {
    connect(Button10, &QPushButton::clicked, this, &EditorWindow::choosePicture);
    connect(N4, &QAction::triggered, this, &EditorWindow::changePicture);
    connect(N3, &QAction::triggered, this, &EditorWindow::removePicture);
    connect(BitBtn4, &QPushButton::clicked, this, &EditorWindow::removePicture);
    connect(Image1, &PictureBox::doubleClicked, this, &EditorWindow::Image1DblClick);
    connect(BitBtn3, &QPushButton::clicked, this, &EditorWindow::showPictureLarge);
    connect(BitBtn1, &QPushButton::clicked, this, &EditorWindow::chooseSound);
    connect(BitBtn2, &QPushButton::clicked, this, &EditorWindow::chooseVideo);
    connect(BitBtn5, &QPushButton::clicked, this, &EditorWindow::playSound);
    connect(BitBtn6, &QPushButton::clicked, this, &EditorWindow::removeSound);
    connect(BitBtn7, &QPushButton::clicked, this, &EditorWindow::playVideo);
    connect(BitBtn8, &QPushButton::clicked, this, &EditorWindow::removeVideo);
}

bool EditorWindow::loadPicture(const QString& path) {
    QString reason;
    const QImage image = readPictureFile(path, *ctx_.state.storage, &reason);
    if (image.isNull()) {
        ctx_.services.error(this, u"Помилка читання малюнку!\r"_s + path + u"\r"_s + reason);
        return false;
    }
    Image1->setImage(image);
    return true;
}

// ---- The picture ----

void EditorWindow::choosePicture() {
    FileDialogSpec request;
    request.title = u"Вставити малюнок"_s;
    request.filter = pictureFilter();
    const QString shown = Memo6->text().trimmed();
    request.initialDir = shown.isEmpty() ? currentDir() : QFileInfo(shown).absolutePath();
    const QString name = ctx_.services.openFile(this, request).fileName;
    if (name.isEmpty())
        return;
    // A picture that cannot be read leaves the former one and its name.
    if (!loadPicture(name))
        return;
    Memo6->setText(name);
    Image1->show();
    markDirty();
}

void EditorWindow::changePicture() {
    markDirty();
    choosePicture();
}

void EditorWindow::removePicture() {
    Image1->hide();
    Image1->clear();
    Memo6->clear();
    markDirty();
    if (CheckBox6->isChecked())
        applyPictureLayout();
    else
        restoreNormalLayout();
}

void EditorWindow::Image1DblClick() {
    if (Image1->image().isNull())
        return;
    // The caption names the picture shown, which may not be saved yet.
    PictureWindow::showPicture(ctx_, this, Image1->image(), Memo6->text());
}

void EditorWindow::showPictureLarge() {
    const QString name = Memo6->text();
    if (name.trimmed().isEmpty())
        return;
    if (!isExistingFile(name)) {
        ctx_.services.error(this, u"Не існує файла малюнка \r\n"_s + name + u"!!!"_s);
        return;
    }
    if (Image1->image().isNull() && !loadPicture(name))
        return;
    PictureWindow::showPicture(ctx_, this, Image1->image(), name);
}

// ---- Sound and video ----

void EditorWindow::chooseMedia(bool video) {
    // Where the file already named lives, else beside the test file.
    QString folder = QFileInfo((video ? Memo9 : Memo8)->text().trimmed()).absolutePath();
    if ((video ? Memo9 : Memo8)->text().trimmed().isEmpty() || !QFileInfo(folder).isDir())
        folder = model_.session().path().isEmpty()
                     ? currentDir()
                     : QFileInfo(model_.session().path()).absolutePath();
    MediaChooser::choose(ctx_, this, video ? u"Вставити відео"_s : u"Вставити звук"_s,
                         video ? videoFilter() : soundFilter(), folder,
                         [this](MediaKind kind, const QString& path) {
                             if (kind == MediaKind::Sound) {
                                 Memo8->setText(path);
                                 markDirty();
                             } else if (kind == MediaKind::Video) {
                                 Memo9->setText(path);
                             }
                         });
}

void EditorWindow::chooseSound() {
    chooseMedia(false);
}

void EditorWindow::chooseVideo() {
    chooseMedia(true);
}

void EditorWindow::playSound() {
    const QString name = Memo8->text().trimmed();
    if (name.isEmpty())
        return;
    if (!isExistingFile(name)) {
        ctx_.services.error(this, u"Не існує файла аудіо \r\n"_s + name + u"!!!"_s);
        return;
    }
    reportMissingAudioOnce(ctx_, this);
    SoundWindow::playSound(ctx_, this, name);
}

void EditorWindow::playVideo() {
    const QString name = Memo9->text().trimmed();
    if (name.isEmpty())
        return;
    if (!isExistingFile(name)) {
        ctx_.services.error(this, u"Не існує файла відео \r\n"_s + name + u"!!!"_s);
        return;
    }
    openInSystem(ctx_, this, name);
}

void EditorWindow::removeSound() {
    Memo8->clear();
}

void EditorWindow::removeVideo() {
    Memo9->clear();
}

} // namespace zorvik
