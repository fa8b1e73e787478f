// The editor's controls at their positions in the 640 x 480 design space.
#include "editorcontrols.h"
#include "media/picturebox.h"

#include "ui/fonts.h"
#include "ui/scaling.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
// Design font sizes in pixels; every one follows the screen (ScaleY).
constexpr int kScaledFont = 10;
constexpr int kSmallScaledFont = 9; // the two clipboard buttons share one row
constexpr int kLabelFont = 12;
constexpr int kNumberFont = 14; // the "Запитання № N із M" line
constexpr int kMemoFont = 15;

// Answer rows: top of the first, the step between rows, a field's height.
constexpr int kAnswerTop = 146;
constexpr int kAnswerStep = 44;
constexpr int kAnswerHeight = 40;
constexpr int kAnswerLeft = 36;
constexpr int kAnswerWidth = 300;
// Media rows below the answers.
constexpr int kMediaTop = 370;
constexpr int kMediaStep = 22;

template <typename W> W* make(QWidget* parent, const char16_t* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromUtf16(name));
    return w;
}

QLabel* label(QWidget* parent, const char16_t* name, const QString& text) {
    auto* l = make<QLabel>(parent, name);
    l->setText(text);
    l->setFont(arialFont(kLabelFont));
    return l;
}

QPushButton* button(QWidget* parent, const char16_t* name, const QString& text,
                    const QString& hint) {
    auto* b = make<QPushButton>(parent, name);
    b->setText(text);
    b->setToolTip(hint);
    b->setCursor(Qt::PointingHandCursor);
    b->setFont(arialFont(kScaledFont, true));
    return b;
}

// A small picture button beside a media field.
QPushButton* glyph(QWidget* parent, const char16_t* name, QStyle::StandardPixmap icon,
                   const QString& hint) {
    auto* b = button(parent, name, QString(), hint);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QPlainTextEdit* memo(QWidget* parent, const char16_t* name) {
    auto* m = make<QPlainTextEdit>(parent, name);
    m->setFont(arialFont(kMemoFont));
    m->setTabChangesFocus(true);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setContextMenuPolicy(Qt::CustomContextMenu);
    return m;
}

// A file name the user cannot type in: the commands fill it.
QLineEdit* fileField(QWidget* parent, const char16_t* name) {
    auto* e = make<QLineEdit>(parent, name);
    e->setEnabled(false);
    e->setFont(arialFont(kLabelFont));
    // Disabled, yet the name must stay readable.
    QPalette palette = e->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    e->setPalette(palette);
    return e;
}

QCheckBox* mark(QWidget* parent, const char16_t* name) {
    auto* c = make<QCheckBox>(parent, name);
    c->setToolTip(u"Помітити як правильну відповідь"_s);
    return c;
}

QAction* item(QMenu* menu, const char16_t* name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromUtf16(name));
    return a;
}
} // namespace

