#include "testingwindow.h"
#include "namewindow.h"

#include "resultwindow.h"
#include "testingart.h"

#include "core/fileerror.h"
#include "core/localetext.h"
#include "core/questiontext.h"
#include "core/questionview.h"
#include "media/picturebox.h"
#include "media/picturewindow.h"
#include "media/soundwindow.h"
#include "ui/fonts.h"
#include "ui/statusbar.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// The test file cannot be read when the run starts.
const QString kTestFileIoError =
    u"     ПОМИЛКА ВВОДУ/ВИВОДУ!\rПомилка при відкритті тестового файлу"_s;

// Design geometry (640 x 480).
constexpr int kMemoLeft = 44;
constexpr int kMemoWidth = 356;
constexpr int kSlotTop = 158;
constexpr int kSlotStep = 44;
constexpr int kMemoHeight = 40;
constexpr int kMemoFontPixels = 16;
constexpr int kLabelFont = 12;

// Texts of a record break lines with CR LF; the memos with LF.
QString memoText(QString text) {
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

QColor levelColour(LevelColour c) {
    switch (c) {
    case LevelColour::Green:
        return QColor(0, 128, 0);
    case LevelColour::Blue:
        return QColor(0, 0, 255);
    case LevelColour::Red:
        return QColor(255, 0, 0);
    case LevelColour::None:
        break;
    }
    return {};
}

void setTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

int visualLines(const QPlainTextEdit* memo) {
    int lines = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lines += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    return lines;
}

} // namespace

TestingWindow::TestingWindow(AppContext& ctx, QWidget* parent, const RunWindowTraits& traits,
                             const QString& name)
    : QDialog(parent), ctx_(ctx), traits_(traits) {
    setObjectName(name);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    buildControls();
    ctx.scale().place(this, 0, 0, 640, 480);
    setWindowState(Qt::WindowFullScreen);
    normalImageFrame_ = Image1->geometry();
    memo1Frame_ = Memo1->geometry();
}

