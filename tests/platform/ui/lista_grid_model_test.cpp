// The table model over a data set: structure under sorting and filtering,
// cells read on demand, check boxes, selection and totals.
#include "lista_grid_model.h"
#include "ui_test_util.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace ui;
using uitest::field;

namespace {

class ListaGridModelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        data = uitest::dataSet({field("id", QMetaType::Int), field("nazwa", QMetaType::QString),
                                field("kwota", QMetaType::Double), field("aktywny", QMetaType::Bool),
                                field("flaga", QMetaType::Int), field("guid", QMetaType::QString)},
                               {{3, "Kot", 10.5, true, 0, "g3"},
                                {1, "łódź", 2.25, false, 1, "g1"},
                                {2, "Adam\r\nNowak", QVariant(), true, 5, "g2"},
                                {4, "Kowal", 100.0, false, 0, "g4"}});
        model.setLocale(QLocale::c());
        model.setDataSet(data.get());
        model.setColumns(columns());
        tester =
            std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    static std::vector<GridColumn> columns()
    {
        std::vector<GridColumn> list{GridColumn::selectionColumn()};
        for (const char *name : {"nazwa", "kwota", "aktywny", "flaga", "id"})
            list.push_back(uitest::column(name));
        list[1].title = "Tytuł nazwy";
        list[2].displayFormat = QStringLiteral(",0.00");
        list[2].alignment = Qt::AlignRight;
        list[4].checkBox = true;
        return list;
    }

    QString text(int row, int column) { return model.index(row, column).data().toString(); }
    QVariant check(int row, int column) { return model.index(row, column).data(Qt::CheckStateRole); }

    std::unique_ptr<db::DataSet> data;
    ListaGridModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ListaGridModelTest, CellsFollowTheDataSetsFilterCurrentRowAndReopening)
{
    QSignalSpy current(&model, &ListaGridModel::currentRowChanged);
    data->setRecNo(3);
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.at(0).at(0).toInt(), 2);

    data->disableControls();
    data->setFilter("id = 1");
    EXPECT_EQ(model.rowCount(), 4); // the view has not been told yet
    EXPECT_EQ(text(3, 1), "");
    data->enableControls();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(0, 1), "łódź");
    data->setFilter(QString());

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    data->openFromRows({field("id", QMetaType::Int), field("nazwa", QMetaType::QString)}, {{9, "Nowy"}});
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(0, 1), "Nowy");
    EXPECT_EQ(text(0, 2), ""); // the column's field is gone
    data->close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ListaGridModelTest, TextsAreFormattedOnOneLineAndBoolsAreCheckBoxes)
{
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Tytuł nazwy");
    EXPECT_EQ(text(0, 2), "10.50");
    EXPECT_EQ(text(2, 1), "Adam Nowak");
    EXPECT_EQ(model.index(2, 1).data(ListaGridModel::FullTextRole).toString(), "Adam\r\nNowak");
    EXPECT_EQ(model.index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);

    EXPECT_EQ(check(0, 3), Qt::Checked);
    EXPECT_FALSE(model.index(0, 3).data().isValid());
    EXPECT_EQ(check(0, 4), Qt::Unchecked);
    EXPECT_EQ(check(2, 4), Qt::Checked);
    EXPECT_FALSE(check(0, 1).isValid());
}

TEST_F(ListaGridModelTest, SelectionFlagAndKeyBelongToTheRow)
{
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.clickRow(1, false, false, false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(check(1, 0), Qt::Checked);
    EXPECT_EQ(check(0, 0), Qt::Unchecked);
    EXPECT_EQ(model.rowKey(1), (RowKey{1, "g1"}));
}

TEST_F(ListaGridModelTest, TotalsAndPrefixSearch)
{
    // Sums by field type and visible rows only: see the summary row in lista_grid_test.
    const auto totals = model.totals();
    ASSERT_EQ(totals.size(), 6u);
    EXPECT_EQ(totals[3].text(QLocale::c(), {}), ""); // bool
    EXPECT_EQ(totals[4].text(QLocale::c(), {}), ""); // a check-box column is not summed

    EXPECT_EQ(model.findPrefix(1, "Adam N"), 2); // as shown: on one line
}

} // namespace
