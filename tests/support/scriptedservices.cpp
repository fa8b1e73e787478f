#include "scriptedservices.h"

#include <QDialog>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::testing {

namespace {
void unexpected(const QString& what) {
    QTest::qFail(qPrintable(u"unexpected "_s + what), __FILE__, __LINE__);
}
} // namespace

int FakeRandom::bounded(int n) {
    if (!queue.empty()) {
        const int v = queue.front();
        queue.pop_front();
        return v % n;
    }
    return next_++ % n;
}

QStringList ScriptedServices::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages)
        texts.append(m.text);
    return texts;
}

bool ScriptedServices::allUsed() const {
    return answers.empty() && fileAnswers.empty() && fontAnswers.empty() && colorAnswers.empty() &&
           modalHandlers.empty();
}

MsgAnswer ScriptedServices::message(QWidget*, MsgIcon icon, MsgButtons buttons,
                                    const QString& text) {
    messages.append({icon, buttons, text});
    if (answers.empty()) {
        unexpected(u"message: "_s + text);
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

FileDialogResult ScriptedServices::openFile(QWidget*, const FileDialogSpec& request) {
    fileDialogs.append(request);
    if (fileAnswers.empty()) {
        unexpected(u"file dialog: "_s + request.title);
        return {};
    }
    const FileDialogResult r = fileAnswers.front();
    fileAnswers.pop_front();
    return r;
}

FileDialogResult ScriptedServices::saveFile(QWidget* parent, const FileDialogSpec& request) {
    return openFile(parent, request);
}

std::optional<QFont> ScriptedServices::chooseFont(QWidget*, const QFont&) {
    if (fontAnswers.empty()) {
        unexpected(u"font dialog"_s);
        return std::nullopt;
    }
    const auto f = fontAnswers.front();
    fontAnswers.pop_front();
    return f;
}

std::optional<QColor> ScriptedServices::chooseColor(QWidget*, const QColor&) {
    if (colorAnswers.empty()) {
        unexpected(u"colour dialog"_s);
        return std::nullopt;
    }
    const auto c = colorAnswers.front();
    colorAnswers.pop_front();
    return c;
}

int ScriptedServices::showModal(QDialog* dialog) {
    modalShown.append(dialog->objectName());
    if (modalHandlers.empty()) {
        unexpected(u"modal window: "_s + dialog->objectName());
        return QDialog::Rejected;
    }
    const auto handler = modalHandlers.front();
    modalHandlers.pop_front();
    return handler(dialog);
}

bool ScriptedServices::openWithSystem(const QString& path) {
    opened.append(path);
    return openWithSystemResult && QFileInfo(path).isFile();
}

void ScriptedServices::printPreview(QWidget*, const PrintJob& job) {
    printJobs.append(job);
    if (previewHandler)
        previewHandler(job);
}

void ScriptedServices::printImage(QWidget*, const QImage& image) {
    printedImages.append(image);
}

bool renderToPdf(const PrintJob& job, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageLayout(job.layout);
    writer.setResolution(300);
    job.render(writer);
    return QFileInfo(path).size() > 0;
}

} // namespace zorvik::testing