void TestingWindow::buildControls() {
    const Scale scale = ctx_.scale();
    const bool goBack = traits_.kind == RunWindowKind::GoBack;
    auto label = [&](const QString& name, const QString& text, int l, int t, int w, int h,
                     int font = kLabelFont, bool bold = false) {
        auto* lb = new QLabel(text, this);
        lb->setObjectName(name);
        lb->setFont(arialFont(scale.fontHeight(font), bold));
        scale.place(lb, l, t, w, h);
        return lb;
    };
    auto picture = [&](const QString& name, const QPixmap& pm, int l, int t, int w, int h) {
        auto* img = new QLabel(this);
        img->setObjectName(name);
        scale.place(img, l, t, w, h);
        img->setPixmap(pm);
        img->setAlignment(Qt::AlignCenter);
        return img;
    };
    auto bevel = [&](const QString& name, int l, int t, int w, int h) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setFrameShape(QFrame::Panel);
        f->setFrameShadow(QFrame::Sunken);
        scale.place(f, l, t, w, h);
        return f;
    };
    auto memo = [&](const QString& name, int l, int t, int w, int h) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(name);
        m->setReadOnly(true);
        // Display only: the text is never edited, selected or focused.
        m->setTextInteractionFlags(Qt::NoTextInteraction);
        m->setFocusPolicy(Qt::NoFocus);
        m->setFont(arialFont(scale.fontHeight(kMemoFontPixels)));
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setContextMenuPolicy(Qt::CustomContextMenu);
        scale.place(m, l, t, w, h);
        return m;
    };
    auto button = [&](const QString& name, const QString& text, int l, int t, int w, int h) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFont(arialFont(scale.fontHeight(kLabelFont)));
        b->setAutoDefault(false);
        scale.place(b, l, t, w, h);
        return b;
    };

    Label1 = label(u"Label1"_s, u"Запитання №"_s, 8, 6, 76, 16);
    Label2 = label(u"Label2"_s, QString(), 86, 5, 34, 18, 14, true);
    Label10 = label(u"Label10"_s, u"із"_s, 122, 6, 16, 16);
    Label11 = label(u"Label11"_s, QString(), 140, 5, 40, 18, 14, true);
    setTextColour(Label2, QPalette::WindowText, Qt::red);
    setTextColour(Label11, QPalette::WindowText, Qt::red);
    Label13 = label(u"Label13"_s, u"Рівень:"_s, 190, 6, 46, 16);
    Label14 = label(u"Label14"_s, QString(), 238, 4, 80, 19, kLabelFont, true);
    Label14->setAlignment(Qt::AlignCenter);
    Label14->setAutoFillBackground(true);
    setTextColour(Label14, QPalette::WindowText, Qt::white);

    Image3 = picture(u"Image3"_s, clockPicture(scale.height(18)), 388, 2, 22, 21);
    Label12 = label(u"Label12"_s, QString(), 412, 5, 44, 18, 14, true);
    setTextColour(Label12, QPalette::WindowText, QColor(0, 0, 160));
    Image6 = picture(u"Image6"_s, clockPicture(scale.height(18)), 470, 2, 22, 21);
    Label21 = label(u"Label21"_s, QString(), 494, 5, 86, 18, 14, true);
    setTextColour(Label21, QPalette::WindowText, QColor(160, 0, 0));

    Memo1 = memo(u"Memo1"_s, 8, 26, 624, 112);
    Label15 = label(u"Label15"_s, u"Відповіді:"_s, 8, 141, 90, 15, kLabelFont, true);
    const QString memoNames[] = {u"Memo2"_s, u"Memo3"_s, u"Memo4"_s, u"Memo5"_s, u"Memo6"_s};
    for (int j = 0; j < 5; ++j) {
        const int top = kSlotTop + kSlotStep * j;
        slotLabels_[j] = label(u"Label"_s + QString::number(16 + j), QString::number(j + 1) + u'.',
                               8, top + 12, 16, 16, kLabelFont, true);
        answerMemos_[j] = memo(memoNames[j], kMemoLeft, top, kMemoWidth, kMemoHeight);
        auto* cb = new QCheckBox(this);
        cb->setObjectName(u"CheckBox"_s + QString::number(j + 1));
        scale.place(cb, 24, top + 12, 18, 16);
        const int box = std::max(13, scale.fontHeight(13));
        cb->setStyleSheet(u"QCheckBox::indicator { width: %1px; height: %1px; }"_s.arg(box));
        checkBoxes_[j] = cb;
    }
    Label16 = slotLabels_[0];
    Label17 = slotLabels_[1];
    Label18 = slotLabels_[2];
    Label19 = slotLabels_[3];
    Label20 = slotLabels_[4];
    Memo2 = answerMemos_[0];
    Memo3 = answerMemos_[1];
    Memo4 = answerMemos_[2];
    Memo5 = answerMemos_[3];
    Memo6 = answerMemos_[4];
    CheckBox1 = checkBoxes_[0];
    CheckBox2 = checkBoxes_[1];
    CheckBox3 = checkBoxes_[2];
    CheckBox4 = checkBoxes_[3];
    CheckBox5 = checkBoxes_[4];
    memos_ = {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6};

    Bevel1 = bevel(u"Bevel1"_s, 406, 156, 228, 176);
    Image1 = new PictureBox(this);
    Image1->setObjectName(u"Image1"_s);
    scale.place(Image1, 408, 158, 224, 172);
    Image1->setToolTip(u"Подвійний Click - збільшує!"_s);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    connect(Image1, &PictureBox::doubleClicked, this, &TestingWindow::Image1DblClick);

    BitBtn1 = button(u"BitBtn1"_s, QString(), 408, 338, 44, 28);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    BitBtn1->setIconSize(QSize(scale.height(20), scale.height(20)));
    BitBtn1->setToolTip(u"Звук"_s);
    BitBtn2 = button(u"BitBtn2"_s, QString(), 456, 338, 44, 28);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BitBtn2->setIconSize(QSize(scale.height(20), scale.height(20)));
    BitBtn2->setToolTip(u"Відео"_s);
    connect(BitBtn1, &QPushButton::clicked, this, &TestingWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TestingWindow::BitBtn2Click);

    Bevel3 = bevel(u"Bevel3"_s, 8, 376, 196, 44);
    Label6 = label(u"Label6"_s, u"Всього балів:"_s, 14, 380, 112, 16);
    Label7 = label(u"Label7"_s, QString(), 128, 380, 70, 16, kLabelFont, true);
    Label8 = label(u"Label8"_s, u"Максимально балів:"_s, 14, 399, 112, 16);
    Label9 = label(u"Label9"_s, QString(), 128, 399, 70, 16, kLabelFont, true);
    Bevel4 = bevel(u"Bevel4"_s, 210, 376, 140, 44);
    Label4 = label(u"Label4"_s, QString(), 216, 378, 128, 20, 15, true);
    Label5 = label(u"Label5"_s, QString(), 216, 399, 128, 16);
    Bevel5 = bevel(u"Bevel5"_s, 356, 376, 44, 44);
    const int face = scale.height(32);
    Image2 = picture(u"Image2"_s, verdictPicture(Verdict::Bad, face), 360, 380, 36, 36);
    Image4 = picture(u"Image4"_s, verdictPicture(Verdict::Good, face), 360, 380, 36, 36);
    Image5 = picture(u"Image5"_s, verdictPicture(Verdict::Excellent, face), 360, 380, 36, 36);

    if (goBack) {
        Button4 = button(u"Button4"_s, u"<-&Попереднє"_s, 408, 372, 108, 26);
        Button1 = button(u"Button1"_s, u"&Наступне ->"_s, 524, 372, 108, 26);
        connect(Button4, &QPushButton::clicked, this, &TestingWindow::Button4Click);
    } else {
        Button1 = button(u"Button1"_s, u"&Наступне запитання - >"_s, 408, 372, 224, 26);
    }
    Button1->setFont(arialFont(scale.fontHeight(kLabelFont), true));
    Button2 = button(u"Button2"_s, u"&Результат"_s, 408, 402, 108, 26);
    Button3 = button(u"Button3"_s, u"&Вийти"_s, 524, 402, 108, 26);
    connect(Button1, &QPushButton::clicked, this, &TestingWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TestingWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TestingWindow::Button3Click);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    scale.place(ProgressBar1, 8, 434, 560, 16);
    Label3 = label(u"Label3"_s, QString(), 576, 434, 56, 16, kLabelFont, true);

    const QList<int> panels = {230, 110, 60, 100, 70, 70};
    QList<int> widths;
    for (int w : panels)
        widths.append(scale.width(w));
    StatusBar1 = new StatusBar(widths, this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);
    scale.place(StatusBar1, 0, 458, 640, 22);
    for (int i = 0; i < StatusBar1->panelCount(); ++i)
        scale.setFontPixels(StatusBar1->panel(i), 11);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(u"Timer2"_s);
    Timer2->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TestingWindow::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TestingWindow::Timer2Timer);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    N1 = PopupMenu1->addAction(u"Шрифт..."_s);
    N1->setObjectName(u"N1"_s);
    N2 = PopupMenu1->addAction(u"Фон..."_s);
    N2->setObjectName(u"N2"_s);
    connect(N1, &QAction::triggered, this, &TestingWindow::N1Click);
    connect(N2, &QAction::triggered, this, &TestingWindow::N2Click);
    for (QPlainTextEdit* m : memos_) {
        connect(m, &QWidget::customContextMenuRequested, this,
                [this, m](const QPoint& pos) { PopupMenu1->popup(m->mapToGlobal(pos)); });
        connect(m, &QPlainTextEdit::textChanged, this, [this] { updateScrollBars(); });
    }
    Image1->raise();
}

