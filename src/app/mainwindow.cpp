#include "mainwindow.h"

#include "aboutbox.h"

#include "editor/editorwindow.h"

#include "core/localetext.h"
#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/statusbar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
// Design client size, status bar included.
constexpr int kDesignWidth = 419;
constexpr int kDesignHeight = 261;
constexpr int kStatusHeight = 19;
constexpr int kButtonFontPixels = 14;

struct MenuItem {
    const char16_t* menu;
    const char16_t* name; // object name
    const char16_t* text; // caption; empty for a separator
    QKeyCombination shortcut;
};
} // namespace

MainWindow::MainWindow(AppContext& ctx) : ctx_(ctx) {
    setObjectName(u"TForm2"_s);
    setWindowTitle(u"Zorvik-Teacher"_s);
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    const QSize screen = ctx_.services.screenSize();
    ctx_.state.ScaleY = screen.height() / 480.0;
    ctx_.state.ScaleX = screen.width() / 640.0;

    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto makeButton = [&](const char16_t* name, const QString& text) {
        auto* b = new QPushButton(text, central);
        b->setObjectName(QString::fromUtf16(name));
        b->setFont(arialFont(kButtonFontPixels, true));
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    // Created in tab order.
    Button1 = makeButton(u"Button1", u"&Створити тестовий файл"_s);
    Button3 = makeButton(u"Button3", u"&Відкрити тестовий файл"_s);
    Button2 = makeButton(u"Button2", u"&Параметри тестування"_s);
    Button4 = makeButton(u"Button4", u"&Тестування"_s);
    Button5 = makeButton(u"Button5", u"&Журнал"_s);
    BitBtn1 = makeButton(u"BitBtn1", u"&Вихід"_s);
    BitBtn1->setStyleSheet(u"QPushButton { color: blue; }"_s);
    setTabOrder(Button1, Button3);
    setTabOrder(Button3, Button2);
    setTabOrder(Button2, Button4);
    setTabOrder(Button4, Button5);
    setTabOrder(Button5, BitBtn1);

    Bevel1 = new QFrame(central);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label2 = new QLabel(u"Зорвік Лаб"_s, central);
    Label2->setObjectName(u"Label2"_s);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(arialFont(13, true));
    Label2->setStyleSheet(u"color: navy;"_s);
    Image1 = new QLabel(central);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(u"Автор: Олена Коваль, м. Київ"_s, central);
    Label1->setObjectName(u"Label1"_s);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(arialFont(11));
    Label1->setStyleSheet(u"color: navy;"_s);

    StatusBar1 = new StatusBar({0, 20}, this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    setStatusBar(StatusBar1);
    StatusBar1->setPanelText(0, u"Створення тестового файлу"_s);
    StatusBar1->setPanelText(1, u"Дата/час"_s);
    StatusBar1->panel(1)->setAlignment(Qt::AlignCenter);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    Timer1->start();

    buildMenu();
    scaleControls();
    connect(BitBtn1, &QPushButton::clicked, this, &MainWindow::BitBtn1Click);
}

void MainWindow::buildMenu() {
    const MenuItem items[] = {
        {u"&Файл", u"MenuCreate", u"&Створити...", Qt::CTRL | Qt::Key_N},
        {u"&Файл", u"MenuOpen", u"&Відкрити...", Qt::CTRL | Qt::Key_E},
        {u"&Файл", u"MenuParams", u"&Параметри...", Qt::CTRL | Qt::Key_M},
        {u"&Файл", u"", u"", {}},
        {u"&Файл", u"MenuTesting", u"&Тестування...", Qt::CTRL | Qt::Key_T},
        {u"&Файл", u"", u"", {}},
        {u"Експорт у Word", u"MenuExportWithout", u"Без вказання правильних...",
         Qt::CTRL | Qt::Key_W},
        {u"Експорт у Word", u"MenuExportWith", u"З вказанням правильних...",
         Qt::CTRL | Qt::ALT | Qt::Key_W},
        {u"&Файл", u"MenuPrint", u"&Друк...", Qt::CTRL | Qt::Key_P},
        {u"&Файл", u"", u"", {}},
        {u"&Файл", u"MenuMerge", u"&Об'єднати...", {}},
        {u"&Файл", u"MenuSplit", u"Ро&збити...", {}},
        {u"&Файл", u"", u"", {}},
        {u"&Файл", u"MenuExit", u"&Вихід", Qt::ALT | Qt::Key_F4},
        {u"&Сервіс", u"MenuJournal", u"&Журнал..", Qt::CTRL | Qt::Key_J},
        {u"&Сервіс", u"", u"", {}},
        {u"&Сервіс", u"MenuConverter", u"&Конвертор...", Qt::CTRL | Qt::Key_K},
        {u"&Довідка", u"MenuAbout", u"&Про програму...", {}},
        {u"&Довідка", u"MenuHelp", u"&Користування...", {}},
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);
    QMenu* file = bar->addMenu(u"&Файл"_s);
    QMenu* service = bar->addMenu(u"&Сервіс"_s);
    QMenu* help = bar->addMenu(u"&Довідка"_s);
    QMenu* exportMenu = nullptr;
    for (const MenuItem& item : items) {
        const QString menuName = QString::fromUtf16(item.menu);
        QMenu* menu = menuName == u"&Сервіс"_s ? service : menuName == u"&Довідка"_s ? help : file;
        if (menuName == u"Експорт у Word"_s) {
            if (!exportMenu) {
                exportMenu = file->addMenu(menuName);
                exportMenu->setObjectName(u"MenuExport"_s);
            }
            menu = exportMenu;
        }
        const QString text = QString::fromUtf16(item.text);
        if (text.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromUtf16(item.name));
        if (item.shortcut != QKeyCombination())
            action->setShortcut(QKeySequence(item.shortcut));
    }
    connect(menuAction(u"MenuExit"_s), &QAction::triggered, this, &MainWindow::BitBtn1Click);
    connect(menuAction(u"MenuAbout"_s), &QAction::triggered, this, &MainWindow::AboutClick);
    connect(menuAction(u"MenuHelp"_s), &QAction::triggered, this, &MainWindow::HelpClick);
}

void MainWindow::scaleControls() {
    const Scale s = ctx_.scale();
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(s.width(kDesignWidth), s.height(kDesignHeight) + menuHeight);
    const int step = 48;
    QPushButton* column[] = {Button1, Button3, Button2, Button4, Button5};
    for (int i = 0; i < 5; ++i)
        s.place(column[i], 8, 8 + step * i, 210, 42);
    s.place(Bevel1, 228, 8, 183, 180);
    s.place(Label2, 234, 12, 171, 20);
    s.place(Image1, 262, 34, 115, 118);
    s.place(Label1, 234, 158, 171, 24);
    s.place(BitBtn1, 258, 200, 124, 42);
    StatusBar1->setFixedHeight(s.height(kStatusHeight));
    // The clock's panel holds the longest time of day whole; the hints take
    // the rest, with no gap between them.
    QLabel* clock = StatusBar1->panel(1);
    const QMargins m = clock->contentsMargins();
    const int timeWidth = clock->fontMetrics().horizontalAdvance(longTimeText(QTime(23, 58, 58)));
    clock->setFixedWidth(
        std::max(s.width(20), timeWidth + m.left() + m.right() + 2 * clock->frameWidth() + 8));
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, BitBtn1})
        s.setFontPixels(b, kButtonFontPixels);
    s.setFontPixels(Label2, 13);
    s.setFontPixels(Label1, 11);
    Image1->setPixmap(programPicture(Image1->size()));
    const int icon = s.height(28);
    BitBtn1->setIcon(QIcon(exitPicture(icon)));
    BitBtn1->setIconSize(QSize(icon, icon));
    // Centred on the screen.
    const QSize screen = ctx_.services.screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height() - menuHeight) / 2);
}