QRect buildEditorControls(QWidget* w, EditorControls& c, const Scale& s) {
    // The number line and the navigation.
    c.Label1 = label(w, u"Label1", u"Запитання №"_s);
    c.Label2 = label(w, u"Label2", u"1"_s);
    c.Label10 = label(w, u"Label10", u"із"_s);
    c.Label11 = label(w, u"Label11", u"1"_s);
    for (QLabel* l : {c.Label1, c.Label2, c.Label10, c.Label11})
        l->setFont(arialFont(kNumberFont, l == c.Label2 || l == c.Label11));
    c.Button4 = button(w, u"Button4", u"|<<"_s, u"Перший"_s);
    c.Button5 = button(w, u"Button5", u"<"_s, u"Попередній"_s);
    c.Edit2 = make<QLineEdit>(w, u"Edit2");
    c.Edit2->setToolTip(u"Запис"_s);
    c.Edit2->setText(u"1"_s);
    c.Edit2->setAlignment(Qt::AlignCenter);
    c.Edit2->setFont(arialFont(kScaledFont, true));
    c.Button6 = button(w, u"Button6", u">"_s, u"Наступний"_s);
    c.Button7 = button(w, u"Button7", u">>|"_s, u"Останній/добавити"_s);

    c.Gauge1 = make<QProgressBar>(w, u"Gauge1");
    c.Gauge1->setRange(0, 6000);
    c.Gauge1->setTextVisible(false);
    c.Gauge1->hide();

    c.Memo1 = memo(w, u"Memo1");
    c.Label3 = label(w, u"Label3", u"Відповіді:"_s);
    c.Label4 = label(w, u"Label4", u"1."_s);
    c.Label5 = label(w, u"Label5", u"2."_s);
    c.Label6 = label(w, u"Label6", u"3."_s);
    c.Label7 = label(w, u"Label7", u"4."_s);
    c.Label9 = label(w, u"Label9", u"5."_s);
    c.CheckBox1 = mark(w, u"CheckBox1");
    c.Memo2 = memo(w, u"Memo2");
    c.CheckBox2 = mark(w, u"CheckBox2");
    c.Memo3 = memo(w, u"Memo3");
    c.CheckBox3 = mark(w, u"CheckBox3");
    c.Memo4 = memo(w, u"Memo4");
    c.CheckBox4 = mark(w, u"CheckBox4");
    c.Memo5 = memo(w, u"Memo5");
    c.CheckBox5 = mark(w, u"CheckBox5");
    c.Memo7 = memo(w, u"Memo7");

    c.Image1 = make<PictureBox>(w, u"Image1");
    c.Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    c.Image1->hide();

    // Picture, sound and video rows.
    c.Label8 = label(w, u"Label8", u"Рисунок:"_s);
    c.Memo6 = fileField(w, u"Memo6");
    c.BitBtn3 = glyph(w, u"BitBtn3", QStyle::SP_FileDialogContentsView, u"Переглянути"_s);
    c.BitBtn4 = glyph(w, u"BitBtn4", QStyle::SP_DialogDiscardButton, u"Вилучити"_s);
    c.Button10 = button(w, u"Button10", u"&Рисунок"_s, u"Вставити малюнок"_s);
    c.Label13 = label(w, u"Label13", u"Аудіо:"_s);
    c.Memo8 = fileField(w, u"Memo8");
    c.BitBtn5 = glyph(w, u"BitBtn5", QStyle::SP_MediaVolume, u"Прослухати"_s);
    c.BitBtn6 = glyph(w, u"BitBtn6", QStyle::SP_DialogDiscardButton, u"Вилучити"_s);
    c.BitBtn1 = button(w, u"BitBtn1", u"Звук"_s, u"Вставити звуковий запис"_s);
    c.Label14 = label(w, u"Label14", u"Відео:"_s);
    c.Memo9 = fileField(w, u"Memo9");
    c.BitBtn7 = glyph(w, u"BitBtn7", QStyle::SP_MediaPlay, u"Переглянути"_s);
    c.BitBtn8 = glyph(w, u"BitBtn8", QStyle::SP_DialogDiscardButton, u"Вилучити"_s);
    c.BitBtn2 = button(w, u"BitBtn2", u"Відео"_s, u"Вставити відеофрагмент"_s);

    c.Label12 = label(w, u"Label12", u"Для внесення змін не забудьте натиснути кнопку Записати!"_s);
    c.Label12->setFont(arialFont(kLabelFont + 1, true));
    c.Label12->setStyleSheet(u"color: red;"_s);
    c.Label12->hide();

    // The right-hand column.
    c.Bevel1 = make<QFrame>(w, u"Bevel1");
    c.Bevel1->setFrameShape(QFrame::VLine);
    c.Bevel1->setFrameShadow(QFrame::Sunken);
    c.GroupBox1 = make<QGroupBox>(w, u"GroupBox1");
    c.GroupBox1->setTitle(u"Рівень"_s);
    c.GroupBox1->setFont(arialFont(kScaledFont, true));
    // On screen: low, medium, sufficient, high.
    c.RadioButton1 = make<QRadioButton>(c.GroupBox1, u"RadioButton1");
    c.RadioButton1->setText(u"Низький"_s);
    c.RadioButton2 = make<QRadioButton>(c.GroupBox1, u"RadioButton2");
    c.RadioButton2->setText(u"Середній"_s);
    c.RadioButton4 = make<QRadioButton>(c.GroupBox1, u"RadioButton4");
    c.RadioButton4->setText(u"Достатній"_s);
    c.RadioButton3 = make<QRadioButton>(c.GroupBox1, u"RadioButton3");
    c.RadioButton3->setText(u"Високий"_s);
    for (QRadioButton* r : {c.RadioButton1, c.RadioButton2, c.RadioButton3, c.RadioButton4})
        r->setFont(arialFont(kScaledFont));
    c.RadioButton1->setChecked(true);
    c.CheckBox6 = make<QCheckBox>(w, u"CheckBox6");
    c.CheckBox6->setText(u"Запитання та малюнок"_s);
    c.Button1 = button(w, u"Button1", u"&Записати"_s, u"Записати внесені зміни"_s);
    c.Button2 =
        button(w, u"Button2", u"&Відміна"_s, u"Відмінити внесені зміни (поки не записано)"_s);
    c.Button9 = button(w, u"Button9", u"В&ставити запис"_s, u"Вставити запитання"_s);
    c.Button8 = button(w, u"Button8", u"З&нищити запис"_s, u"Знищити запитання"_s);
    c.Button11 = button(w, u"Button11", u"Копіювати"_s, u"Копіювати запитання у буфер обміну"_s);
    c.Button12 = button(w, u"Button12", u"Вставити"_s, u"Вставити запитання з буферу обміну"_s);
    c.BitBtn9 = button(w, u"BitBtn9", u"Список"_s, u"Вивести список запитань"_s);
    c.Button3 = button(w, u"Button3", u"Вий&ти"_s, u"Закрити вікно"_s);
    for (QCheckBox* b :
         {c.CheckBox1, c.CheckBox2, c.CheckBox3, c.CheckBox4, c.CheckBox5, c.CheckBox6})
        b->setFont(arialFont(kLabelFont));

    c.Timer1 = new QTimer(w);
    c.Timer1->setObjectName(u"Timer1"_s);
    c.Timer1->setInterval(10);

    c.PopupMenu1 = new QMenu(w);
    c.PopupMenu1->setObjectName(u"PopupMenu1"_s);
    c.N6 = item(c.PopupMenu1, u"N6", u"Відкрити текстовий файл"_s);
    c.N1 = item(c.PopupMenu1, u"N1", u"Шрифт..."_s);
    c.N2 = item(c.PopupMenu1, u"N2", u"Фон.."_s);
    c.PopupMenu2 = new QMenu(w);
    c.PopupMenu2->setObjectName(u"PopupMenu2"_s);
    c.N3 = item(c.PopupMenu2, u"N3", u"Вилучити "_s);
    c.PopupMenu2->addSeparator();
    c.N4 = item(c.PopupMenu2, u"N4", u"Змінити"_s);

    // Positions, then the fonts that follow the screen.
    s.place(w, 0, 0, 640, 480);
    s.place(c.Label1, 8, 5, 86, 18);
    s.place(c.Label2, 96, 5, 32, 18);
    s.place(c.Label10, 128, 5, 14, 18);
    s.place(c.Label11, 144, 5, 34, 18);
    s.place(c.Button4, 180, 2, 30, 22);
    s.place(c.Button5, 212, 2, 30, 22);
    s.place(c.Edit2, 244, 2, 46, 22);
    s.place(c.Button6, 292, 2, 30, 22);
    s.place(c.Button7, 324, 2, 30, 22);
    s.place(c.Gauge1, 8, 26, 488, 4);
    s.place(c.Memo1, 8, 32, 488, 94);
    s.place(c.Label3, 8, 129, 80, 16);
    QLabel* numbers[] = {c.Label4, c.Label5, c.Label6, c.Label7, c.Label9};
    QCheckBox* marks[] = {c.CheckBox1, c.CheckBox2, c.CheckBox3, c.CheckBox4, c.CheckBox5};
    QPlainTextEdit* answers[] = {c.Memo2, c.Memo3, c.Memo4, c.Memo5, c.Memo7};
    for (int i = 0; i < 5; ++i) {
        const int top = kAnswerTop + kAnswerStep * i;
        s.place(numbers[i], 6, top + 12, 12, 16);
        s.place(marks[i], 18, top + 12, 16, 16);
        s.place(answers[i], kAnswerLeft, top, kAnswerWidth, kAnswerHeight);
    }
    s.place(c.Image1, 344, kAnswerTop, 152, kAnswerStep * 4 + kAnswerHeight);
    struct MediaRow {
        QLabel* label;
        QLineEdit* field;
        QPushButton* show;
        QPushButton* remove;
        QPushButton* choose;
    };
    const MediaRow rows[] = {{c.Label8, c.Memo6, c.BitBtn3, c.BitBtn4, c.Button10},
                             {c.Label13, c.Memo8, c.BitBtn5, c.BitBtn6, c.BitBtn1},
                             {c.Label14, c.Memo9, c.BitBtn7, c.BitBtn8, c.BitBtn2}};
    for (int i = 0; i < 3; ++i) {
        const int top = kMediaTop + kMediaStep * i;
        s.place(rows[i].label, 8, top + 3, 48, 16);
        s.place(rows[i].field, 56, top, 324, 20);
        s.place(rows[i].show, 384, top, 24, 20);
        s.place(rows[i].remove, 410, top, 24, 20);
        s.place(rows[i].choose, 438, top, 58, 20);
    }
    s.place(c.Label12, 8, 438, 488, 16);

    s.place(c.Bevel1, 500, 4, 2, 450);
    s.place(c.GroupBox1, 508, 26, 124, 92);
    s.place(c.RadioButton1, 8, 18, 110, 16);
    s.place(c.RadioButton2, 8, 36, 110, 16);
    s.place(c.RadioButton4, 8, 54, 110, 16);
    s.place(c.RadioButton3, 8, 72, 110, 16);
    s.place(c.CheckBox6, 508, 124, 124, 18);
    s.place(c.Button1, 508, 150, 124, 26);
    s.place(c.Button2, 508, 180, 124, 26);
    s.place(c.Button9, 508, 216, 124, 26);
    s.place(c.Button8, 508, 246, 124, 26);
    s.place(c.Button11, 508, 282, 60, 24);
    s.place(c.Button12, 572, 282, 60, 24);
    s.place(c.BitBtn9, 508, 312, 124, 24);
    s.place(c.Button3, 508, 424, 124, 26);

    for (QWidget* f : std::initializer_list<QWidget*>{
             c.Edit2,        c.Button1,      c.Button2,     c.Button3, c.Button4,   c.Button5,
             c.Button6,      c.Button7,      c.Button8,     c.Button9, c.Button10,  c.Button11,
             c.Button12,     c.BitBtn1,      c.BitBtn2,     c.BitBtn9, c.GroupBox1, c.RadioButton1,
             c.RadioButton2, c.RadioButton3, c.RadioButton4})
        s.setFontPixels(f, kScaledFont);
    for (QWidget* f : {c.Button11, c.Button12})
        s.setFontPixels(f, kSmallScaledFont);
    // The texts grow with the fields that hold them, as the buttons do: at
    // 1920 x 1080 the design's sizes were tiny in huge fields.
    for (QWidget* t : w->findChildren<QWidget*>()) {
        const bool text = qobject_cast<QLabel*>(t) || qobject_cast<QPlainTextEdit*>(t) ||
                          qobject_cast<QLineEdit*>(t) || qobject_cast<QCheckBox*>(t);
        if (text && t != c.Edit2 && t->font().pixelSize() > 0)
            s.setFontPixels(t, t->font().pixelSize());
    }
    const int box = std::max(13, s.fontHeight(13));
    for (QCheckBox* b : w->findChildren<QCheckBox*>())
        b->setStyleSheet(u"QCheckBox::indicator { width: %1px; height: %1px; }"_s.arg(box));
    // Where the screen is wider than it is tall less than the design's 4:3,
    // a caption gets a smaller type rather than lose its end.
    for (QCheckBox* b : w->findChildren<QCheckBox*>())
        if (!b->text().isEmpty())
            shrinkFontToFit(b, b->text(), b->width() - box - 8);
    for (QLabel* l : w->findChildren<QLabel*>())
        if (!l->text().isEmpty() && !l->wordWrap())
            shrinkFontToFit(l, l->text(), l->width());
    for (QPushButton* b : {c.BitBtn3, c.BitBtn4, c.BitBtn5, c.BitBtn6, c.BitBtn7, c.BitBtn8})
        b->setIconSize(QSize(s.fontHeight(16), s.fontHeight(16)));

    // Tab order: the question, each answer with its mark, the level, the
    // commands, the navigation.
    QWidget* order[] = {c.Memo1,        c.Memo2,     c.CheckBox1,    c.Memo3,        c.CheckBox2,
                        c.Memo4,        c.CheckBox3, c.Memo5,        c.CheckBox4,    c.Memo7,
                        c.CheckBox5,    c.CheckBox6, c.RadioButton1, c.RadioButton2, c.RadioButton4,
                        c.RadioButton3, c.Button1,   c.Button2,      c.Button9,      c.Button8,
                        c.Button11,     c.Button12,  c.BitBtn9,      c.Button10,     c.BitBtn3,
                        c.BitBtn4,      c.BitBtn1,   c.BitBtn5,      c.BitBtn6,      c.BitBtn2,
                        c.BitBtn7,      c.BitBtn8,   c.Button4,      c.Button5,      c.Edit2,
                        c.Button6,      c.Button7,   c.Button3};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    return c.Image1->geometry();
}

} // namespace zorvik