Checks TestingWindow::checks() const {
    Checks c{};
    for (size_t k = 0; k < 5; ++k)
        c[k] = checkBoxes_[k]->isChecked();
    return c;
}

void TestingWindow::error(const QString& text) {
    const bool wasBusy = busy_;
    busy_ = true;
    ctx_.services.error(this, text);
    busy_ = wasBusy;
}

template <typename F> void TestingWindow::guarded(F&& step) {
    if (!engine_)
        return;
    const bool wasBusy = busy_;
    busy_ = true;
    bool failed = false;
    try {
        step();
    } catch (const FileError&) {
        failed = true;
    }
    render();
    if (failed)
        error(kRunIoErrorText);
    busy_ = wasBusy;
}

// ----- activation and display --------------------------------------------------

void TestingWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TestingWindow::FormActivate() {
    normalImageFrame_ = Image1->geometry();
    memo1Frame_ = Memo1->geometry();
    Timer1->start();
    Image2->hide();
    Image4->hide();
    Image5->hide();
    for (QLabel* l : {Label4, Label5, Label7, Label9, Label2})
        l->clear();
    for (size_t j = 0; j < 5; ++j) {
        slotMemoTops_[j] = answerMemos_[j]->y();
        slotCheckTops_[j] = checkBoxes_[j]->y();
        checkBoxes_[j]->setChecked(false);
    }
    StatusBar1->setPanelText(5, longTimeText(ctx_.services.clock().now().time()));

    engine_ = std::make_unique<RunEngine>(ctx_.state, traits_, ctx_.services.clock(),
                                          ctx_.services.random(),
                                          [this](int hz, int ms) { ctx_.services.beep(hz, ms); });
    shownQuestion_ = shownChecks_ = 0;
    closing_ = false;
    busy_ = true;
    QString problem;
    bool unreadable = false;
    try {
        problem = engine_->start();
    } catch (const FileError&) {
        unreadable = true;
    }
    // The name window stays hidden behind the run.
    if (QWidget* names = ctx_.windows.find<NameWindow>())
        names->hide();
    firstQuestion_ = true;
    render();
    firstQuestion_ = false;
    if (unreadable) {
        clearQuestion();
        error(kTestFileIoError);
    } else if (!problem.isEmpty()) {
        error(problem);
    }
    busy_ = false;
    Button1->setFocus();
}