void MainWindow::setStatusText(int panel, const QString& text) {
    StatusBar1->setPanelText(panel, text);
}

QString MainWindow::statusText(int panel) const {
    return StatusBar1->panelText(panel);
}

QAction* MainWindow::menuAction(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::Timer1Timer() {
    setStatusText(1, longTimeText(ctx_.services.clock().now().time()));
    static const QList<QPair<const char16_t*, const char16_t*>> hints = {
        {u"Button1", u" Створення тестового файла"},
        {u"Button2", u" Задання параметрів тестування"},
        {u"Button3", u" Редагування тестового файла"},
        {u"Button4", u" Провести тестування"},
        {u"Button5", u" Журнал оцінювання"},
        {u"BitBtn1", u" Вихід з програми"},
    };
    for (const auto& [name, hint] : hints) {
        const QWidget* w = findChild<QWidget*>(QString::fromUtf16(name));
        if (w && w->hasFocus())
            setStatusText(0, QString::fromUtf16(hint));
    }
}

void MainWindow::FormActivate() {
    Timer1->start();
    ctx_.state.Run.QuestionCounter = 1;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Leaving the program must not drop the question being written.
    auto* editor = ctx_.windows.find<EditorWindow>();
    if (editor && editor->isVisible() && !editor->askSaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // Closing the main window ends the program: the editor, the journal and
    // the other windows beside it go with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->hide();
    QCoreApplication::quit();
}

void MainWindow::BitBtn1Click() {
    setStatusText(0, u" Вихід з програми"_s);
    close();
}

void MainWindow::AboutClick() {
    // A fresh box each time, gone when closed.
    AboutBox box(ctx_, this);
    ctx_.services.showModal(&box);
}

void MainWindow::HelpClick() {
    // The help document is looked for in the current directory, then where
    // the program was installed.
    QStringList places = {QDir::currentPath()};
    if (QCoreApplication::instance())
        places << QCoreApplication::applicationDirPath()
               << QCoreApplication::applicationDirPath() + u"/../share/zorvik"_s;
    for (const QString& dir : places) {
        const QString doc = QDir(dir).absoluteFilePath(u"test.doc"_s);
        if (!QFileInfo(doc).isFile())
            continue;
        // The window is not held while the system's opener starts.
        QPointer<MainWindow> self(this);
        ctx_.services.openWithSystemLater(doc, [self](bool started) {
            if (self && !started)
                self->ctx_.services.error(self, u"Відсутній файл довідки test.doc!"_s);
        });
        return;
    }
    ctx_.services.error(this, u"Відсутній файл довідки test.doc!"_s);
}

} // namespace zorvik
