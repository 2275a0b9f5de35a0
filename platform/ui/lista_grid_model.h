#pragma once

#include "column_totals.h"
#include "grid_column.h"
#include "row_selection.h"
#include "ui_export.h"

#include <dataset.h>

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace ui {

// The visible rows of a data set as a table, read on demand: no copy of the
// result is kept, a cell is read from the data set when it is asked for.
class MALVO_UI_EXPORT ListaGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        SelectedRole = Qt::UserRole + 1, // bool: the row's selection flag
        FullTextRole,                    // the display text before it is reduced to one line
        ValueRole,                       // the field's value
    };

    explicit ListaGridModel(QObject *parent = nullptr);

    void setDataSet(db::DataSet *dataSet);
    db::DataSet *dataSet() const { return m_dataSet; }
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }
    const GridColumn &column(int column) const { return m_columns.at(size_t(column)); }
    int columnOf(const QString &fieldName) const; // -1 when absent
    void setColumnTitle(int column, const QString &title);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setLocale(const QLocale &locale) { m_locale = locale; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString cellText(int row, int column) const; // as drawn: one line
    QString fullText(int row, int column) const;
    bool isChecked(int row, int column) const;
    // First visible row whose text in the column starts with the prefix (case-insensitive); -1 when none.
    int findPrefix(int column, const QString &prefix) const;

    // --- selection ---
    RowSelection &selection() { return m_selection; }
    const RowSelection &selection() const { return m_selection; }
    RowKey rowKey(int row) const;
    int rowOfKey(const RowKey &key) const; // -1 when not visible
    bool isRowSelected(int row) const;
    void selectAllVisible();
    void clearSelection();
    void clickRow(int row, bool ctrl, bool shift, bool sticky);
    void selectionChanged(); // repaint after a direct change of selection()

    // Totals of every column over the visible rows.
    std::vector<ColumnTotal> totals() const;

signals:
    // The data set moved to another visible row (-1 when none).
    void currentRowChanged(int row);

private:
    void onRowsReset();
    void onRowsAppended(int first, int last);
    void resolveFields();
    QVariant valueAt(int row, int column) const;
    bool rowReadable(int row) const;

    QPointer<db::DataSet> m_dataSet;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fields; // data set field per column, -1 for none
    std::vector<bool> m_checkBoxes;
    int m_rows = 0;
    int m_idField = -1;
    int m_guidField = -1;
    RowSelection m_selection;
    QLocale m_locale;
};

} // namespace ui
