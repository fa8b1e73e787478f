#include "picturewindow.h"

#include "clientdrag.h"
#include "picturebox.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {

PictureWindow::PictureWindow(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(u"TForm21"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    const Scale scale = ctx.scale();
    const QSize screen = ctx.services.screenSize();
    resize(std::min(scale.width(690), screen.width()),
           std::min(scale.height(595), screen.height() - 40));

    Image1 = new PictureBox(this, PictureBox::Fit::FitTop);
    Image1->setObjectName(u"Image1"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    connect(Image1, &PictureBox::doubleClicked, this, &QDialog::accept);

    auto* drag = new ClientDrag(this);
    drag->watch(Image1);
}

void PictureWindow::setPicture(const QImage& picture, const QString& caption) {
    Image1->setImage(picture);
    setWindowTitle(caption);
}

void PictureWindow::showPicture(AppContext& ctx, QWidget* parent, const QImage& picture,
                                const QString& caption) {
    const auto window = std::make_unique<PictureWindow>(ctx, parent);
    window->setPicture(picture.copy(), caption);
    ctx.services.showModal(window.get());
}

void PictureWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        accept();
}

} // namespace zorvik
