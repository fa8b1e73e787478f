// The journal as the journal window's grid shows it: one row per entry in
// file order, numbered by position, every cell as text. The same texts go to
// the CSV file, the workbook and the printed report.
#pragma once

#include "records.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace zorvik {

class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColNo,
        ColDate,
        ColTime,
        ColName,
        ColGroup,
        ColTest,
        ColScale,
        ColQuestions,
        ColMaxPoints,
        ColPoints,
        ColGrade,
        ColInterrupted,
        ColumnCount
    };

    explicit JournalModel(QObject* parent = nullptr);

    // The header texts, leading blanks included.
    static const QStringList& headers();
    // The text of one cell of an entry; `row` is the entry's index.
    static QString cellText(const JournalRecord& entry, int row, int column);

    const std::vector<JournalRecord>& records() const { return records_; }
    int entryCount() const { return static_cast<int>(records_.size()); }
    // Replaces the entries. Nothing is signalled when they are unchanged, and
    // only an insertion when entries were appended, so the view keeps its
    // scroll position and selection across reloads.
    void setRecords(std::vector<JournalRecord> records);
    void removeEntry(int row);
    void clear();

    QString text(int row, int column) const { return cellText(records_[size_t(row)], row, column); }
    QStringList rowTexts(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<JournalRecord> records_;
};

// Points as the grid shows them: rounded to 2 decimals, the shortest decimal
// text with the locale's separator (7.5 -> "7,5").
QString pointsText(double points);

} // namespace zorvik
