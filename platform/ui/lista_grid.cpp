#include "lista_grid.h"

#include "lista_grid_parts.h"

#include <dataset.h>
#include <handler_guard.h>
#include <host_funcs.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

namespace ui {

namespace {

// Widest cell text measured when fitting a column; enough for a feel of the contents, cheap on long lists.
constexpr int FitSampleRows = 2000;
constexpr int MaxFittedWidth = 800;

} // namespace

// ---- ListaGrid ------------------------------------------------------------------

ListaGrid::ListaGrid(QWidget *parent)
    : QTableView(parent),
      m_model(new ListaGridModel(this)),
      m_header(new ListaGridHeader(this)),
      m_summary(new SummaryBar(this)),
      m_palette(ListPalette::current())
{
    setObjectName(QStringLiteral("ListaGrid"));
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(new ListaGridDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed row heights keep 100,000 rows as cheap as 100.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_summary->hide();

    // The header sends no click for the release that ends a drag or a double click.
    connect(m_header, &QHeaderView::sectionClicked, this, &ListaGrid::titleClicked);
    connect(m_header, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        m_search.clear();
        m_summary->update();
        emit columnMoved(m_model->column(logical).fieldName, from, to);
    });
    connect(m_header, &QHeaderView::sectionResized, m_summary, qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_summary, qOverload<>(&QWidget::update));
    connect(m_model, &ListaGridModel::currentRowChanged, this, &ListaGrid::followDataSet);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ListaGrid::refreshSummary);
}

ListaGrid::~ListaGrid() = default;

void ListaGrid::setDataSet(db::DataSet *dataSet)
{
    m_model->setDataSet(dataSet);
    m_search.clear();
    followDataSet(dataSet && dataSet->isActive() ? dataSet->recNo() - 1 : -1);
}

db::DataSet *ListaGrid::dataSet() const
{
    return m_model->dataSet();
}

void ListaGrid::setColumns(std::vector<GridColumn> columns)
{
    m_model->setColumns(std::move(columns));
    for (int logical = 0; logical < m_model->columnCount(); ++logical) {
        const int visual = m_header->visualIndex(logical);
        if (visual != logical)
            m_header->moveSection(visual, logical);
    }
    for (int column = 0; column < m_model->columnCount(); ++column) {
        setColumnWidth(column, m_model->column(column).width);
        setColumnHidden(column, !m_model->column(column).visible);
    }
    m_markedColumn = 0;
    m_search.clear();
    if (dataSet() && dataSet()->isActive())
        followDataSet(dataSet()->recNo() - 1);
}

std::vector<GridColumn> ListaGrid::columnLayout() const
{
    std::vector<GridColumn> layout;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        GridColumn column = m_model->column(logical);
        column.visible = !isColumnHidden(logical);
        // A hidden section measures 0: it keeps the width it was given, to come back with.
        if (column.visible)
            column.width = columnWidth(logical);
        layout.push_back(column);
    }
    return layout;
}

void ListaGrid::setColumnVisible(const QString &fieldName, bool visible)
{
    const int column = columnOf(fieldName);
    if (column >= 0)
        setColumnHidden(column, !visible);
}

void ListaGrid::moveColumn(const QString &fieldName, int visualIndex)
{
    const int column = columnOf(fieldName);
    if (column >= 0 && visualIndex >= 0 && visualIndex < m_header->count())
        m_header->moveSection(m_header->visualIndex(column), visualIndex);
}

void ListaGrid::setColumnTitle(const QString &fieldName, const QString &title)
{
    const int column = columnOf(fieldName);
    if (column >= 0)
        m_model->setColumnTitle(column, title);
}

void ListaGrid::setColumnAlignment(const QString &fieldName, Qt::Alignment alignment)
{
    const int column = columnOf(fieldName);
    if (column >= 0)
        m_model->setColumnAlignment(column, alignment);
}

QList<RowKey> ListaGrid::keysForAction() const
{
    if (selectedCount() > 0)
        return selectedKeys();
    if (!currentIndex().isValid())
        return {};
    return {m_model->rowKey(currentIndex().row())};
}

void ListaGrid::setListPalette(const ListPalette &palette)
{
    m_palette = palette;
    viewport()->update();
    m_header->viewport()->update();
    m_summary->update();
}

