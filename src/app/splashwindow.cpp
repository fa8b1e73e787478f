#include "splashwindow.h"

#include "ui/artwork.h"
#include "ui/fonts.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik {

const QString SplashWindow::kProductName = u"Zorvik"_s;
const QString SplashWindow::kByLine = u"Зорвік Лаб, м. Київ"_s + QString(12, u' ');

SplashWindow::SplashWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm1"_s);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(166, 202, 240)); // sky blue
    setPalette(pal);

    // The main window has not computed the factors yet: the splash is made first.
    const QSize screen = ctx_.services.screenSize();
    const Scale s = Scale::forScreen(screen.width(), screen.height());
    resize(s.width(335), s.height(183));

    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    QFont nameFont = serifFont(40, true);
    nameFont.setItalic(true);
    Label1->setFont(nameFont);
    Label1->setStyleSheet(u"color: navy;"_s);
    s.place(Label1, 12, 8, 200, 52);
    s.setFontPixels(Label1, 40);

    Label4 = new QLabel(u"(Програма для вчителя)"_s, this);
    Label4->setObjectName(u"Label4"_s);
    QFont italic = arialFont(13);
    italic.setItalic(true);
    Label4->setFont(italic);
    Label4->setStyleSheet(u"color: maroon;"_s);
    s.place(Label4, 16, 62, 196, 20);
    s.setFontPixels(Label4, 13);

    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(u"Bevel2"_s);
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    s.place(Bevel2, 16, 88, 190, 4);
    Label2 = new QLabel(u"Автор: Олена Коваль"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setFont(arialFont(12, true));
    s.place(Label2, 16, 98, 196, 18);
    s.setFontPixels(Label2, 12);
    Bevel3 = new QFrame(this);
    Bevel3->setObjectName(u"Bevel3"_s);
    Bevel3->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    s.place(Bevel3, 16, 122, 190, 4);
    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setFont(arialFont(12));
    Label3->setStyleSheet(u"color: navy;"_s);
    s.place(Label3, 16, 134, 196, 18);
    s.setFontPixels(Label3, 12);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel1->setLineWidth(2);
    s.place(Bevel1, 220, 8, 106, 166);
    Image1 = new QLabel(Bevel1);
    Image1->setObjectName(u"Image1"_s);
    s.place(Image1, 8, 6, 90, 96);
    Image1->setPixmap(programPicture(Image1->size()));
    auto* org1 = new QLabel(u"Зорвік Лаб"_s, Bevel1);
    org1->setObjectName(u"Label5"_s);
    org1->setAlignment(Qt::AlignCenter);
    org1->setFont(arialFont(11, true));
    s.place(org1, 4, 112, 98, 18);
    s.setFontPixels(org1, 11);
    auto* org2 = new QLabel(u"м. Київ"_s, Bevel1);
    org2->setObjectName(u"Label6"_s);
    org2->setAlignment(Qt::AlignCenter);
    org2->setFont(arialFont(11));
    s.place(org2, 4, 136, 98, 18);
    s.setFontPixels(org2, 11);

    Label1->setVisible(true);
    Label3->setVisible(false);
    Bevel2->setVisible(false);
    Bevel3->setVisible(false);

    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(30);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::Timer1Timer);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
    Timer1->start();
}

void SplashWindow::FormActivate() {
    Label1->clear();
    nameCounter_ = 1;
    byLineCounter_ = 1;
    Label2->setVisible(false);
    Label3->setVisible(false);
}

void SplashWindow::Timer1Timer() {
    if (finished_)
        return;
    if (nameCounter_ <= kProductName.size()) {
        Label1->setText(Label1->text() + kProductName[nameCounter_ - 1]);
        ++nameCounter_;
    } else if (!Label2->isHidden() || !Label3->isHidden()) {
        Label3->setVisible(true);
        if (byLineCounter_ <= kByLine.size())
            Label3->setText(Label3->text() + kByLine[byLineCounter_ - 1]);
        ++byLineCounter_;
    } else {
        Label2->setVisible(true);
        Bevel3->setVisible(true);
        Bevel2->setVisible(true);
        Label4->setVisible(true);
    }
    if (Label3->text() == kByLine) {
        if (x() >= 640) {
            finished_ = true;
            Timer1->stop();
            hide();
            accept();
        } else {
            move(x() + 6, y() + 4);
        }
    }
}

} // namespace zorvik
