#include "jsonio.h"

#include "bytes.h"
#include "cp1251.h"
#include "records.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorvik {

FileKind fileKindOf(const QString& path) {
    if (path.endsWith(u".tsm"_s))
        return FileKind::Tsm;
    if (path.endsWith(u".tsr"_s))
        return FileKind::Tsr;
    if (path.endsWith(u".ns1"_s))
        return FileKind::Ns1;
    if (path.endsWith(u".ns2"_s))
        return FileKind::Ns2;
    if (path.endsWith(u".ocn"_s))
        return FileKind::Ocn;
    return FileKind::Unknown;
}

QString kindName(FileKind kind) {
    switch (kind) {
    case FileKind::Tsm:
        return u"tsm"_s;
    case FileKind::Tsr:
        return u"tsr"_s;
    case FileKind::Ns1:
        return u"ns1"_s;
    case FileKind::Ns2:
        return u"ns2"_s;
    case FileKind::Ocn:
        return u"ocn"_s;
    case FileKind::Unknown:
        break;
    }
    return {};
}

int recordSizeOf(FileKind kind) {
    switch (kind) {
    case FileKind::Tsm:
        return TsmRecord::Size;
    case FileKind::Tsr:
        return TsrRecord::Size;
    case FileKind::Ns1:
        return Ns1Record::Size;
    case FileKind::Ns2:
        return Ns2Record::Size;
    case FileKind::Ocn:
        return JournalRecord::Size;
    case FileKind::Unknown:
        break;
    }
    return 0;
}

namespace {

// One description of each record's fields serves both directions.
template <typename V> void visit(QuestionFields& r, V& v) {
    v.str(u"Question"_s, r.Question, kShortStringCapacity);
    v.str(u"Answer1"_s, r.Answer1, kShortStringCapacity);
    v.str(u"Answer2"_s, r.Answer2, kShortStringCapacity);
    v.str(u"Answer3"_s, r.Answer3, kShortStringCapacity);
    v.str(u"Answer4"_s, r.Answer4, kShortStringCapacity);
    v.str(u"Answer5"_s, r.Answer5, kShortStringCapacity);
    v.str(u"PictureFile"_s, r.PictureFile, kShortStringCapacity);
    v.str(u"AudioFile"_s, r.AudioFile, kShortStringCapacity);
    v.str(u"VideoFile"_s, r.VideoFile, kShortStringCapacity);
    v.boolArray(u"Correct"_s, {&r.Correct1, &r.Correct2, &r.Correct3, &r.Correct4, &r.Correct5});
    v.boolean(u"QuestionAndPicture"_s, r.QuestionAndPicture);
    v.boolean(u"QuestionInTextFile"_s, r.QuestionInTextFile);
}

template <typename V> void visit(TsmRecord& r, V& v) {
    visit(static_cast<QuestionFields&>(r), v);
}

template <typename V> void visit(TsrRecord& r, V& v) {
    visit(static_cast<QuestionFields&>(r), v);
    v.boolean(u"LevelLow"_s, r.LevelLow);
    v.boolean(u"LevelMedium"_s, r.LevelMedium);
    v.boolean(u"LevelHigh"_s, r.LevelHigh);
    v.boolean(u"LevelSufficient"_s, r.LevelSufficient);
}

template <typename V> void visit(TestingMode& m, V& v) {
    v.i16(u"QuestionTime"_s, m.QuestionTime);
    v.u8(u"Mode"_s, m.Mode);
    v.boolean(u"InputOrder"_s, m.InputOrder);
    v.boolean(u"TestTimeOn"_s, m.TestTimeOn);
    v.i16(u"TestTime"_s, m.TestTime);
    v.boolean(u"GoBack"_s, m.GoBack);
    v.boolean(u"ShuffleAnswers"_s, m.ShuffleAnswers);
}

template <typename V> void visit(Ns1Record& r, V& v) {
    v.str(u"TestName"_s, r.TestName, kShortStringCapacity);
    v.i32(u"QuestionsInFile"_s, r.QuestionsInFile);
    v.i32(u"TestQuestions"_s, r.TestQuestions);
    v.i32(u"GradeScale"_s, r.GradeScale);
    v.i32(u"QuestionPoints"_s, r.QuestionPoints);
    v.str(u"JournalPath"_s, r.JournalPath, kShortStringCapacity);
    v.nested(u"TestingMode"_s, [&](V& inner) { visit(r.TestingMode, inner); });
}

template <typename V> void visit(Ns2Record& r, V& v) {
    v.str(u"TestName"_s, r.TestName, kShortStringCapacity);
    v.i32(u"QuestionsInFile"_s, r.QuestionsInFile);
    v.i32(u"InFileLow"_s, r.InFileLow);
    v.i32(u"InFileMedium"_s, r.InFileMedium);
    v.i32(u"InFileHigh"_s, r.InFileHigh);
    v.i32(u"InFileSufficient"_s, r.InFileSufficient);
    v.i32(u"TestLow"_s, r.TestLow);
    v.i32(u"TestMedium"_s, r.TestMedium);
    v.i32(u"TestHigh"_s, r.TestHigh);
    v.i32(u"TestSufficient"_s, r.TestSufficient);
    v.i32(u"PointsLow"_s, r.PointsLow);
    v.i32(u"PointsMedium"_s, r.PointsMedium);
    v.i32(u"PointsHigh"_s, r.PointsHigh);
    v.i32(u"PointsSufficient"_s, r.PointsSufficient);
    v.i32(u"GradeScale"_s, r.GradeScale);
    v.str(u"JournalPath"_s, r.JournalPath, kShortStringCapacity);
    v.nested(u"TestingMode"_s, [&](V& inner) { visit(r.TestingMode, inner); });
}

template <typename V> void visit(JournalRecord& r, V& v) {
    v.i32(u"EntryNo"_s, r.EntryNo);
    v.str(u"Date"_s, r.Date, JournalRecord::DateCapacity);
    v.str(u"Time"_s, r.Time, JournalRecord::TimeCapacity);
    v.str(u"StudentName"_s, r.StudentName, JournalRecord::StudentNameCapacity);
    v.str(u"Group"_s, r.Group, JournalRecord::GroupCapacity);
    v.str(u"TestName"_s, r.TestName, JournalRecord::TestNameCapacity);
    v.i32(u"MaxPoints"_s, r.MaxPoints);
    v.i32(u"GradeScale"_s, r.GradeScale);
    v.i32(u"QuestionCount"_s, r.QuestionCount);
    v.f64(u"Points"_s, r.Points);
    v.i32(u"Grade"_s, r.Grade);
    v.str(u"Interrupted"_s, r.Interrupted, JournalRecord::InterruptedCapacity);
}

struct ToJson {
    QJsonObject obj;
    void str(const QString& name, QString& value, int) { obj.insert(name, value); }
    void boolean(const QString& name, bool& value) { obj.insert(name, value); }
    void boolArray(const QString& name, std::initializer_list<bool*> values) {
        QJsonArray a;
        for (bool* b : values)
            a.append(*b);
        obj.insert(name, a);
    }
    void i32(const QString& name, qint32& value) { obj.insert(name, value); }
    void i16(const QString& name, qint16& value) { obj.insert(name, value); }
    void u8(const QString& name, quint8& value) { obj.insert(name, value); }
    void f64(const QString& name, double& value) { obj.insert(name, value); }
    void nested(const QString& name, const std::function<void(ToJson&)>& f) {
        ToJson inner;
        f(inner);
        obj.insert(name, inner.obj);
    }
};

// A key or value of the JSON as quoted in a message: a long one cut short.
QString quoted(const QString& text) {
    constexpr qsizetype kLongest = 60;
    if (text.size() <= kLongest)
        return u'"' + text + u'"';
    const qsizetype n = text[kLongest - 1].isHighSurrogate() ? kLongest - 1 : kLongest;
    return u'"' + text.left(n) + u"\"..."_s;
}

struct FromJson {
    QJsonObject obj;
    QString where; // "record 3" or "record 3, TestingMode"
    QStringList known;
    QStringList* replaced = nullptr;