void ListaGrid::setColumnFilterState(const QString &fieldName, ColumnFilterState state)
{
    m_filters.insert(fieldName.toLower(), state);
    m_header->viewport()->update();
}

ColumnFilterState ListaGrid::columnFilterState(int column) const
{
    if (column < 0 || column >= m_model->columnCount())
        return ColumnFilterState::None;
    return m_filters.value(m_model->column(column).fieldName.toLower(), ColumnFilterState::None);
}

void ListaGrid::setMarkedColumn(int column)
{
    m_markedColumn = column;
    m_header->viewport()->update();
}

void ListaGrid::applySortString(const QString &sort)
{
    m_sort.restore(sort);
    const int column = columnOf(m_sort.lastField());
    if (column >= 0)
        setMarkedColumn(column);
    m_sortString = sort;
    host::guard([&] {
        if (m_applySort)
            m_applySort(sort);
        else if (dataSet() && dataSet()->isActive())
            dataSet()->setSort(sort);
    });
}

void ListaGrid::titleClicked(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    setMarkedColumn(column);
    const GridColumn &gridColumn = m_model->column(column);
    if (gridColumn.isSelectionColumn())
        return;
    db::DataSet *data = dataSet();
    m_sort.setTieBreakField(data && data->hasField(QStringLiteral("id")) ? QStringLiteral("id") : QString());
    const QString sort = m_sort.click(gridColumn.fieldName);
    m_sortString = sort;
    const bool sorted = host::guard([&] {
        if (m_applySort)
            m_applySort(sort);
        else if (data && data->isActive())
            data->setSort(sort);
    });
    if (!sorted)
        return;
    m_search.clear();
    if (currentIndex().isValid())
        goToRow(currentIndex().row(), column);
    emit sortChanged(sort);
}

void ListaGrid::setEditState(bool visible, bool enabled)
{
    m_editVisible = visible;
    m_editEnabled = enabled;
}

void ListaGrid::followDataSet(int row)
{
    m_following = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        int column = currentIndex().isValid() ? currentIndex().column() : m_markedColumn;
        for (int visual = 0;
             (column < 0 || column >= m_model->columnCount() || isColumnHidden(column)) && visual < m_header->count();
             ++visual)
            column = m_header->logicalIndex(visual);
        const QModelIndex index = m_model->index(row, qMax(0, column));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
    }
    m_following = false;
}

void ListaGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    db::DataSet *data = dataSet();
    if (m_following || !current.isValid() || !data || !data->isActive() || data->recNo() == current.row() + 1)
        return;
    m_following = true;
    data->setRecNo(current.row() + 1);
    m_following = false;
}

void ListaGrid::goToRow(int row, int column)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (column < 0)
        column = currentIndex().isValid() ? currentIndex().column() : m_markedColumn;
    const QModelIndex index = m_model->index(row, qBound(0, column, m_model->columnCount() - 1));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

// ---- keys ------------------------------------------------------------------------

void ListaGrid::keyPressEvent(QKeyEvent *event)
{
    host::guard([&] {
        if (m_keyDownHook && m_keyDownHook(event))
            return;
        if (event->matches(QKeySequence::SelectAll)) {
            checkAll();
            event->accept();
            return;
        }
        const int row = currentIndex().isValid() ? currentIndex().row() : -1;
        const int last = m_model->rowCount() - 1;
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_editVisible) {
                event->accept();
                if (m_editEnabled)
                    emit editRequested();
                return;
            }
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            m_search.clear();
            goToRow(event->key() == Qt::Key_Home ? 0 : last, -1);
            event->accept();
            return;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
        case Qt::Key_Down:
        case Qt::Key_PageDown: {
            const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
            if ((up && row <= 0) || (!up && row >= last)) {
                event->accept();
                return;
            }
            m_search.clear();
            if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !m_sticky
                && m_model->selection().selectedCount() > 0) {
                m_model->clearSelection();
                emit selectionCountChanged(0);
            }
            QTableView::keyPressEvent(event);
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            m_search.clear();
            QTableView::keyPressEvent(event);
            if (currentIndex().isValid())
                setMarkedColumn(currentIndex().column());
            return;
        default:
            break;
        }
        searchKey(event);
    });
}

