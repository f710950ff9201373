#include "tablemodel.h"
#include "tableviewcontroller.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

// A list screen over plain texts; its swipe "Delete" removes the row as list screens do.
class TextTable : public TableViewController {
public:
    explicit TextTable(QList<QStringList> sections) : data(std::move(sections)) {}

    int numberOfSections() const override { return int(data.size()); }
    int numberOfRows(int section) const override { return int(data.at(section).size()); }
    qreal heightForRow(int section, int row) const override { return 40 + section * 10 + row; }
    QString titleForHeader(int section) const override {
        return QStringLiteral("Section %1").arg(section);
    }
    QVariantMap cellForRow(int section, int row) override {
        return {{QStringLiteral("cellClass"), QStringLiteral("defaultCell")},
                {QStringLiteral("text"), data.at(section).at(row)}};
    }
    QList<SwipeAction> trailingSwipeActions(int section, int row) override {
        SwipeAction remove{QStringLiteral("Delete"), QColor(), [this, section, row](auto done) {
                               data[section].removeAt(row);
                               deleteRow(section, row);
                               done(true);
                           }};
        SwipeAction flag{QStringLiteral("Flag"), QColor(Qt::blue), [this, section, row](auto done) {
                             flagged.append({section, row});
                             done(true);
                         }};
        return {remove, flag};
    }
    void didSelectRow(int section, int row) override { selected.append({section, row}); }

    QList<QStringList> data;
    QList<QPair<int, int>> flagged;
    QList<QPair<int, int>> selected;
};

QStringList shownTexts(const TableModel &model) {
    QStringList texts;
    for (int i = 0; i < model.rowCount(); ++i)
        texts << model.data(model.index(i), TableModel::CellRole).toMap().value("text").toString();
    return texts;
}

// Model-tester complaints arrive as warnings; collect them so a test can fail on them.
QStringList *g_modelWarnings = nullptr;
void collectModelWarnings(QtMsgType type, const QMessageLogContext &context, const QString &msg) {
    if (g_modelWarnings && type != QtDebugMsg && QByteArray(context.category) == "qt.modeltest")
        g_modelWarnings->append(msg);
}

class TableModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_modelWarnings = &warnings;
        previous = qInstallMessageHandler(collectModelWarnings);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        g_modelWarnings = nullptr;
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(u'\n').toStdString();
    }
    QStringList warnings;
    QtMessageHandler previous = nullptr;
};

TEST_F(TableModelTest, FlattensSectionsIncludingEmptyOnes) {
    TextTable table({{"a", "b"}, {}, {"c"}});
    TableModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setController(&table);

    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(shownTexts(model), (QStringList{"a", "b", "c"}));
    const int expected[][3] = {{0, 0, 40}, {0, 1, 41}, {2, 0, 60}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QModelIndex index = model.index(i);
        EXPECT_EQ(model.data(index, TableModel::SectionRole).toInt(), expected[i][0]);
        EXPECT_EQ(model.data(index, TableModel::RowRole).toInt(), expected[i][1]);
        EXPECT_EQ(model.data(index, TableModel::HeightRole).toReal(), expected[i][2]);
        EXPECT_EQ(model.data(index, TableModel::SectionTitleRole).toString(),
                  QStringLiteral("Section %1").arg(expected[i][0]));
    }
    EXPECT_FALSE(model.data(model.index(3), TableModel::CellRole).isValid());
    EXPECT_EQ(model.roleNames().value(TableModel::HeightRole), QByteArray("rowHeight"));
}

struct DeleteCase {
    const char *name;
    int section;
    int row;
    int flatIndex;
    QStringList remaining;
};

