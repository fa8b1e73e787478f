#include "resultwindow.h"

#include "core/runengine.h"
#include "ui/fonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zorvik {

ResultWindow::ResultWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm7"_s);
    setWindowTitle(u"Результат"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const Scale scale = ctx.scale();
    auto label = [&](const QString& name, const QString& text, int l, int t, int w, int h,
                     int font = 13, bool bold = false, Qt::Alignment align = Qt::AlignLeft) {
        auto* lb = new QLabel(text, this);
        lb->setObjectName(name);
        lb->setFont(arialFont(scale.fontHeight(font), bold));
        lb->setAlignment(align | Qt::AlignVCenter);
        scale.place(lb, l, t, w, h);
        return lb;
    };
    Label17 = label(u"Label17"_s, QString(), 16, 10, 328, 22, 16, true, Qt::AlignHCenter);
    Label18 = label(u"Label18"_s, QString(), 16, 32, 328, 18, 13, false, Qt::AlignHCenter);
    Label1 = label(u"Label1"_s, u"Всіх запитань: "_s, 16, 62, 200, 18);
    Label2 = label(u"Label2"_s, QString(), 220, 62, 124, 18, 13, true);
    Label14 = label(u"Label14"_s, u"Система оцінювання  (балів):"_s, 16, 84, 200, 18);
    Label13 = label(u"Label13"_s, QString(), 220, 84, 124, 18, 13, true);
    Label9 = label(u"Label9"_s, u"Балів за 1-е запитання :"_s, 16, 106, 200, 18);
    Label10 = label(u"Label10"_s, QString(), 220, 106, 124, 18, 13, true);
    Label3 = label(u"Label3"_s, u"Максимально - балів:"_s, 16, 128, 200, 18);
    Label4 = label(u"Label4"_s, QString(), 220, 128, 124, 18, 13, true);
    Label6 = label(u"Label6"_s, u"Набрали балів:"_s, 16, 150, 200, 18);
    Label7 = label(u"Label7"_s, QString(), 220, 150, 124, 18, 13, true);
    Label15 = label(u"Label15"_s, u"Ваша оцінка:"_s, 16, 178, 200, 26, 18, true);
    Label16 = label(u"Label16"_s, QString(), 220, 178, 124, 26, 20, true);
    QPalette red = Label16->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label16->setPalette(red);
    Label5 = label(u"Label5"_s, QString(), 16, 214, 160, 16, 12);
    Label8 = label(u"Label8"_s, QString(), 184, 214, 160, 16, 12, false, Qt::AlignRight);

    BitBtn1 = new QPushButton(u"&Закрити"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn2 = new QPushButton(u"&Друк"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setFont(arialFont(scale.fontHeight(13)));
        b->setAutoDefault(false);
    }
    scale.place(BitBtn1, 56, 242, 110, 28);
    scale.place(BitBtn2, 194, 242, 110, 28);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &ResultWindow::BitBtn2Click);

    // Shown only when the result could not go to the test's own journal.
    JournalNote = label(u"JournalNote"_s, QString(), 16, 278, 328, 40, 11);
    JournalNote->setWordWrap(true);
    JournalNote->hide();

    setFixedSize(scale.width(360), scale.height(282));
    // Centred on the screen.
    const QSize screen = ctx.services.screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void ResultWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void ResultWindow::FormActivate() {
    const ResultFigures f = resultFigures(ctx_.state, ctx_.services.clock().now());
    Label17->setText(f.name);
    // A long name takes a smaller type rather than lose both its ends.
    Label17->setFont(arialFont(ctx_.scale().fontHeight(16), true));
    shrinkFontToFit(Label17, f.name, Label17->width());
    Label18->setText(f.group);
    Label2->setText(f.questions);
    Label13->setText(f.scale);
    Label10->setText(f.pointsPerQuestion);
    Label4->setText(f.maxPoints);
    Label7->setText(f.score);
    Label16->setText(f.grade);
    Label5->setText(f.date);
    Label8->setText(f.time);
    const AppState& st = ctx_.state;
    const bool elsewhere = !st.LastEntryJournal.isEmpty() && st.LastEntryJournal != st.JournalPath;
    JournalNote->setVisible(elsewhere);
    if (elsewhere)
        JournalNote->setText(u"Журнал тесту недоступний: результат записано у журнал "_s +
                             st.LastEntryJournal);
    const Scale scale = ctx_.scale();
    setFixedSize(scale.width(360), scale.height(elsewhere ? 324 : 282));
}

void ResultWindow::BitBtn2Click() {
    BitBtn1->hide();
    BitBtn2->hide();
    const QPalette standard = palette();
    QPalette white = standard;
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    ctx_.services.printImage(this, grab().toImage());
    setPalette(standard);
    BitBtn1->show();
    BitBtn2->show();
}

} // namespace zorvik