void ListaGrid::searchKey(QKeyEvent *event)
{
    if (m_keyPressHook && m_keyPressHook(event))
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || m_model->column(column).isSelectionColumn()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const auto outcome = m_search.keyPress(event->key(), event->text(), [&](const QString &prefix) {
        const int found = m_model->findPrefix(column, prefix);
        if (found < 0)
            return false;
        goToRow(found, column);
        return true;
    });
    if (outcome == IncrementalSearch::Outcome::Ignored) {
        // The view's own type-ahead would fight the buffer; let it see only non-text keys.
        if (event->text().isEmpty() || !event->text().at(0).isPrint())
            QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (outcome == IncrementalSearch::Outcome::Emptied)
        viewport()->update();
}

// ---- mouse -----------------------------------------------------------------------

void ListaGrid::mousePressEvent(QMouseEvent *event)
{
    host::guard([&] {
        const QModelIndex index = indexAt(event->position().toPoint());
        m_search.clear();
        QTableView::mousePressEvent(event);
        if (!index.isValid() || event->button() != Qt::LeftButton || !m_multiSelect)
            return;
        const bool ctrl =
            event->modifiers().testFlag(Qt::ControlModifier) || m_model->column(index.column()).isSelectionColumn();
        const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
        m_model->clickRow(index.row(), ctrl, shift && !ctrl, m_sticky);
        if (shift && !ctrl)
            goToRow(index.row(), index.column());
        emit selectionCountChanged(selectedCount());
    });
}

void ListaGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        goToRow(index.row(), index.column());
    if (m_editVisible && m_editEnabled && index.isValid())
        emit editRequested();
    event->accept();
}

void ListaGrid::titleDoubleClicked(int x)
{
    if (!m_editVisible)
        return;
    int fitted = -1;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (isColumnHidden(logical))
            continue;
        const int border = m_header->sectionViewportPosition(logical) + m_header->sectionSize(logical);
        if (x >= border - 1 && x <= border + 8)
            fitted = logical;
    }
    if (fitted >= 0) {
        fitColumnWidth(fitted);
        emit columnWidthFitted(fitted);
    } else if (m_editEnabled) {
        emit editRequested();
    }
}

// ---- selection -------------------------------------------------------------------

void ListaGrid::checkAll()
{
    if (!m_multiSelect || !dataSet() || !dataSet()->isActive())
        return;
    setUpdatesEnabled(false);
    host::guard([&] {
        dataSet()->disableControls();
        m_model->selectAllVisible();
        dataSet()->enableControls();
    });
    setUpdatesEnabled(true);
    viewport()->update();
    emit selectionCountChanged(selectedCount());
}

void ListaGrid::uncheckAll()
{
    m_model->clearSelection();
    viewport()->update();
    emit selectionCountChanged(0);
}

// ---- summary row ------------------------------------------------------------------

void ListaGrid::setSummaryVisible(bool visible)
{
    m_summary->setVisible(visible);
    updateGeometries();
    refreshSummary();
}

bool ListaGrid::isSummaryVisible() const
{
    return !m_summary->isHidden();
}

void ListaGrid::refreshSummary()
{
    if (!isSummaryVisible())
        return;
    host::guard([&] {
        const QLocale locale;
        const DayWords days = DayWords::fromHost();
        QStringList texts;
        for (const ColumnTotal &total : m_model->totals())
            texts << total.text(locale, days);
        m_summary->setTexts(texts);
    });
}

QString ListaGrid::summaryText(int column) const
{
    return m_summary->texts().value(column);
}

int ListaGrid::summaryColumnAt(int x) const
{
    return m_summary->columnAt(x);
}

void ListaGrid::copySummaryToClipboard(int column)
{
    QApplication::clipboard()->setText(summaryText(column));
}

void ListaGrid::layoutSummary()
{
    if (!isSummaryVisible())
        return;
    const QRect area = viewport()->geometry();
    m_summary->setGeometry(area.left(), area.bottom() + 1, area.width(), m_summary->sizeHint().height());
}

void ListaGrid::updateGeometries()
{
    // The table sets the margins for its headers here; the summary row takes the bottom one.
    QTableView::updateGeometries();
    QMargins margins = viewportMargins();
    const int bottom = isSummaryVisible() ? m_summary->sizeHint().height() : 0;
    if (margins.bottom() != bottom) {
        margins.setBottom(bottom);
        setViewportMargins(margins);
    }
    layoutSummary();
}

void ListaGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    layoutSummary();
}

// ---- widths and hints ---------------------------------------------------------------

void ListaGrid::fitColumnWidth(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const GridColumn &gridColumn = m_model->column(column);
    const QFontMetrics metrics = fontMetrics();
    const int margins = 2 * ListaGridDelegate::TextMargin + 2;
    int width = m_header->fontMetrics().horizontalAdvance(gridColumn.displayTitle()) + margins + 6;
    if (columnFilterState(column) != ColumnFilterState::None)
        width += ListaGridHeader::FunnelFrom;
    if (gridColumn.isSelectionColumn() || gridColumn.checkBox) {
        width = qMax(width, 22);
    } else {
        const int rows = qMin(m_model->rowCount(), FitSampleRows);
        for (int row = 0; row < rows; ++row)
            width = qMax(width, metrics.horizontalAdvance(m_model->cellText(row, column)) + margins);
    }
    setColumnWidth(column, qMin(width, MaxFittedWidth));
}

void ListaGrid::fitColumnWidths()
{
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (!isColumnHidden(column))
            fitColumnWidth(column);
    viewport()->update();
}

bool ListaGrid::textFits(const QModelIndex &index) const
{
    const int room = visualRect(index).width() - 2 * ListaGridDelegate::TextMargin;
    return fontMetrics().horizontalAdvance(index.data().toString()) <= room;
}

QString ListaGrid::hintTextAt(const QPoint &viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid() || index.data(Qt::CheckStateRole).isValid())
        return QString();
    if (textFits(index) && !index.data(ListaGridModel::FullTextRole).toString().contains(QLatin1Char('\n')))
        return QString();
    return index.data(ListaGridModel::FullTextRole).toString();
}

bool ListaGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString hint = hintTextAt(help->pos());
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, viewport(), visualRect(indexAt(help->pos())));
        return true;
    }
    return QTableView::viewportEvent(event);
}

// ---- ListaGridHeader ------------------------------------------------------------------

ListaGridHeader::ListaGridHeader(ListaGrid *grid)
    : QHeaderView(Qt::Horizontal, grid),
      m_grid(grid)
{
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

bool ListaGridHeader::inFunnelArea(int logicalIndex, int x) const
{
    if (logicalIndex < 0)
        return false;
    const int border = sectionViewportPosition(logicalIndex) + sectionSize(logicalIndex);
    return x >= border - FunnelFrom && x <= border - FunnelTo;
}

void ListaGridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const ListPalette &palette = m_grid->listPalette();
    const ColumnFilterState filter = m_grid->columnFilterState(logicalIndex);
    const bool marked = logicalIndex == m_grid->markedColumn();
    const bool strong = marked || filter == ColumnFilterState::Active;
    painter->save();
    painter->fillRect(rect,
                      marked                                    ? palette.markedTitleBackground
                          : filter == ColumnFilterState::Active ? palette.filterActiveBackground
                                                                : palette.titleBackground);
    painter->setPen(palette.evenRowBackground.darker(125));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    QRect textRect = rect.adjusted(4, 0, -4, 0);
    if (filter != ColumnFilterState::None)
        textRect.setRight(rect.right() + 1 - FunnelFrom - 2);
    const QString title = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    painter->setPen(strong ? palette.markedTitleText : palette.titleText);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      fontMetrics().elidedText(title, Qt::ElideRight, textRect.width()));

    if (filter != ColumnFilterState::None) {
        const int left = rect.right() + 1 - FunnelFrom + 2;
        const int width = FunnelFrom - FunnelTo - 4;
        const int top = rect.center().y() - 5;
        const QPolygon funnel({QPoint(left, top), QPoint(left + width, top), QPoint(left + width / 2 + 2, top + 5),
                               QPoint(left + width / 2 + 2, top + 10), QPoint(left + width / 2 - 2, top + 8),
                               QPoint(left + width / 2 - 2, top + 5)});
        painter->setRenderHint(QPainter::Antialiasing);
        const QColor colour = filter == ColumnFilterState::Active ? palette.markedTitleText : palette.filterInactive;
        painter->setPen(colour);
        painter->setBrush(colour);
        painter->drawPolygon(funnel);
    }
    painter->restore();
}

