#include "realservices.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QMediaDevices>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <cmath>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorvik {

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // Qt takes the patterns from the parentheses of the description.
        filters.append(parts[i] + u" ("_s + patterns + u')');
    }
    return filters;
}

MsgAnswer RealServices::message(QWidget* parent, MsgIcon icon, MsgButtons buttons,
                                const QString& text) {
    QMessageBox box(parent);
    switch (icon) {
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(u"Помилка"_s);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(u"Інформація"_s);
        break;
    case MsgIcon::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(u"Підтвердження"_s);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(u"Попередження"_s);
        break;
    }
    // The messages break lines with a bare CR.
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    box.setText(shown);
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* cancel = nullptr;
    if (buttons == MsgButtons::Ok) {
        box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    } else if (buttons == MsgButtons::Yes) {
        yes = box.addButton(u"&Так"_s, QMessageBox::AcceptRole);
        box.setDefaultButton(qobject_cast<QPushButton*>(yes));
        box.setEscapeButton(yes);
    } else {
        yes = box.addButton(u"&Так"_s, QMessageBox::YesRole);
        no = box.addButton(u"&Ні"_s, QMessageBox::NoRole);
        if (buttons == MsgButtons::YesNoCancel)
            cancel = box.addButton(u"Скасувати"_s, QMessageBox::RejectRole);
        box.setDefaultButton(qobject_cast<QPushButton*>(yes));
        box.setEscapeButton(cancel ? cancel : no);
    }
    box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (buttons == MsgButtons::Yes)
        return MsgAnswer::Yes;
    if (box.clickedButton() == yes)
        return MsgAnswer::Yes;
    if (box.clickedButton() == no || !cancel)
        return MsgAnswer::No;
    return MsgAnswer::Cancel;
}

