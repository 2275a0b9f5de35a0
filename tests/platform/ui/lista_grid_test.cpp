// The grid driven offscreen as a user drives it: title clicks, the funnel,
// keys, Ctrl and Shift clicks, select all, the summary row and hints.
#include "lista_grid.h"
#include "lista_grid_parts.h"
#include "ui_test_util.h"

#include <host_funcs.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ui;
using uitest::column;
using uitest::field;

namespace {

class ListaGridTest : public testing::Test
{
protected:
    void SetUp() override
    {
        host::setLogFilePath(m_logDir.filePath(QStringLiteral("ui.log")));
        open({{3, "Beta", "Kraków"},
              {1, "Alfa", "Gdańsk"},
              {5, "Beta", "Łódź"},
              {2, "Gamma", "Opole"},
              {4, "Beta", "Sopot"}});
    }
    void TearDown() override
    {
        host::resetVariables();
        host::setPaletaStala(false);
        host::setLogFilePath(QString());
    }

    // Rows of id, nazwa and miasto unless other fields are given.
    void open(std::vector<std::vector<QVariant>> rows, const QList<db::FieldDef> &fields = {},
              std::vector<GridColumn> columns = {})
    {
        data = uitest::dataSet(fields.isEmpty() ? QList<db::FieldDef>{field("id", QMetaType::Int),
                                                                      field("nazwa", QMetaType::QString),
                                                                      field("miasto", QMetaType::QString)}
                                                : fields,
                               std::move(rows));
        if (columns.empty())
            columns = {GridColumn::selectionColumn(), column("id", 60), column("nazwa"), column("miasto")};
        grid = std::make_unique<ListaGrid>();
        grid->setDataSet(data.get());
        grid->setColumns(columns);
        grid->resize(600, 300);
        grid->show();
        tester = std::make_unique<QAbstractItemModelTester>(grid->gridModel(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    QHeaderView *header() const { return grid->horizontalHeader(); }
    int border(int column) const { return header()->sectionViewportPosition(column) + header()->sectionSize(column); }
    void clickTitle(int column, int x = -1, Qt::KeyboardModifiers modifiers = {})
    {
        if (x < 0)
            x = header()->sectionViewportPosition(column) + header()->sectionSize(column) / 2;
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, modifiers, QPoint(x, header()->height() / 2));
    }
    QPoint cellCentre(int row, int column) const
    {
        return grid->visualRect(grid->gridModel()->index(row, column)).center();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}, int column = 2)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cellCentre(row, column));
    }
    QString currentName() const { return data->displayText("nazwa"); }
    QColor pixel(int row, int column)
    {
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->gridModel()->index(row, column));
        return image.pixelColor(cell.right() - 4, cell.top() + 2);
    }
    QList<qint64> selectedIds() const
    {
        QList<qint64> ids;
        for (const RowKey &key : grid->selectedKeys())
            ids << key.id;
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    QTemporaryDir m_logDir;
    std::unique_ptr<db::DataSet> data;
    std::unique_ptr<ListaGrid> grid;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

// ---- sorting -------------------------------------------------------------------------

TEST_F(ListaGridTest, TitleClicksToggleTheSortWithIdTieBreak)
{
    QSignalSpy sorts(grid.get(), &ListaGrid::sortChanged);
    clickTitle(2);
    EXPECT_EQ(data->sort(), "nazwa ASC,id ASC");
    clickTitle(2);
    EXPECT_EQ(data->sort(), "nazwa DESC,id DESC");
    ASSERT_EQ(sorts.count(), 2);
    EXPECT_EQ(sorts.at(1).at(0).toString(), "nazwa DESC,id DESC");
    EXPECT_EQ(grid->markedColumn(), 2);

    clickTitle(3); // another title starts ascending again
    EXPECT_EQ(data->sort(), "miasto ASC,id ASC");
    EXPECT_EQ(grid->markedColumn(), 3);
    clickTitle(2);
    EXPECT_EQ(data->sort(), "nazwa ASC,id ASC");

    grid->applySortString("miasto DESC,id DESC");
    EXPECT_EQ(data->sort(), "miasto DESC,id DESC");
    EXPECT_EQ(grid->markedColumn(), 3);
    clickTitle(3);
    EXPECT_EQ(data->sort(), "miasto ASC,id ASC");

    QSignalSpy filters(grid.get(), &ListaGrid::filterClicked);
    clickTitle(3, border(3) - 10); // a title without a filter sorts at its right end too
    EXPECT_EQ(filters.count(), 0);
    EXPECT_EQ(data->sort(), "miasto DESC,id DESC");

    QStringList routed;
    grid->setSortApplier([&](const QString &sort) { routed << sort; });
    clickTitle(3);
    EXPECT_EQ(routed, QStringList{"miasto ASC,id ASC"});
    EXPECT_EQ(data->sort(), "miasto DESC,id DESC"); // the frame applies it
}

TEST_F(ListaGridTest, FunnelAreaAsksForTheFilterInsteadOfSorting)
{
    grid->setColumnFilterState("nazwa", ColumnFilterState::Inactive);
    QSignalSpy filters(grid.get(), &ListaGrid::filterClicked);
    QSignalSpy sorts(grid.get(), &ListaGrid::sortChanged);
    for (int offset : {ListaGridHeader::FunnelFrom, 10, ListaGridHeader::FunnelTo})
        clickTitle(2, border(2) - offset);
    EXPECT_EQ(filters.count(), 3);
    EXPECT_EQ(filters.at(0).at(0).toInt(), 2);
    EXPECT_EQ(filters.at(0).at(1).toString(), "nazwa");
    EXPECT_EQ(sorts.count(), 0);
    EXPECT_EQ(grid->markedColumn(), 2);

    clickTitle(2, border(2) - ListaGridHeader::FunnelFrom - 2); // just left of the funnel
    EXPECT_EQ(sorts.count(), 1);
    EXPECT_EQ(filters.count(), 3);
}

TEST_F(ListaGridTest, DoubleClickOnTitleSortsOnceAndNearBorderFitsWidth)
{
    QSignalSpy sorts(grid.get(), &ListaGrid::sortChanged);
    QSignalSpy edits(grid.get(), &ListaGrid::editRequested);
    const QPoint middle(header()->sectionViewportPosition(2) + 40, header()->height() / 2);
    // A double click as the window system delivers it: press, release, double click, release.
    QTest::mousePress(header()->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseRelease(header()->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseDClick(header()->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(sorts.count(), 1);
    EXPECT_EQ(data->sort(), "nazwa ASC,id ASC");
    EXPECT_EQ(edits.count(), 1);

    grid->setColumnWidth(3, 300);
    QSignalSpy fitted(grid.get(), &ListaGrid::columnWidthFitted);
    const QPoint nearBorder(border(3) + 4, header()->height() / 2);
    QTest::mouseDClick(header()->viewport(), Qt::LeftButton, {}, nearBorder);
    ASSERT_EQ(fitted.count(), 1);
    EXPECT_EQ(fitted.at(0).at(0).toInt(), 3);
    EXPECT_LT(grid->columnWidth(3), 300);
    EXPECT_GT(grid->columnWidth(3), grid->fontMetrics().horizontalAdvance("Kraków"));
    EXPECT_EQ(edits.count(), 1);
    EXPECT_EQ(sorts.count(), 1);
}

// ---- keys ----------------------------------------------------------------------------

TEST_F(ListaGridTest, SearchFollowsTypedLettersInTheCurrentColumnAndMovingAColumnClearsIt)
{
    clickRow(0, {}, 3);
    QTest::keyClicks(grid.get(), "op");
    EXPECT_EQ(data->displayText("miasto"), "Opole");
    QTest::keyClick(grid.get(), Qt::Key_Escape);
    EXPECT_TRUE(grid->searchBuffer().isEmpty());
    QTest::keyClick(grid.get(), Qt::Key_Left);
    EXPECT_EQ(grid->markedColumn(), 2);
    QTest::keyClicks(grid.get(), "al");
    EXPECT_EQ(currentName(), "Alfa");
    ASSERT_EQ(grid->searchBuffer(), "al");
    QSignalSpy moved(grid.get(), &ListaGrid::columnMoved);
    grid->moveColumn("miasto", 1);
    EXPECT_TRUE(grid->searchBuffer().isEmpty());
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(0).toString(), "miasto");

    // Typing k then o finds the first "ko" row; a letter without a match is dropped.
    open({{1, "Adam", ""}, {2, "kamil", ""}, {3, "Kot", ""}, {4, "Kowal", ""}, {5, "Zenon", ""}});
    clickRow(0);
    QTest::keyClick(grid.get(), Qt::Key_K);
    EXPECT_EQ(currentName(), "kamil");
    QTest::keyClick(grid.get(), Qt::Key_O);
    EXPECT_EQ(currentName(), "Kot");
    EXPECT_EQ(grid->currentIndex().row(), 2);
    QTest::keyClick(grid.get(), Qt::Key_X);
    EXPECT_EQ(currentName(), "Kot");
    QTest::keyClick(grid.get(), Qt::Key_W);
    EXPECT_EQ(currentName(), "Kowal");
    QTest::keyClick(grid.get(), Qt::Key_Up);
    EXPECT_TRUE(grid->searchBuffer().isEmpty());
}

TEST_F(ListaGridTest, HomeEndIgnoredMovesAtTheEndsStickySelectionAndEditing)
{
    clickRow(2);
    QTest::keyClick(grid.get(), Qt::Key_End);
    EXPECT_EQ(data->recNo(), 5);
    QTest::keyClick(grid.get(), Qt::Key_Home);
    EXPECT_EQ(data->recNo(), 1);
    clickRow(0);
    clickRow(1, Qt::ControlModifier);
    clickRow(0, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_Up); // at the first row: nothing happens
    QTest::keyClick(grid.get(), Qt::Key_PageUp);
    EXPECT_EQ(grid->selectedCount(), 1);
    EXPECT_EQ(data->recNo(), 1);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(data->recNo(), 2);
    EXPECT_EQ(grid->selectedCount(), 0);
    QTest::keyClick(grid.get(), Qt::Key_End);
    clickRow(4, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_Down); // at the last row: nothing happens
    EXPECT_EQ(grid->selectedCount(), 1);

    grid->setStickySelection(true);
    clickRow(1, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->selectedCount(), 2);

    // Enter and a double click edit the current row unless a key hook takes the key or editing is off.
    QSignalSpy edits(grid.get(), &ListaGrid::editRequested);
    grid->setKeyDownHook([](QKeyEvent *event) { return event->key() == Qt::Key_Return; });
    clickRow(0);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_EQ(edits.count(), 0);
    grid->setKeyDownHook({});

    clickRow(3);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    EXPECT_EQ(edits.count(), 2);
    EXPECT_EQ(data->recNo(), 2);
    grid->setEditState(true, false);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    grid->setEditState(false, true);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_EQ(edits.count(), 2);
}

// ---- selection ---------------------------------------------------------------------------

TEST_F(ListaGridTest, ClicksSelectRows)
{
    QSignalSpy counts(grid.get(), &ListaGrid::selectionCountChanged);
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    clickRow(4, Qt::ControlModifier);
    EXPECT_EQ(selectedIds(), (QList<qint64>{3, 4, 5}));
    clickRow(2, Qt::ControlModifier);
    EXPECT_EQ(selectedIds(), (QList<qint64>{3, 4}));
    EXPECT_EQ(counts.last().at(0).toInt(), 2);
    clickRow(1);
    EXPECT_EQ(selectedIds(), (QList<qint64>{1}));

    clickRow(0);
    clickRow(3, {}, 0); // the selection column toggles without clearing others
    EXPECT_EQ(selectedIds(), (QList<qint64>{2, 3}));
    clickRow(3, {}, 0);
    EXPECT_EQ(selectedIds(), (QList<qint64>{3}));

    clickRow(0);
    clickRow(1, Qt::ControlModifier);
    grid->uncheckAll();
    EXPECT_EQ(grid->selectedCount(), 0);
    grid->setMultiSelect(false);
    clickRow(2, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->selectedCount(), 0);

    grid->setMultiSelect(true);
    clickTitle(2); // 1 Alfa, 3, 4, 5 Beta, 2 Gamma
    clickRow(1);
    clickRow(3, Qt::ShiftModifier);
    EXPECT_EQ(selectedIds(), (QList<qint64>{3, 4, 5}));
    EXPECT_EQ(data->recNo(), 4);
    clickRow(0, Qt::ShiftModifier); // from the new anchor back up
    EXPECT_EQ(selectedIds(), (QList<qint64>{1, 3, 4, 5}));
}

TEST_F(ListaGridTest, SelectAllUnderAFilterOfManyRowsTakesOnlyVisibleRows)
{
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        rows.push_back({i + 1, QStringLiteral("Firma %1").arg(i), i % 3});
    open(std::move(rows),
         {field("id", QMetaType::Int), field("nazwa", QMetaType::QString), field("grupa", QMetaType::Int)},
         {GridColumn::selectionColumn(), column("nazwa"), column("grupa")});
    data->setFilter("grupa = 1");
    data->setRecNo(500);
    const int visible = data->recordCount();
    ASSERT_EQ(visible, 33333);

    QSignalSpy resets(grid->gridModel(), &QAbstractItemModel::modelReset);
    QTest::keyClick(grid.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->selectedCount(), visible);
    EXPECT_EQ(data->recNo(), 500); // the current row stays
    EXPECT_EQ(resets.count(), 0);

    data->setFilter(QString());
    EXPECT_FALSE(grid->gridModel()->isRowSelected(0));
    EXPECT_TRUE(grid->gridModel()->isRowSelected(1));
    EXPECT_FALSE(grid->gridModel()->isRowSelected(99999));
    grid->uncheckAll();
    EXPECT_EQ(grid->selectedCount(), 0);
}

// ---- summary row, hints, palette ----------------------------------------------------------------

TEST_F(ListaGridTest, SummaryTotalsOfIntegerDecimalAndDurationColumnsAndCopy)
{
    GridColumn kwota = column("kwota");
    kwota.displayFormat = ",0.000";
    GridColumn czas = column("czas");
    czas.summary = SummaryKind::Duration;
    open({{1, 2, 10.25, 0.5, "a"}, {2, 3, 0.755, 0.75, "b"}, {3, 10, 1.0, 1.0, "c"}},
         {field("id", QMetaType::Int), field("ilosc", QMetaType::Int), field("kwota", QMetaType::Double),
          field("czas", QMetaType::Double), field("nazwa", QMetaType::QString)},
         {column("ilosc"), kwota, czas, column("nazwa")});
    grid->setSummaryVisible(true);
    ASSERT_TRUE(grid->isSummaryVisible());
    const QRect bar = grid->summaryBar()->geometry();
    EXPECT_TRUE(grid->rect().contains(bar));
    EXPECT_FALSE(bar.intersects(grid->viewport()->geometry()));
    EXPECT_EQ(bar.width(), grid->viewport()->width());
    EXPECT_EQ(grid->summaryText(0), "15");
    EXPECT_EQ(grid->summaryText(1), QLocale().toString(12.005, 'f', 3));
    EXPECT_TRUE(grid->summaryText(2).endsWith(" 06:00")) << grid->summaryText(2).toStdString();
    EXPECT_TRUE(grid->summaryText(2).startsWith("2 ")) << grid->summaryText(2).toStdString();
    EXPECT_EQ(grid->summaryText(3), "");

    data->setFilter("id < 3");
    EXPECT_EQ(grid->summaryText(0), "5");

    const int x = grid->horizontalHeader()->sectionViewportPosition(0) + 5;
    EXPECT_EQ(grid->summaryColumnAt(x), 0);
    grid->copySummaryToClipboard(grid->summaryColumnAt(x));
    EXPECT_EQ(QApplication::clipboard()->text(), "5");
    grid->setSummaryVisible(false);
    EXPECT_FALSE(grid->summaryBar()->isVisible());
}

TEST_F(ListaGridTest, ColumnLayoutAndHintsOfCutOffCells)
{
    grid->setColumnWidth(3, 77);
    grid->setColumnVisible("id", false);
    grid->moveColumn("miasto", 0);
    const auto layout = grid->columnLayout();
    ASSERT_EQ(layout.size(), 4u);
    EXPECT_EQ(layout[0].fieldName, "miasto");
    EXPECT_EQ(layout[0].width, 77);
    EXPECT_EQ(layout[1].fieldName, czy_zaznaczono_ramka);
    EXPECT_FALSE(layout[2].visible);
    grid->setColumns(layout);
    EXPECT_EQ(grid->gridModel()->column(0).fieldName, "miasto");
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(0), 0);
    EXPECT_TRUE(grid->isColumnHidden(2));

    open({{1, "Przedsiębiorstwo Handlowo-Usługowe o bardzo długiej nazwie", "A"}, {2, "Krótka", "B\nC"}});
    grid->setColumnWidth(2, 60);
    EXPECT_EQ(grid->hintTextAt(cellCentre(0, 2)), "Przedsiębiorstwo Handlowo-Usługowe o bardzo długiej nazwie");
    grid->setColumnWidth(2, 2000);
    EXPECT_TRUE(grid->hintTextAt(cellCentre(0, 2)).isEmpty());
    EXPECT_TRUE(grid->hintTextAt(cellCentre(0, 3)).isEmpty());
    EXPECT_EQ(grid->hintTextAt(cellCentre(1, 3)), "B\nC"); // shown on one line, so the hint gives the lines
    EXPECT_TRUE(grid->hintTextAt(cellCentre(0, 0)).isEmpty());
}

TEST_F(ListaGridTest, RowsAreDrawnInThePaletteColours)
{
    host::var::ListaKolorNiezaznaczonyGl.set(0x00FFFF);  // yellow
    host::var::ListaKolorNiezaznaczonyPom.set(0xFF0000); // blue
    host::var::ListaKolorZaznaczone.set(0x00FF00);       // green
    host::setPaletaStala(false);
    grid->reloadPalette();
    clickRow(3);
    EXPECT_EQ(pixel(0, 3), QColor(Qt::yellow));
    EXPECT_EQ(pixel(1, 3), QColor(Qt::blue));
    EXPECT_EQ(pixel(2, 3), QColor(Qt::yellow));
    EXPECT_EQ(pixel(3, 3), QColor(Qt::green));

    host::setPaletaStala(true);
    grid->reloadPalette();
    EXPECT_EQ(grid->listPalette(), ListPalette::fixed());
    EXPECT_EQ(pixel(1, 3), ListPalette::fixed().evenRowBackground);
}

} // namespace
