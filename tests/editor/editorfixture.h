// Test files and an editor driven through the scripted services.
#pragma once

#include "editor/editorwindow.h"
#include "support/scriptedservices.h"

#include "core/atomicfile.h"
#include "core/editing.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvik::testing {

inline Question question(const QString& text, TestKind kind) {
    Question q = emptyQuestion(kind);
    q.Question = text;
    return q;
}

// Record 0 "R0", then the given questions.
inline void writeQuestions(const QString& path, TestKind kind, const QList<Question>& questions) {
    QByteArray bytes = encodeQuestion(question(QStringLiteral("R0"), kind), kind);
    for (const Question& q : questions)
        bytes += encodeQuestion(q, kind);
    writeFileAtomically(path, bytes);
}

// Record 0 "R0", then questions "Q1" .. "Qn".
inline void writeNumbered(const QString& path, TestKind kind, int questions) {
    QList<Question> list;
    for (int i = 1; i <= questions; ++i)
        list.append(question(QStringLiteral("Q%1").arg(i), kind));
    writeQuestions(path, kind, list);
}

inline QList<Question> readQuestions(const QString& path, TestKind kind) {
    const QByteArray bytes = readWholeFile(path);
    const int size = recordSizeOf(kind);
    QList<Question> list;
    for (qsizetype at = 0; at + size <= bytes.size(); at += size)
        list.append(decodeQuestion(QByteArrayView(bytes).sliced(at, size), kind));
    return list;
}

inline QStringList questionTexts(const QString& path, TestKind kind) {
    QStringList texts;
    for (const Question& q : readQuestions(path, kind))
        texts.append(q.Question);
    return texts;
}

struct EditorFixture {
    QTemporaryDir dir;
    AppState state;
    ScriptedServices services;
    AppContext ctx{state, services, {}};
    std::unique_ptr<EditorWindow> editor;

    EditorFixture() {
        state.ProgramDir = dir.path();
        editor = std::make_unique<EditorWindow>(ctx, nullptr);
    }
    ~EditorFixture() { editor.reset(); }

    QString path(const QString& name) const { return dir.filePath(name); }

    template <typename T = QWidget> T* w(const QString& name) const {
        T* found = editor->findChild<T*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) const {
        if (auto* m = editor->findChild<QPlainTextEdit*>(name))
            return m->toPlainText();
        if (auto* e = editor->findChild<QLineEdit*>(name))
            return e->text();
        if (auto* l = editor->findChild<QLabel*>(name))
            return l->text();
        return QStringLiteral("<no %1>").arg(name);
    }
    void type(const QString& name, const QString& text) const {
        if (auto* m = editor->findChild<QPlainTextEdit*>(name))
            m->setPlainText(text);
        else if (auto* e = editor->findChild<QLineEdit*>(name))
            e->setText(text);
    }
    void click(const QString& name) const { w<QPushButton>(name)->click(); }
    bool dirty() const { return !w(QStringLiteral("Label12"))->isHidden(); }
    // The number line: "N of M".
    QString numbers() const {
        return text(QStringLiteral("Label2")) + QStringLiteral(" of ") +
               text(QStringLiteral("Label11"));
    }

    // Opens `name` for editing; every message on the way is answered OK.
    bool open(const QString& name, TestKind kind) { return editor->startEditing(path(name), kind); }
    void answer(std::initializer_list<MsgAnswer> list) {
        for (MsgAnswer a : list)
            services.answers.push_back(a);
    }
};

} // namespace zorvik::testing
