#pragma once
// A port panel's output list as an item model, for the simulation window.

#include <QAbstractListModel>

#include "simulation/device_panels.h"

namespace quorvex {

// A port panel's output list as a list model. The rows the view knows are counted here, so the
// list's change record can be applied as removals, changes and appends rather than a reset. A
// row shows at most `shown_chars` characters: a line that never ends (one character printed at
// a time) would otherwise be converted and measured whole at every refresh.
class PortListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int shown_chars = 1000;

    explicit PortListModel(const OutputList& list, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Brings the rows up to the list: a reset, rows gone from the front, changed and new rows.
    void apply(const ListChanges& changes);

private:
    const OutputList& list_;
    int rows_ = 0;
    int removing_ = 0; // rows the list dropped from the top that the view still shows
};

} // namespace quorvex