class TableModelDelete : public TableModelTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(TableModelDelete, RemovesExactlyThatRowAndRenumbersItsSection) {
    const DeleteCase &c = GetParam();
    TextTable table({{"a", "b", "c"}, {"d", "e"}});
    auto *model = qobject_cast<TableModel *>(table.tableModel());
    ASSERT_NE(model, nullptr);
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);

    table.data[c.section].removeAt(c.row);
    table.deleteRow(c.section, c.row);

    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), c.flatIndex);
    EXPECT_EQ(removed.at(0).at(2).toInt(), c.flatIndex);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(shownTexts(*model), c.remaining);
    // Every row still points at the controller's own (section, row).
    for (int i = 0; i < model->rowCount(); ++i) {
        const int s = model->data(model->index(i), TableModel::SectionRole).toInt();
        const int r = model->data(model->index(i), TableModel::RowRole).toInt();
        EXPECT_EQ(table.data.at(s).at(r), c.remaining.at(i));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableModelDelete,
    ::testing::Values(DeleteCase{"FirstOfFirst", 0, 0, 0, {"b", "c", "d", "e"}},
                      DeleteCase{"MiddleOfFirst", 0, 1, 1, {"a", "c", "d", "e"}},
                      DeleteCase{"LastOfFirst", 0, 2, 2, {"a", "b", "d", "e"}},
                      DeleteCase{"FirstOfSecond", 1, 0, 3, {"a", "b", "c", "e"}},
                      DeleteCase{"LastOfSecond", 1, 1, 4, {"a", "b", "c", "d"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TableModelTest, DeletingTwiceInARowKeepsPositionsRight) {
    TextTable table({{"a", "b", "c", "d"}});
    auto *model = qobject_cast<TableModel *>(table.tableModel());
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Warning);
    model->triggerSwipeAction(1, 0); // deletes "b"
    model->triggerSwipeAction(1, 0); // now deletes "c"
    EXPECT_EQ(shownTexts(*model), (QStringList{"a", "d"}));
    EXPECT_EQ(table.data.at(0), (QStringList{"a", "d"}));
}

TEST_F(TableModelTest, ReloadResetsToTheControllersData) {
    TextTable table({{"a"}});
    auto *model = qobject_cast<TableModel *>(table.tableModel());
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    table.data = {{"x", "y"}, {"z"}};
    EXPECT_EQ(model->rowCount(), 1); // nothing changes until the screen says so
    table.reloadData();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(shownTexts(*model), (QStringList{"x", "y", "z"}));
    table.data = {};
    table.reloadData();
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(TableModelTest, SwipeActionsListTitlesAndColors) {
    TextTable table({{"a"}, {"b", "c"}});
    auto *model = qobject_cast<TableModel *>(table.tableModel());
    const QVariantList actions = model->swipeActions(2);
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions.at(0).toMap().value("title").toString(), QStringLiteral("Delete"));
    EXPECT_EQ(actions.at(0).toMap().value("color").value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(actions.at(1).toMap().value("title").toString(), QStringLiteral("Flag"));
    EXPECT_EQ(actions.at(1).toMap().value("color").value<QColor>(), QColor(Qt::blue));
    EXPECT_TRUE(model->swipeActions(3).isEmpty());
    EXPECT_TRUE(model->swipeActions(-1).isEmpty());
}

TEST_F(TableModelTest, SwipeAndSelectReachTheRightRow) {
    TextTable table({{"a"}, {"b", "c"}});
    auto *model = qobject_cast<TableModel *>(table.tableModel());
    struct Tap {
        int index;
        int action; // -1: select the row
    };
    for (const Tap &t : {Tap{2, 1}, Tap{0, 1}, Tap{2, -1}, Tap{9, 1}, Tap{1, 7}, Tap{-1, -1}}) {
        if (t.action < 0)
            model->select(t.index);
        else
            model->triggerSwipeAction(t.index, t.action);
    }
    EXPECT_EQ(table.flagged, (QList<QPair<int, int>>{{1, 1}, {0, 0}}));
    EXPECT_EQ(table.selected, (QList<QPair<int, int>>{{1, 1}}));
    EXPECT_EQ(model->rowCount(), 3);
}

TEST_F(TableModelTest, ControllerGoneLeavesAnEmptyAnswer) {
    TableModel model;
    auto *table = new TextTable({{"a"}});
    model.setController(table);
    delete table;
    EXPECT_EQ(model.controller(), nullptr);
    EXPECT_FALSE(model.data(model.index(0), TableModel::CellRole).isValid());
    EXPECT_TRUE(model.swipeActions(0).isEmpty());
    model.select(0); // must not crash
}

} // namespace
