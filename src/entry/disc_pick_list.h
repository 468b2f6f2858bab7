// TDiscPickList: the releases found for a disc, best fit first, for the user to pick the one in
// hand: title, artist, year, country, label, format and number of tracks. Arrows move, Enter
// takes the selected release, Escape takes none.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

class QTreeWidget;

class TDiscPickList : public QDialog {
    Q_OBJECT
public:
    TDiscPickList(const std::vector<discinfo::DiscCandidate>& releases, QWidget* parent);

    // The index of the release picked; nothing when the user cancelled.
    static std::optional<size_t> Pick(const std::vector<discinfo::DiscCandidate>& releases,
                                      QWidget* parent);
    // The row selected.
    int selectedRow() const;

private:
    QTreeWidget* list_;
};
