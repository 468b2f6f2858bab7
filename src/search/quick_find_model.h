// QuickFindModel: the hit list under the main window's search box, over a QuickFind. Each source
// is one bold row (main title, main artist, carrier and number) followed by one row per track
// that holds the text (artist and title, and the composer when only the composer holds it).
// Records are read when a row is shown, so a million hits cost eight megabytes.
//
// The find grows between steps; the model shows what it held at the last Publish, so the view
// and the rows it was told of always agree.
#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <string>
#include <vector>

class QuickFind;
class TTable;

class QuickFindModel : public QAbstractListModel {
    Q_OBJECT
public:
    // What a row opens: the source, and the track to select (0 for a source row).
    struct Target {
        std::string sourceKey;
        uint32_t track = 0;
    };

    // `tracks` and `mainTitles` must outlive the model.
    QuickFindModel(TTable& tracks, TTable& mainTitles, QObject* parent = nullptr);

    // Shows the hits of `find` (null: none) as they are now; `find` must outlive its use here.
    void Publish(QuickFind* find);
    Target TargetAt(int row) const;
    // The row of `target`, or -1 when it is not shown.
    int RowOf(const Target& target) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    size_t GroupOfRow(int row) const;
    QString SourceText(size_t group) const;
    QString TrackText(uint32_t recno) const;
    const uint8_t* Read(TTable& table, uint32_t recno) const;

    TTable& tracks_;
    TTable& mainTitles_;
    QuickFind* find_ = nullptr;
    std::vector<int> firstRow_;     // per published group: its source row
    std::vector<uint32_t> recnos_;  // per row: the track's record number, 0 on a source row
    mutable std::vector<uint8_t> record_;
};
