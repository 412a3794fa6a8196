#pragma once
// The code list's item model over the core's lines.

#include <QAbstractListModel>
#include <cstdint>

namespace quorvex {

class Interpreter;

// The core's code list as rows; it follows the core only when the items changed.
class CodeListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CodeListModel(Interpreter& core, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Resets the rows when the core's items changed since the last call; true when it did.
    bool sync();

private:
    Interpreter& core_;
    uint64_t revision_ = ~uint64_t{0};
    int rows_ = 0;
};

} // namespace quorvex
