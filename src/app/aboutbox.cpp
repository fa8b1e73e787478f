#include "aboutbox.h"

#include "ui/artwork.h"
#include "ui/fonts.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zorvik {

AboutBox::AboutBox(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(u"TAboutBox"_s);
    setWindowTitle(u"Про програму"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const Scale s = ctx.scale();
    setFixedSize(s.width(307), s.height(329));

    auto* panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    s.place(panel, 8, 8, 291, 273);
    auto* inner = new QFrame(panel);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    s.place(inner, 4, 4, 283, 265);

    auto label = [&](const QString& name, const QString& text, int left, int top, int width,
                     int height, bool bold = false, bool navy = false) {
        auto* l = new QLabel(text, panel);
        l->setObjectName(name);
        l->setFont(arialFont(12, bold));
        if (navy)
            l->setStyleSheet(u"color: navy;"_s);
        s.place(l, left, top, width, height);
        s.setFontPixels(l, 12);
        // The longest lines get a smaller type rather than lose their ends.
        shrinkFontToFit(l, text, l->width(), 6);
        return l;
    };
    auto* org = label(u"Organisation"_s, u"Зорвік Лаб, м. Київ"_s, 8, 8, 275, 18, true, true);
    org->setAlignment(Qt::AlignCenter);
    auto* icon = new QLabel(panel);
    icon->setObjectName(u"ProgramIcon"_s);
    s.place(icon, 10, 32, 56, 56);
    icon->setPixmap(programPicture(icon->size()));
    label(u"ProductLabel"_s, u"Назва продукту:"_s, 76, 36, 110, 18);
    ProductName = label(u"ProductName"_s, u"Zorvik"_s, 186, 36, 95, 18, true, true);
    label(u"VersionLabel"_s, u"Версія:"_s, 76, 60, 110, 18);
    Version = label(u"Version"_s, u"8.0"_s, 186, 60, 95, 18, true, true);
    label(u"AuthorLabel"_s, u"Автор:"_s, 10, 100, 70, 18);
    label(u"Author"_s, u"Олена Коваль"_s, 80, 100, 200, 18, true);
    label(u"CommentsLabel"_s, u"Коментар:"_s, 10, 128, 80, 18);
    label(u"Comments"_s, u"Універсальна тестуюча програма."_s, 10, 150, 271, 18);
    auto* line1 =
        label(u"Line1"_s, u"Дає можливість легко створювати тестові файли"_s, 10, 176, 271, 18);
    auto* line2 =
        label(u"Line2"_s, u"та проводити ефективний і швидкий контроль знань."_s, 10, 198, 271, 18);
    // One sentence over two lines: one type size for both.
    QFont common = line1->font();
    common.setPixelSize(std::min(line1->font().pixelSize(), line2->font().pixelSize()));
    line1->setFont(common);
    line2->setFont(common);
    auto* rule = label(u"Rule"_s, QString(48, u'-'), 10, 232, 271, 18);
    rule->setAlignment(Qt::AlignCenter);
    // Started from the menu, the program works in the user's own folder: where.
    if (ctx.state.ProgramDirIsPerUser) {
        auto* where = new QLabel(u"Робоча тека: "_s + ctx.state.ProgramDir, panel);
        where->setObjectName(u"WorkFolder"_s);
        where->setFont(arialFont(10));
        s.place(where, 10, 250, 271, 16);
        s.setFontPixels(where, 10);
        where->setText(
            where->fontMetrics().elidedText(where->text(), Qt::ElideMiddle, where->width()));
        where->setToolTip(ctx.state.ProgramDir);
    }

    OKButton = new QPushButton(u"OK"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setDefault(true);
    OKButton->setCursor(Qt::PointingHandCursor);
    s.place(OKButton, 116, 292, 75, 27);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace zorvik