    [[noreturn]] void fail(const QString& name, const QString& what) const {
        throw JsonError((where + u": field \""_s + name + u"\" "_s + what).toStdString());
    }
    bool has(const QString& name) {
        known.append(name);
        return obj.contains(name);
    }
    void str(const QString& name, QString& value, int capacity) {
        if (!has(name))
            return;
        const QJsonValue v = obj.value(name);
        if (!v.isString())
            fail(name, u"must be a string"_s);
        const QString text = v.toString();
        if (cutToCapacity(text, capacity) != text)
            fail(name, u"is longer than %1 characters"_s.arg(capacity));
        if (replaced && !fitsCp1251(text))
            replaced->append(where + u": field \""_s + name + u'"');
        value = text;
    }
    void boolean(const QString& name, bool& value) {
        if (!has(name))
            return;
        if (!obj.value(name).isBool())
            fail(name, u"must be true or false"_s);
        value = obj.value(name).toBool();
    }
    void boolArray(const QString& name, std::initializer_list<bool*> values) {
        if (!has(name))
            return;
        const QJsonValue v = obj.value(name);
        if (!v.isArray() || v.toArray().size() != static_cast<qsizetype>(values.size()))
            fail(name, u"must be an array of %1 booleans"_s.arg(values.size()));
        qsizetype i = 0;
        for (bool* b : values) {
            const QJsonValue item = v.toArray().at(i++);
            if (!item.isBool())
                fail(name, u"must be an array of %1 booleans"_s.arg(values.size()));
            *b = item.toBool();
        }
    }
    qint64 integer(const QString& name, qint64 lo, qint64 hi) {
        const QJsonValue v = obj.value(name);
        const double d = v.toDouble();
        if (!v.isDouble() || d != static_cast<double>(static_cast<qint64>(d)) || d < lo || d > hi)
            fail(name, u"must be a whole number from %1 to %2"_s.arg(lo).arg(hi));
        return static_cast<qint64>(d);
    }
    void i32(const QString& name, qint32& value) {
        if (has(name))
            value = static_cast<qint32>(integer(name, INT32_MIN, INT32_MAX));
    }
    void i16(const QString& name, qint16& value) {
        if (has(name))
            value = static_cast<qint16>(integer(name, INT16_MIN, INT16_MAX));
    }
    void u8(const QString& name, quint8& value) {
        if (has(name))
            value = static_cast<quint8>(integer(name, 0, 255));
    }
    void f64(const QString& name, double& value) {
        if (!has(name))
            return;
        if (!obj.value(name).isDouble())
            fail(name, u"must be a number"_s);
        value = obj.value(name).toDouble();
    }
    void nested(const QString& name, const std::function<void(FromJson&)>& f) {
        if (!has(name))
            return;
        if (!obj.value(name).isObject())
            fail(name, u"must be an object"_s);
        FromJson inner{obj.value(name).toObject(), where + u", "_s + name, {}, replaced};
        f(inner);
        inner.rejectUnknown();
    }
    void rejectUnknown() const {
        for (const QString& key : obj.keys())
            if (!known.contains(key))
                throw JsonError((where + u": unknown field "_s + quoted(key)).toStdString());
    }
};

template <typename R> QJsonArray toJsonArray(const QByteArray& bytes) {
    QJsonArray records;
    const qsizetype n = bytes.size() / R::Size;
    for (qsizetype i = 0; i < n; ++i) {
        R r = R::decode(QByteArrayView(bytes).sliced(i * R::Size, R::Size));
        ToJson v;
        v.obj.insert(u"index"_s, static_cast<qint64>(i));
        visit(r, v);
        records.append(v.obj);
    }
    return records;
}

template <typename R> QByteArray fromJsonArray(const QJsonArray& records, QStringList* replaced) {
    QByteArray out;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString where = u"record %1"_s.arg(i);
        if (!records.at(i).isObject())
            throw JsonError((where + u": must be an object"_s).toStdString());
        R r;
        if constexpr (std::is_same_v<R, TsrRecord>)
            r = TsrRecord::empty();
        FromJson v{records.at(i).toObject(), where, {u"index"_s}, replaced};
        visit(r, v);
        v.rejectUnknown();
        out.append(r.encode());
    }
    return out;
}

} // namespace

