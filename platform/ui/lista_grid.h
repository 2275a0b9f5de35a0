#pragma once

#include "grid_column.h"
#include "incremental_search.h"
#include "list_palette.h"
#include "lista_grid_model.h"
#include "title_sort.h"
#include "ui_export.h"

#include <QHash>
#include <QTableView>
#include <functional>

class QKeyEvent;
class QPainter;

namespace db {
class DataSet;
}

namespace ui {

class ListaGridHeader;
class SummaryBar;

enum class ColumnFilterState { None, Inactive, Active };

// The data grid of a list: draws every cell itself from the list palette,
// sorts on title clicks, keeps the frame's row selection (sData) and offers
// incremental search, a summary row and hints for cut-off texts.
class MALVO_UI_EXPORT ListaGrid : public QTableView
{
    Q_OBJECT
public:
    explicit ListaGrid(QWidget *parent = nullptr);
    ~ListaGrid() override;

    // --- data and columns ---
    void setDataSet(db::DataSet *dataSet);
    db::DataSet *dataSet() const;
    ListaGridModel *gridModel() const { return m_model; }
    // Replaces the columns; their order becomes the visual order.
    void setColumns(std::vector<GridColumn> columns);
    // The columns in visual order with their current widths and visibility.
    std::vector<GridColumn> columnLayout() const;
    int columnOf(const QString &fieldName) const { return m_model->columnOf(fieldName); }
    void setColumnVisible(const QString &fieldName, bool visible);
    void moveColumn(const QString &fieldName, int visualIndex);
    void setColumnTitle(const QString &fieldName, const QString &title);
    void setColumnAlignment(const QString &fieldName, Qt::Alignment alignment);

    // --- look ---
    void setListPalette(const ListPalette &palette);
    const ListPalette &listPalette() const { return m_palette; }
    void reloadPalette() { setListPalette(ListPalette::current()); }
    // The frame tells which columns have a filter and whether it is on.
    void setColumnFilterState(const QString &fieldName, ColumnFilterState state);
    ColumnFilterState columnFilterState(int column) const;
    // The highlighted (sorted, or moved to with the arrow keys) column.
    int markedColumn() const { return m_markedColumn; }
    void setMarkedColumn(int column);

    // --- sorting ---
    TitleSort &titleSort() { return m_sort; }
    void setSortMapping(const QStringList &entries) { m_sort.setMapping(entries); }
    // By default the sort goes to the data set; the frame may route it through its filter collector.
    void setSortApplier(std::function<void(const QString &)> applier) { m_applySort = std::move(applier); }
    // Applies a stored sort string and marks its column.
    void applySortString(const QString &sort);
    const QString &sortString() const { return m_sortString; }
    // What a click on the title does (outside the funnel area).
    void titleClicked(int column);

    // --- actions ---
    // State of the frame's edit action: Enter and double click only act while it is visible (and enabled).
    void setEditState(bool visible, bool enabled);
    void setMultiSelect(bool on) { m_multiSelect = on; }
    bool multiSelect() const { return m_multiSelect; }
    // Plain clicks and Up/Down keep the selection.
    void setStickySelection(bool on) { m_sticky = on; }
    // A derived frame may consume a key before the grid handles it.
    void setKeyDownHook(std::function<bool(QKeyEvent *)> hook) { m_keyDownHook = std::move(hook); }
    void setKeyPressHook(std::function<bool(QKeyEvent *)> hook) { m_keyPressHook = std::move(hook); }
    // Draws the check box of a cell instead of the grid (RysujCheckBox of a derived frame).
    using CheckBoxPainter = std::function<void(QPainter &, const QRect &, int row, bool checked)>;
    void setCheckBoxPainter(CheckBoxPainter painter) { m_checkBoxPainter = std::move(painter); }
    const CheckBoxPainter &checkBoxPainter() const { return m_checkBoxPainter; }
    // The text colour of a visible row (colours by status of a derived frame); an
    // invalid colour keeps the palette's. Selected rows keep the selection colour.
    using RowTextColor = std::function<QColor(int row)>;
    void setRowTextColor(RowTextColor provider)
    {
        m_rowTextColor = std::move(provider);
        viewport()->update();
    }
    QColor rowTextColor(int row) const;

    // --- selection ---
    void checkAll();
    void uncheckAll();
    int selectedCount() const { return m_model->selection().selectedCount(); }
    QList<RowKey> selectedKeys() const { return m_model->selection().selectedKeys(); }
    // What edit, copy, delete and export act on: the selected rows, else the current row.
    QList<RowKey> keysForAction() const;
    RowSelection &selection() { return m_model->selection(); }
    const QString &searchBuffer() const { return m_search.buffer(); }

    // --- summary row ---
    void setSummaryVisible(bool visible);
    bool isSummaryVisible() const;
    void refreshSummary();
    QString summaryText(int column) const;
    // The column whose summary section lies under x of the summary bar; -1 when none.
    int summaryColumnAt(int x) const;
    SummaryBar *summaryBar() const { return m_summary; }
    void copySummaryToClipboard(int column);

    // --- widths and hints ---
    void fitColumnWidth(int column);
    void fitColumnWidths();
    // The full text of the cell under a viewport point when it is cut off; empty otherwise.
    QString hintTextAt(const QPoint &viewportPos) const;

signals:
    void editRequested();
    void filterClicked(int column, const QString &fieldName);
    void sortChanged(const QString &sort);
    void selectionCountChanged(int count);
    void columnMoved(const QString &fieldName, int fromVisual, int toVisual);
    void columnWidthFitted(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class ListaGridHeader;
    void followDataSet(int row);
    void titleDoubleClicked(int x);
    void searchKey(QKeyEvent *event);
    void goToRow(int row, int column);
    bool textFits(const QModelIndex &index) const;
    void layoutSummary();

    ListaGridModel *m_model;
    ListaGridHeader *m_header;
    SummaryBar *m_summary;
    ListPalette m_palette;
    TitleSort m_sort;
    QString m_sortString;
    std::function<void(const QString &)> m_applySort;
    IncrementalSearch m_search;
    QHash<QString, ColumnFilterState> m_filters; // by lower-case field name
    int m_markedColumn = 0;
    bool m_editVisible = true;
    bool m_editEnabled = true;
    bool m_multiSelect = true;
    bool m_sticky = false;
    bool m_following = false;
    std::function<bool(QKeyEvent *)> m_keyDownHook;
    std::function<bool(QKeyEvent *)> m_keyPressHook;
    CheckBoxPainter m_checkBoxPainter;
    RowTextColor m_rowTextColor;
};

} // namespace ui
