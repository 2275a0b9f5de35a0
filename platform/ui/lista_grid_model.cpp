#include "lista_grid_model.h"

#include <dataset.h>

namespace ui {

ListaGridModel::ListaGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void ListaGridModel::setDataSet(db::DataSet *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    beginResetModel();
    m_dataSet = dataSet;
    m_selection.reset();
    resolveFields();
    endResetModel();
    if (dataSet) {
        connect(dataSet, &db::DataSet::rowsReset, this, &ListaGridModel::onRowsReset);
        connect(dataSet, &db::DataSet::rowsAppended, this, &ListaGridModel::onRowsAppended);
        connect(dataSet, &db::DataSet::currentRowChanged, this, &ListaGridModel::currentRowChanged);
    }
}

void ListaGridModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    resolveFields();
    endResetModel();
}

void ListaGridModel::resolveFields()
{
    const bool open = m_dataSet && m_dataSet->isActive();
    m_rows = open ? m_dataSet->recordCount() : 0;
    m_idField = open ? m_dataSet->fieldIndex(QStringLiteral("id")) : -1;
    m_guidField = open ? m_dataSet->fieldIndex(QStringLiteral("guid")) : -1;
    m_fields.assign(m_columns.size(), -1);
    m_checkBoxes.assign(m_columns.size(), false);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const GridColumn &column = m_columns[i];
        if (open && !column.isSelectionColumn())
            m_fields[i] = m_dataSet->fieldIndex(column.fieldName);
        m_checkBoxes[i] = column.isSelectionColumn() || column.checkBox
            || (m_fields[i] >= 0 && m_dataSet->fieldDef(m_fields[i]).type == QMetaType::Bool);
    }
}

void ListaGridModel::onRowsAppended(int first, int last)
{
    beginInsertRows({}, first, last);
    m_rows = m_dataSet->recordCount();
    endInsertRows();
}

void ListaGridModel::onRowsReset()
{
    beginResetModel();
    resolveFields();
    endResetModel();
    emit currentRowChanged(m_dataSet && m_dataSet->isActive() ? m_dataSet->recNo() - 1 : -1);
}

int ListaGridModel::columnOf(const QString &fieldName) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void ListaGridModel::setColumnTitle(int column, const QString &title)
{
    m_columns.at(size_t(column)).title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListaGridModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_columns.at(size_t(column)).alignment = alignment;
    if (m_rows > 0)
        emit dataChanged(index(0, column), index(m_rows - 1, column), {Qt::TextAlignmentRole});
}

int ListaGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListaGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

// While the data set's controls are disabled its rows may differ from what the view was told.
bool ListaGridModel::rowReadable(int row) const
{
    return m_dataSet && m_dataSet->isActive() && !m_dataSet->controlsDisabled() && row >= 0
        && row < m_dataSet->recordCount();
}

QVariant ListaGridModel::valueAt(int row, int column) const
{
    const int field = m_fields.at(size_t(column));
    if (field < 0 || !rowReadable(row))
        return QVariant();
    return m_dataSet->valueAt(m_dataSet->bookmarkAt(row), field);
}

QString ListaGridModel::fullText(int row, int column) const
{
    const int field = m_fields.at(size_t(column));
    if (field < 0 || !rowReadable(row))
        return QString();
    return formatValue(valueAt(row, column), m_dataSet->fieldDef(field).type, m_columns[size_t(column)].displayFormat,
                       m_locale);
}

QString ListaGridModel::cellText(int row, int column) const
{
    return oneLine(fullText(row, column));
}

bool ListaGridModel::isChecked(int row, int column) const
{
    if (m_columns.at(size_t(column)).isSelectionColumn())
        return isRowSelected(row);
    const QVariant value = valueAt(row, column);
    return value.metaType().id() == QMetaType::QString ? value.toString().trimmed() == QLatin1String("1")
                                                       : value.toBool();
}

