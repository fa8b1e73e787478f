#include "journalmodel.h"

#include "localetext.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvik {

JournalModel::JournalModel(QObject* parent) : QAbstractTableModel(parent) {}

const QStringList& JournalModel::headers() {
    static const QStringList texts = {
        u"  №"_s,        u"  Дата"_s,       u"  Час"_s, u"      Прізвище, ім'я, по-батькові"_s,
        u" Група-кл"_s,  u" Файл тесту "_s, u"С.оц."_s, u"Зап."_s,
        u"Макс.балів"_s, u" Набр.балів"_s,  u" Оц."_s,  u"  Пер."_s,
    };
    return texts;
}

QString pointsText(double points) {
    // A damaged file may hold anything; only finite values are rounded.
    return numberText(std::isfinite(points) ? roundTo(points, 2) : points);
}

QString JournalModel::cellText(const JournalRecord& e, int row, int column) {
    switch (column) {
    case ColNo:
        return QString::number(row + 1);
    case ColDate:
        return e.Date;
    case ColTime:
        return e.Time;
    case ColName:
        return e.StudentName;
    case ColGroup:
        return e.Group;
    case ColTest:
        return e.TestName;
    case ColScale:
        return QString::number(e.GradeScale);
    case ColQuestions:
        return QString::number(e.QuestionCount);
    case ColMaxPoints:
        return QString::number(e.MaxPoints);
    case ColPoints:
        return pointsText(e.Points);
    case ColGrade:
        return QString::number(e.Grade);
    case ColInterrupted:
        return e.Interrupted;
    default:
        return {};
    }
}

void JournalModel::setRecords(std::vector<JournalRecord> records) {
    const size_t old = records_.size();
    if (records.size() >= old && std::equal(records_.begin(), records_.end(), records.begin())) {
        if (records.size() == old)
            return;
        beginInsertRows({}, int(old), int(records.size()) - 1);
        records_ = std::move(records);
        endInsertRows();
        return;
    }
    beginResetModel();
    records_ = std::move(records);
    endResetModel();
}

void JournalModel::removeEntry(int row) {
    if (row < 0 || row >= entryCount())
        return;
    beginRemoveRows({}, row, row);
    records_.erase(records_.begin() + row);
    endRemoveRows();
    // The numbers of the rows below change with their position.
    if (row < entryCount())
        emit dataChanged(index(row, ColNo), index(entryCount() - 1, ColNo), {Qt::DisplayRole});
}

void JournalModel::clear() {
    setRecords({});
}

QStringList JournalModel::rowTexts(int row) const {
    QStringList texts;
    texts.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        texts.append(text(row, c));
    return texts;
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : entryCount();
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= entryCount())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return headers().at(section);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace zorvik