namespace {
// xdg-open hands the file to the desktop's program and returns at once, or
// fails at once when the desktop has none; its answer tells which. A handler
// that keeps it waiting is taken as started and left running.
bool openDocument(const QString& path) {
    const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    auto* process = new QProcess(qApp);
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start();
    if (!process->waitForStarted(5000))
        return false;
    if (!process->waitForFinished(5000))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

FileDialogResult runFileDialog(QWidget* parent, const FileDialogSpec& request, bool save) {
    QFileDialog dialog(parent, request.title, request.initialDir);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any name is taken, also for opening: the program checks it itself and
    // says what is wrong in its own words.
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    // The descriptions already name their patterns; Qt's copy is not shown.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    // The details (size, kind, date) shown whole beside the names.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* view = dialog.findChild<QTreeView*>(u"treeView"_s)) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c)
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize();
        dialog.resize(std::min(room.width() * 3 / 4, 900), std::min(room.height() * 2 / 3, 560));
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog.selectedFiles().first();
        if (save && request.createPrompt && !QFileInfo::exists(chosen) &&
            QMessageBox::question(&dialog, request.title,
                                  chosen + u"\nФайл не існує. Створити файл?"_s) !=
                QMessageBox::Yes)
            continue;
        return {chosen, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
    }
}
} // namespace

FileDialogResult RealServices::openFile(QWidget* parent, const FileDialogSpec& request) {
    return runFileDialog(parent, request, false);
}

FileDialogResult RealServices::saveFile(QWidget* parent, const FileDialogSpec& request) {
    return runFileDialog(parent, request, true);
}

std::optional<QFont> RealServices::chooseFont(QWidget* parent, const QFont& initial) {
    // The dialog lists the families and point sizes there are: the fields'
    // font as it is really drawn ("Arial" is drawn in a metric twin here).
    const QFontInfo real(initial);
    QFont shown = initial;
    shown.setFamily(real.family());
    shown.setPointSizeF(real.pointSizeF());
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, shown, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> RealServices::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

int RealServices::showModal(QDialog* dialog) {
    return dialog->exec();
}

namespace {
// A kind the opener may be given: pictures, sounds and videos, and the
// documents the program writes itself. Text-based pictures (SVG, EPS) and
// playlists can carry scripts or links and are not taken.
bool isAllowedKind(const QMimeType& type) {
    static const QStringList documents = {
        u"text/rtf"_s,
        u"application/rtf"_s,
        u"application/msword"_s,
        u"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"_s,
        u"text/plain"_s,
        u"application/pdf"_s,
    };
    const QMimeDatabase db;
    for (const QString& d : documents)
        if (type == db.mimeTypeForName(d))
            return true;
    const QString name = type.name();
    const bool media = name.startsWith(u"image/"_s) || name.startsWith(u"audio/"_s) ||
                       name.startsWith(u"video/"_s);
    return media && !type.inherits(u"text/plain"_s) && !type.inherits(u"application/xml"_s);
}
} // namespace

bool mayOpenWithSystem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return false;
    // Judged by content (a program renamed to .mp3 is still a program) and by
    // name (the system's opener goes by the name too: a .bat would be run).
    const QMimeDatabase db;
    const QMimeType byContent = db.mimeTypeForFile(info, QMimeDatabase::MatchContent);
    const QMimeType byName = db.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    if (!isAllowedKind(byName))
        return false;
    if (isAllowedKind(byContent))
        return true;
    // A workbook's content is told only as the zip it is; an empty file holds nothing to run.
    const QMimeType workbook =
        db.mimeTypeForName(u"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"_s);
    return (byName == workbook && byContent == db.mimeTypeForName(u"application/zip"_s)) ||
           byContent == db.mimeTypeForName(u"application/x-zerosize"_s);
}

bool RealServices::openWithSystem(const QString& path) {
    return mayOpenWithSystem(path) && openDocument(QFileInfo(path).absoluteFilePath());
}

void RealServices::openWithSystemLater(const QString& path, std::function<void(bool)> done) {
    if (!mayOpenWithSystem(path)) {
        done(false);
        return;
    }
    const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (opener.isEmpty()) {
        done(QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())));
        return;
    }
    // The window goes on while the opener decides; its answer comes later.
    auto* process = new QProcess(qApp);
    auto answered = std::make_shared<bool>(false);
    const auto answer = [done, answered](bool ok) {
        if (!std::exchange(*answered, true))
            done(ok);
    };
    process->setProgram(opener);
    process->setArguments({QFileInfo(path).absoluteFilePath()});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [answer, process](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) {
                             answer(false);
                             process->deleteLater();
                         }
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [answer, process](int code, QProcess::ExitStatus status) {
                         answer(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    // A handler that keeps the opener waiting has started.
    QTimer::singleShot(5000, process, [answer] { answer(true); });
    process->start();
}

void RealServices::beep(int frequencyHz, int durationMs) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        QApplication::beep();
        return;
    }
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        QApplication::beep();
        return;
    }
    const int samples = format.sampleRate() * durationMs / 1000;
    QByteArray pcm(samples * 2, '\0');
    auto* data = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < samples; ++i)
        data[i] =
            static_cast<qint16>(9000 * std::sin(2 * M_PI * frequencyHz * i / format.sampleRate()));
    auto* sink = new QAudioSink(device, format, qApp);
    auto* buffer = new QBuffer(sink);
    buffer->setData(pcm);
    buffer->open(QIODevice::ReadOnly);
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            sink->deleteLater();
    });
    sink->start(buffer);
}

QString RealServices::clipboardText() {
    return QGuiApplication::clipboard()->text();
}

void RealServices::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QSize RealServices::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(640, 480);
}

void RealServices::printPreview(QWidget* parent, const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(job.layout);
    // The name a print to file proposes: no folders in it ("Журнал - j", not
    // the journal's whole path).
    QString name = job.title;
    if (const qsizetype dash = name.lastIndexOf(u" - "_s); dash >= 0 && name.contains(u'/'))
        name = name.left(dash + 3) + QFileInfo(name.mid(dash + 3)).completeBaseName();
    name.replace(u'/', u'_');
    printer.setDocName(name);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(job.title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&job](QPrinter* p) { job.render(*p); });
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
}

void RealServices::printImage(QWidget* parent, const QImage& image) {
    // Without a printer nothing would come out: the teacher hears why.
    const bool printers =
        printersInstalled_ ? printersInstalled_() : !QPrinterInfo::availablePrinters().isEmpty();
    if (!printers) {
        message(parent, MsgIcon::Error, MsgButtons::Ok,
                u"Друк неможливий: у системі не встановлено жодного принтера."_s);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPainter painter;
    if (!painter.begin(&printer)) {
        message(parent, MsgIcon::Error, MsgButtons::Ok,
                u"Не вдалося почати друк на принтері "_s + printer.printerName() + u"!"_s);
        return;
    }
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    painter.end();
}

} // namespace zorvik