QVariant ListaGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const GridColumn &column = m_columns[size_t(index.column())];
    const bool checkBox = m_checkBoxes[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return checkBox ? QVariant() : QVariant(cellText(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (!checkBox)
            return QVariant();
        return isChecked(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(column.alignment | Qt::AlignVCenter));
    case SelectedRole:
        return isRowSelected(index.row());
    case FullTextRole:
        return fullText(index.row(), index.column());
    case ValueRole:
        return valueAt(index.row(), index.column());
    default:
        return QVariant();
    }
}

QVariant ListaGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < int(m_columns.size())) {
        if (role == Qt::DisplayRole)
            return m_columns[size_t(section)].displayTitle();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < m_rows)
        return section + 1;
    return QVariant();
}

Qt::ItemFlags ListaGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int ListaGridModel::findPrefix(int column, const QString &prefix) const
{
    if (column < 0 || column >= columnCount() || m_fields[size_t(column)] < 0)
        return -1;
    for (int row = 0; row < m_rows; ++row)
        if (cellText(row, column).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    return -1;
}

RowKey ListaGridModel::rowKey(int row) const
{
    RowKey key;
    if (!m_dataSet || !m_dataSet->isActive() || row < 0 || row >= m_dataSet->recordCount())
        return key;
    const db::Bookmark bookmark = m_dataSet->bookmarkAt(row);
    // Without an id the fetch position stands in; it holds until the data set is reopened.
    key.id = m_idField >= 0 ? m_dataSet->valueAt(bookmark, m_idField).toLongLong() : bookmark;
    if (m_guidField >= 0)
        key.guid = m_dataSet->valueAt(bookmark, m_guidField).toString();
    return key;
}

int ListaGridModel::rowOfKey(const RowKey &key) const
{
    if (!m_dataSet || !m_dataSet->isActive())
        return -1;
    const int count = m_dataSet->recordCount();
    for (int row = 0; row < count; ++row)
        if (rowKey(row) == key)
            return row;
    return -1;
}

bool ListaGridModel::isRowSelected(int row) const
{
    return m_selection.selectedCount() > 0 && m_selection.isSelected(rowKey(row));
}

void ListaGridModel::selectionChanged()
{
    if (m_rows > 0 && !m_columns.empty())
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1), {SelectedRole, Qt::CheckStateRole});
}

void ListaGridModel::selectAllVisible()
{
    if (!m_dataSet || !m_dataSet->isActive())
        return;
    m_dataSet->finishFetch();
    const int count = m_dataSet->recordCount();
    for (int row = 0; row < count; ++row)
        m_selection.select(rowKey(row));
    selectionChanged();
}

void ListaGridModel::clearSelection()
{
    m_selection.clear();
    selectionChanged();
}

void ListaGridModel::clickRow(int row, bool ctrl, bool shift, bool sticky)
{
    if (row < 0 || row >= m_rows)
        return;
    m_selection.click(
        row, ctrl, shift, sticky, [this](int r) { return rowKey(r); },
        [this](const RowKey &key) { return rowOfKey(key); });
    selectionChanged();
}

std::vector<ColumnTotal> ListaGridModel::totals() const
{
    std::vector<ColumnTotal> result;
    result.reserve(m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i)
        result.push_back(m_fields[i] >= 0 ? ColumnTotal::forColumn(m_columns[i], m_dataSet->fieldDef(m_fields[i]).type)
                                          : ColumnTotal());
    // Totals of part of the rows would mislead: they wait for the last chunk.
    if (!m_dataSet || !m_dataSet->isActive() || m_dataSet->controlsDisabled() || m_dataSet->isFetching())
        return result;
    const int count = m_dataSet->recordCount();
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (result[i].kind() == SummaryKind::None || result[i].kind() == SummaryKind::Auto)
            continue;
        for (int row = 0; row < count; ++row)
            result[i].add(m_dataSet->valueAt(m_dataSet->bookmarkAt(row), m_fields[i]));
    }
    return result;
}

} // namespace ui