void TestingWindow::render() {
    if (!engine_)
        return;
    const RunDisplay& d = engine_->display();
    setWindowTitle(d.caption);
    for (int i = 0; i < 5; ++i)
        StatusBar1->setPanelText(i, d.status[static_cast<size_t>(i)]);
    Label2->setText(d.questionNo);
    Label11->setText(d.questionCount);
    Label13->setVisible(d.levelVisible);
    Label14->setVisible(d.levelVisible);
    Label14->setText(d.levelText);
    QPalette levelPalette = Label14->palette();
    levelPalette.setColor(QPalette::Window, d.levelColour == LevelColour::None
                                                ? palette().color(QPalette::Window)
                                                : levelColour(d.levelColour));
    Label14->setPalette(levelPalette);

    Button1->setText(d.nextCaption);
    // Red on the last question; a disabled button stays greyed.
    QPalette next = Button1->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
        next.setColor(g, QPalette::ButtonText, d.nextRed ? Qt::red : Qt::black);
    Button1->setPalette(next);
    Button1->setToolTip(d.nextHint);
    Button1->setEnabled(d.nextEnabled);
    if (Button4)
        Button4->setEnabled(d.backEnabled);
    Button2->setEnabled(d.resultEnabled);
    Button3->setEnabled(d.exitEnabled);
    for (QCheckBox* cb : checkBoxes_)
        cb->setEnabled(d.checksEnabled);
    BitBtn1->setEnabled(d.mediaEnabled);
    BitBtn2->setEnabled(d.mediaEnabled);

    for (QWidget* w : std::initializer_list<QWidget*>{Bevel3, Bevel4, Bevel5, Label6, Label8})
        w->setVisible(d.hintsVisible);
    Label9->setText(d.maxText);
    Label7->setText(d.runScoreText);
    Label5->setText(d.questionScoreText);
    if (d.verdict) {
        switch (*d.verdict) {
        case Verdict::Excellent:
            Label4->setText(u"Чудово!"_s);
            setTextColour(Label4, QPalette::WindowText, Qt::red);
            break;
        case Verdict::Good:
            Label4->setText(u"Добре!"_s);
            setTextColour(Label4, QPalette::WindowText, Qt::blue);
            break;
        case Verdict::Bad:
            Label4->setText(u"Погано!"_s);
            setTextColour(Label4, QPalette::WindowText, QColor(0, 128, 0));
            break;
        }
    } else {
        Label4->clear();
    }
    Image5->setVisible(d.verdict == Verdict::Excellent);
    Image4->setVisible(d.verdict == Verdict::Good);
    Image2->setVisible(d.verdict == Verdict::Bad);
    for (QWidget* w : {Label4, Label5, Label7, Label9})
        w->setVisible(d.hintsVisible || !static_cast<QLabel*>(w)->text().isEmpty());

    Image3->setVisible(d.questionTimerVisible);
    Label12->setVisible(d.questionTimerVisible);
    Label12->setText(d.questionTimerText);
    Image6->setVisible(d.testTimerVisible);
    Label21->setVisible(d.testTimerVisible);
    Label21->setText(d.testTimerText);
    ProgressBar1->setVisible(d.progressVisible);
    Label3->setVisible(d.progressVisible);
    ProgressBar1->setValue(d.progress);
    Label3->setText(QString::number(d.progress) + u" %"_s);

    if (engine_->checksSerial() != shownChecks_) {
        shownChecks_ = engine_->checksSerial();
        for (size_t k = 0; k < 5; ++k)
            checkBoxes_[k]->setChecked(engine_->checksToShow()[k]);
    }
    if (engine_->questionSerial() != shownQuestion_) {
        shownQuestion_ = engine_->questionSerial();
        if (engine_->questionLoaded())
            showQuestion();
        else
            clearQuestion();
    }
    if (engine_->testTimerRunning()) {
        if (!Timer2->isActive())
            Timer2->start();
    } else {
        Timer2->stop();
    }
}