QJsonDocument recordsToJson(FileKind kind, const QByteArray& bytes) {
    QJsonArray records;
    switch (kind) {
    case FileKind::Tsm:
        records = toJsonArray<TsmRecord>(bytes);
        break;
    case FileKind::Tsr:
        records = toJsonArray<TsrRecord>(bytes);
        break;
    case FileKind::Ns1:
        records = toJsonArray<Ns1Record>(bytes);
        break;
    case FileKind::Ns2:
        records = toJsonArray<Ns2Record>(bytes);
        break;
    case FileKind::Ocn:
        records = toJsonArray<JournalRecord>(bytes);
        break;
    case FileKind::Unknown:
        break;
    }
    QJsonObject root;
    root.insert(u"kind"_s, kindName(kind));
    root.insert(u"records"_s, records);
    return QJsonDocument(root);
}

QByteArray recordsFromJson(FileKind kind, const QByteArray& jsonText, QStringList* replaced) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(jsonText, &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonError((u"malformed JSON at offset %1: "_s.arg(error.offset) + error.errorString())
                            .toStdString());
    if (!doc.isObject())
        throw JsonError("the JSON must be an object with \"kind\" and \"records\"");
    const QJsonObject root = doc.object();
    for (const QString& key : root.keys())
        if (key != u"kind"_s && key != u"records"_s)
            throw JsonError((u"unknown field "_s + quoted(key)).toStdString());
    if (root.contains(u"kind"_s) && root.value(u"kind"_s).toString() != kindName(kind))
        throw JsonError((u"the JSON describes a "_s + quoted(root.value(u"kind"_s).toString()) +
                         u" file, not \""_s + kindName(kind) + u'"')
                            .toStdString());
    if (!root.value(u"records"_s).isArray())
        throw JsonError("\"records\" must be an array");
    const QJsonArray records = root.value(u"records"_s).toArray();
    switch (kind) {
    case FileKind::Tsm:
        return fromJsonArray<TsmRecord>(records, replaced);
    case FileKind::Tsr:
        return fromJsonArray<TsrRecord>(records, replaced);
    case FileKind::Ns1:
        return fromJsonArray<Ns1Record>(records, replaced);
    case FileKind::Ns2:
        return fromJsonArray<Ns2Record>(records, replaced);
    case FileKind::Ocn:
        return fromJsonArray<JournalRecord>(records, replaced);
    case FileKind::Unknown:
        break;
    }
    throw JsonError("unknown kind of file");
}

} // namespace zorvik
