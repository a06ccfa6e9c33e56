#pragma once
// The per-angle table of the Angle page as a model: the cells are formatted when the
// view asks for them, so that a table of tens of thousands of angles is refreshed at
// once after every calculation.

#include "core/antennas/angletable.h"

#include <QAbstractTableModel>
#include <QFont>

namespace radexa {

class AngleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit AngleTableModel(QObject* parent = nullptr);

    // New lists and column heads (Windows-1252); the view is told that all changed.
    void setTable(PatternLists lists, StringArray header);
    const PatternLists& lists() const { return m_lists; }
    const StringArray& header() const { return m_header; }
    void setFont(const QFont& font) { m_font = font; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PatternLists m_lists;
    StringArray m_header;
    QFont m_font;
};

} // namespace radexa