void TestingWindow::setSlots(const std::array<int, 5>& permutation) {
    for (size_t k = 0; k < 5; ++k) {
        const size_t slot = static_cast<size_t>(std::clamp(permutation[k], 1, 5) - 1);
        answerMemos_[k]->move(answerMemos_[k]->x(), slotMemoTops_[slot]);
        checkBoxes_[k]->move(checkBoxes_[k]->x(), slotCheckTops_[slot]);
    }
}

void TestingWindow::showQuestion() {
    const QuestionFields& q = engine_->question();
    setSlots(ctx_.state.Run.AnswerPermutation);

    if (q.QuestionInTextFile) {
        Memo1->setToolTip(q.Question);
        const std::optional<QString> text = isExistingFile(q.Question)
                                                ? readFieldTextFile(q.Question, *ctx_.state.storage)
                                                : std::nullopt;
        if (text) {
            Memo1->setPlainText(memoText(*text));
        } else {
            Memo1->setPlainText(q.Question);
            error(firstQuestion_
                      ? u"Відсутній текстовий файл для поля запитання!\r"_s + q.Question
                      : u"Запитання № "_s + QString::number(ctx_.state.Run.QuestionCounter) +
                            u": ВІДСУТНІЙ ТЕКСТОВИЙ ФАЙЛ для поля запитання!"_s + u"\r"_s +
                            q.Question);
        }
    } else {
        Memo1->setToolTip(QString());
        Memo1->setPlainText(memoText(q.Question));
    }
    for (int k = 1; k <= 5; ++k)
        answerMemos_[static_cast<size_t>(k - 1)]->setPlainText(memoText(q.answer(k)));

    const QString audio = q.AudioFile.trimmed();
    BitBtn1->setVisible(isExistingFile(audio));
    if (!audio.isEmpty() && !isExistingFile(audio))
        error(u"Не існує файла аудіо \r\n"_s + audio + u"!!!"_s);
    const QString video = q.VideoFile.trimmed();
    BitBtn2->setVisible(isExistingFile(video));
    if (!video.isEmpty() && !isExistingFile(video))
        error(u"Не існує файла відео \r\n"_s + video + u"!!!"_s);

    bool picture = false;
    if (!q.PictureFile.isEmpty()) {
        if (!isExistingFile(q.PictureFile))
            error(u"Відсутній файл малюнку!\r"_s + q.PictureFile);
        else if (!(picture = Image1->load(q.PictureFile, *ctx_.state.storage)))
            error(u"Неможливо прочитати файл малюнку!\r"_s + q.PictureFile);
    }
    if (!picture)
        Image1->setImage(QImage());
    // The picture takes the place of the answers only when there is one to show.
    pictureAnswers_ = q.QuestionAndPicture && picture;
    Memo1->setVisible(true);
    // Only the answers that have a text, each with its mark and number; the
    // picture in their place keeps every mark.
    const std::array<bool, 5>& shown = engine_->display().answerShown;
    const std::array<int, 5>& places = ctx_.state.Run.AnswerPermutation;
    std::array<bool, 5> slotUsed{};
    for (size_t k = 0; k < 5; ++k) {
        const bool mark = pictureAnswers_ || shown[k];
        answerMemos_[k]->setVisible(!pictureAnswers_ && shown[k]);
        checkBoxes_[k]->setVisible(mark);
        if (mark)
            slotUsed[size_t(std::clamp(places[k], 1, 5) - 1)] = true;
    }
    for (size_t slot = 0; slot < 5; ++slot)
        slotLabels_[slot]->setVisible(slotUsed[slot]);
    if (pictureAnswers_)
        Image1->setGeometry(Memo2->x(), Image1->y(), Memo1->width() - Memo2->x(),
                            normalImageFrame_.height());
    else
        Image1->setGeometry(normalImageFrame_);
    Image1->setVisible(picture);
    // The frame goes with a picture beside the answers, not with none or one
    // standing in their place.
    Bevel1->setVisible(picture && !pictureAnswers_);
    updateScrollBars();
}

