#include "converterwindow.h"

#include "toolsupport.h"

#include "ui/filechoice.h"
#include "ui/fonts.h"
#include "ui/statusbar.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
constexpr int kFontPixels = 13;
constexpr int kStatusHeight = 19;

const QString kToFourLevels = u"Конвертувати файл одного рівня в чотирьохрівневий файл"_s;
const QString kToOneLevel = u"Конвертувати чотирьохрівневий файл в файл одного рівня"_s;
} // namespace

ConverterWindow::ConverterWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm17"_s);
    setWindowTitle(u"Конвертор"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    Label1 = label(u"Label1"_s, u"Файли одного рівня"_s);
    Label2 = label(u"Label2"_s, u"Файли чотирьох рівнів"_s);
    Label3 = label(u"Label3"_s, u".tsm"_s);
    Label4 = label(u"Label4"_s, u".tsr"_s);
    Label5 = label(u"Label5"_s, u"====>"_s);
    for (QLabel* l : {Label3, Label4, Label5})
        l->setStyleSheet(u"color: navy;"_s);
    RadioButton1 = new QRadioButton(this);
    RadioButton1->setObjectName(u"RadioButton1"_s);
    RadioButton1->setToolTip(kToOneLevel);
    RadioButton2 = new QRadioButton(this);
    RadioButton2->setObjectName(u"RadioButton2"_s);
    RadioButton2->setToolTip(kToFourLevels);
    RadioButton2->setChecked(true);
    Button1 = new QPushButton(u"&Конвертувати"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    BitBtn1 = new QPushButton(u"&Вийти"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn1->setAutoDefault(false);
    for (QPushButton* b : {Button1, BitBtn1})
        b->setCursor(Qt::PointingHandCursor);
    StatusBar1 = new StatusBar({0}, this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);
    layOut();
    FormActivate();

    connect(RadioButton1, &QRadioButton::clicked, this, &ConverterWindow::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &ConverterWindow::RadioButton2Click);
    connect(Button1, &QPushButton::clicked, this, &ConverterWindow::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void ConverterWindow::layOut() {
    const Scale s = ctx_.scale();
    setFixedSize(s.width(400), s.height(184));
    s.place(Label1, 8, 14, 172, 20);
    s.place(Label2, 220, 14, 172, 20);
    s.place(Label3, 8, 40, 172, 22);
    s.place(Label4, 220, 40, 172, 22);
    s.place(Label5, 160, 52, 80, 24);
    s.place(RadioButton1, 86, 68, 20, 20);
    s.place(RadioButton2, 298, 68, 20, 20);
    s.place(Button1, 62, 112, 124, 30);
    s.place(BitBtn1, 214, 112, 124, 30);
    s.place(StatusBar1, 0, 184 - kStatusHeight, 400, kStatusHeight);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(arialFont(s.fontHeight(kFontPixels)));
    for (QLabel* l : {Label3, Label4, Label5})
        l->setFont(arialFont(s.fontHeight(16), true));
    StatusBar1->setFont(arialFont(s.fontHeight(12)));
    StatusBar1->panel(0)->setFont(StatusBar1->font());
}

void ConverterWindow::FormActivate() {
    RadioButton2->setChecked(true);
    RadioButton2Click();
}

void ConverterWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void ConverterWindow::RadioButton1Click() {
    Label5->setText(u"<===="_s);
    StatusBar1->setPanelText(0, kToOneLevel);
}

void ConverterWindow::RadioButton2Click() {
    Label5->setText(u"====>"_s);
    StatusBar1->setPanelText(0, kToFourLevels);
}

void ConverterWindow::Button1Click() {
    const bool toFour = RadioButton2->isChecked();
    FileDialogSpec request;
    request.title = u"Виберіть файл для конвертування"_s;
    request.initialDir = currentDialogDir(ctx_.state);
    request.defaultExt = toFour ? u"tsm"_s : u"tsr"_s;
    request.filter = toFour ? oneLevelFilter() : u"Тестові файли чотирьох рівнів (*.tsr)|*.tsr"_s;
    const QString source = openExistingFile(ctx_.services, this, request);
    if (source.isEmpty())
        return;
    setCurrentTestFile(ctx_.state, source);
    const QString wanted = toFour ? u".tsm"_s : u".tsr"_s;
    if (ctx_.state.TestFileExt != wanted) {
        // The rule stays (MATH.TSM is no test file), but the teacher learns why.
        ctx_.services.error(this, u"Файл "_s + source +
                                      u" не конвертовано!\rКонвертувати можна лише файл з "
                                      u"розширенням \""_s +
                                      wanted + u"\" (малими літерами)."_s);
        return;
    }
    const QString target = convertTargetOf(source);
    if (QFileInfo::exists(target) &&
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Файл "_s + target + u" вже існує!"_s + u"\r"_s + u" Замінити?"_s) !=
            MsgAnswer::Yes)
        return;
    try {
        convertTestFile(source, target, *ctx_.state.storage);
    } catch (const ToolRefusal& e) {
        ctx_.services.error(this, u"Конвертування файлу не виконано!\r"_s + refusalText(e));
        return;
    } catch (const FileError& e) {
        ctx_.services.error(this, u"Конвертування файлу не виконано!\r"_s + failureText(e));
        return;
    }
    QString done =
        u"Виконано конвертування файлу "_s + source + u"\r"_s + u"у файл "_s + target + u" !"_s;
    if (toFour)
        done += u"\r"_s + u"УВАГА! Всі запитання в файлі - НИЗЬКОГО рівня!"_s + u"\r"_s +
                u"ВІДКОРЕГУЙТЕ РІВЕНЬ ЗАПИТАНЬ У ФАЙЛІ!"_s;
    ctx_.services.info(this, done);
    accept();
}

} // namespace zorvik
