#include "gui/app/angletablemodel.h"

#include "gui/support/text.h"

namespace radexa {

AngleTableModel::AngleTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void AngleTableModel::setTable(PatternLists lists, StringArray header) {
    beginResetModel();
    m_lists = std::move(lists);
    m_header = std::move(header);
    endResetModel();
}

int AngleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lists.PatternEirp.size());
}

int AngleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant AngleTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::FontRole)
        return m_font;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    const StringArray row = AngleTableRow(m_lists, static_cast<std::size_t>(index.row()));
    return toQ(row[static_cast<std::size_t>(index.column())]);
}

QVariant AngleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= m_header.size())
        return {};
    return toQ(m_header[static_cast<std::size_t>(section)]);
}

} // namespace radexa