void ListaGridHeader::mousePressEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    const int logical = logicalIndexAt(x);
    if (event->button() == Qt::LeftButton && m_grid->columnFilterState(logical) != ColumnFilterState::None
        && inFunnelArea(logical, x)) {
        m_funnelPress = true;
        m_grid->setMarkedColumn(logical);
        emit m_grid->filterClicked(logical, m_grid->gridModel()->column(logical).fieldName);
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void ListaGridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_funnelPress) {
        m_funnelPress = false;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void ListaGridHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_grid->titleDoubleClicked(event->position().toPoint().x());
    event->accept();
}

QColor ListaGrid::rowTextColor(int row) const
{
    return m_rowTextColor ? m_rowTextColor(row) : QColor();
}

// ---- ListaGridDelegate ------------------------------------------------------------------

ListaGridDelegate::ListaGridDelegate(ListaGrid *grid)
    : QStyledItemDelegate(grid),
      m_grid(grid)
{}

void ListaGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const db::DataSet *data = m_grid->dataSet();
    if (!data || data->controlsDisabled())
        return;
    host::guard([&] {
        const ListPalette &palette = m_grid->listPalette();
        const bool selected = index.data(ListaGridModel::SelectedRole).toBool();
        painter->fillRect(option.rect,
                          selected                   ? palette.selectedBackground
                              : index.row() % 2 == 0 ? palette.oddRowBackground
                                                     : palette.evenRowBackground);
        const QVariant check = index.data(Qt::CheckStateRole);
        if (check.isValid()) {
            const bool checked = check.toInt() == Qt::Checked;
            QRect box(0, 0, 13, 13);
            box.moveCenter(option.rect.center());
            if (m_grid->checkBoxPainter()) {
                m_grid->checkBoxPainter()(*painter, box, index.row(), checked);
            } else {
                QStyleOptionButton button;
                button.rect = box;
                button.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
                m_grid->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &button, painter, m_grid);
            }
        } else {
            const QRect textRect = option.rect.adjusted(TextMargin, 0, -TextMargin, 0);
            const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
            const QColor rowColour = selected ? QColor() : m_grid->rowTextColor(index.row());
            painter->setPen(selected ? palette.selectedText : rowColour.isValid() ? rowColour : palette.cellText);
            painter->setFont(option.font);
            painter->drawText(textRect, int(alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                              option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, textRect.width()));
        }
        if (index == m_grid->currentIndex()) {
            painter->setPen(QPen(palette.markedTitleBackground, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    });
}

// ---- SummaryBar ------------------------------------------------------------------------

SummaryBar::SummaryBar(ListaGrid *grid)
    : QWidget(grid),
      m_grid(grid)
{
    setObjectName(QStringLiteral("PodsumowanieHeader"));
}

void SummaryBar::setTexts(QStringList texts)
{
    m_texts = std::move(texts);
    update();
}

QSize SummaryBar::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 6);
}

int SummaryBar::columnAt(int x) const
{
    return m_grid->horizontalHeader()->logicalIndexAt(x);
}

void SummaryBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const ListPalette &palette = m_grid->listPalette();
    painter.fillRect(rect(), palette.titleBackground);
    const QHeaderView *header = m_grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const QRect section(header->sectionViewportPosition(logical), 0, header->sectionSize(logical), height());
        painter.setPen(palette.evenRowBackground.darker(125));
        painter.drawLine(section.topRight(), section.bottomRight());
        painter.setPen(palette.titleText);
        const QRect textRect = section.adjusted(ListaGridDelegate::TextMargin, 0, -ListaGridDelegate::TextMargin, 0);
        painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter,
                         fontMetrics().elidedText(m_texts.value(logical), Qt::ElideLeft, textRect.width()));
    }
}

void SummaryBar::contextMenuEvent(QContextMenuEvent *event)
{
    const int column = columnAt(event->pos().x());
    if (column < 0)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("pmPodsumowanie"));
    QAction *copy = menu.addAction(QStringLiteral("Kopiuj do schowka"));
    copy->setObjectName(QStringLiteral("Kopiujdoschowka"));
    connect(copy, &QAction::triggered, m_grid, [this, column] { m_grid->copySummaryToClipboard(column); });
    menu.exec(event->globalPos());
}

} // namespace ui