void TestingWindow::clearQuestion() {
    for (QPlainTextEdit* m : memos_) {
        m->clear();
        m->setVisible(true);
    }
    Memo1->setToolTip(QString());
    Image1->setImage(QImage());
    Image1->hide();
    BitBtn1->hide();
    BitBtn2->hide();
    for (QCheckBox* cb : checkBoxes_) {
        cb->setChecked(false);
        cb->setVisible(true);
    }
    for (QLabel* l : slotLabels_)
        l->setVisible(true);
}

void TestingWindow::updateScrollBars() {
    for (QPlainTextEdit* m : memos_) {
        const int visible =
            visibleMemoLines(m->height(), m->font().pixelSize() > 0 ? m->font().pixelSize()
                                                                    : m->fontMetrics().height());
        m->setVerticalScrollBarPolicy(visualLines(m) > visible ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
    }
}

void TestingWindow::restoreImageFrame() {
    Image1->setGeometry(normalImageFrame_);
}

// ----- the student's actions ---------------------------------------------------

void TestingWindow::Button1Click() {
    guarded([this] { engine_->answer(checks()); });
    Button1->setFocus();
}

void TestingWindow::Button4Click() {
    guarded([this] { engine_->goBack(checks()); });
    if (Button4->isEnabled())
        Button4->setFocus();
    else
        Button1->setFocus();
}

void TestingWindow::Button2Click() {
    const auto result = std::make_unique<ResultWindow>(ctx_, this);
    ctx_.services.showModal(result.get());
}

void TestingWindow::Button3Click() {
    restoreImageFrame();
    if (engine_) {
        engine_->leave();
        render();
    }
    Timer1->stop();
    reject();
}

void TestingWindow::BitBtn1Click() {
    if (!engine_)
        return;
    const QString name = engine_->question().AudioFile.trimmed();
    if (name.isEmpty())
        return;
    if (isExistingFile(name)) {
        BitBtn1->show();
        SoundWindow::playSound(ctx_, this, name);
    } else {
        BitBtn1->hide();
        error(u"Не існує файла аудіо \r\n"_s + name + u"!!!"_s);
    }
}

void TestingWindow::BitBtn2Click() {
    if (!engine_)
        return;
    const QString name = engine_->question().VideoFile.trimmed();
    if (name.isEmpty())
        return;
    if (isExistingFile(name)) {
        BitBtn2->show();
        ctx_.services.openWithSystem(name);
    } else {
        BitBtn2->hide();
        error(u"Не існує файла відео \r\n"_s + name + u"!!!"_s);
    }
}

void TestingWindow::Image1DblClick() {
    if (!engine_ || !Image1->hasPicture())
        return;
    PictureWindow::showPicture(ctx_, this, Image1->image(), engine_->question().PictureFile);
}

void TestingWindow::N1Click() {
    if (const std::optional<QFont> font = ctx_.services.chooseFont(this, Memo1->font())) {
        for (QPlainTextEdit* m : memos_)
            m->setFont(*font);
        updateScrollBars();
    }
}

void TestingWindow::N2Click() {
    const QColor current = Memo1->palette().color(QPalette::Base);
    if (const std::optional<QColor> colour = ctx_.services.chooseColor(this, current))
        for (QPlainTextEdit* m : memos_)
            setTextColour(m, QPalette::Base, *colour);
}

// ----- timers ------------------------------------------------------------------

void TestingWindow::Timer1Timer() {
    if (busy_ || !engine_)
        return;
    updateScrollBars();
    // While a run is on, the run stays in front of everything else.
    if (!Button2->isEnabled() && isVisible()) {
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || modal == this) && !isActiveWindow()) {
            raise();
            activateWindow();
        }
    }
    StatusBar1->setPanelText(5, longTimeText(ctx_.services.clock().now().time()));
    Image1->setToolTip(u"Подвійний Click - збільшує!"_s);
    guarded([this] { engine_->tickQuestionTimer(checks()); });
}

void TestingWindow::Timer2Timer() {
    if (busy_ || !engine_)
        return;
    guarded([this] { engine_->tickTestTimer(); });
}

// ----- closing -----------------------------------------------------------------

void TestingWindow::keyPressEvent(QKeyEvent* event) {
    // Escape does not end a run.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TestingWindow::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TestingWindow::FormClose() {
    if (closing_ || !engine_)
        return;
    closing_ = true;
    setSlots(kOwnSlots);
    Timer1->stop();
    Timer2->stop();
    bool failed = false;
    try {
        engine_->close();
    } catch (const FileError&) {
        failed = true;
    }
    restoreImageFrame();
    if (failed)
        error(kRunIoErrorText);
}

// ----- dragging the picture's edges --------------------------------------------

bool TestingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && traits_.kind == RunWindowKind::Plain) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                dragMark_ = true;
            break;
        case QEvent::MouseButtonRelease:
            dragMark_ = false;
            break;
        case QEvent::MouseMove:
            dragImage(static_cast<QMouseEvent*>(event));
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TestingWindow::dragImage(QMouseEvent* event) {
    PictureDrag drag;
    drag.image = Image1->geometry();
    drag.normal = normalImageFrame_;
    drag.memo1 = Memo1->geometry();
    drag.memo2 = Memo2->geometry();
    drag.pictureSize = Image1->image().size();
    drag.pictureAnswers = pictureAnswers_;
    drag.dragging = dragMark_;
    const QPoint at = event->position().toPoint();
    const PictureDragResult r = dragPictureEdge(drag, at.x(), at.y());
    switch (r.cursor) {
    case DragCursor::SizeHor:
        Image1->setCursor(Qt::SizeHorCursor);
        break;
    case DragCursor::SizeVer:
        Image1->setCursor(Qt::SizeVerCursor);
        break;
    case DragCursor::SizeFDiag:
        Image1->setCursor(Qt::SizeFDiagCursor);
        break;
    case DragCursor::Default:
        Image1->unsetCursor();
        break;
    }
    if (r.answersVisible && !pictureAnswers_)
        for (QPlainTextEdit* m : answerMemos_)
            m->setVisible(*r.answersVisible);
    if (r.questionVisible)
        Memo1->setVisible(*r.questionVisible);
    Image1->setGeometry(r.image);
}

// ----- the two windows ---------------------------------------------------------

PlainTestingWindow::PlainTestingWindow(AppContext& ctx, QWidget* parent)
    : TestingWindow(ctx, parent, RunWindowTraits::plain(), u"TForm4"_s) {}

GoBackTestingWindow::GoBackTestingWindow(AppContext& ctx, QWidget* parent)
    : TestingWindow(ctx, parent, RunWindowTraits::goBack(), u"TForm18"_s) {}

} // namespace zorvik
