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
    QVariantMap cellForRow(int section, int row) override {
        return {{QStringLiteral("text"), data.at(section).at(row)}};
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
    QList<QPair<int, int>> flagged, selected;
};

QStringList shownTexts(const QAbstractItemModel &model) {
    QStringList texts;
    for (int i = 0; i < model.rowCount(); ++i)
        texts << model.index(i, 0).data(TableModel::CellRole).toMap().value("text").toString();
    return texts;
}

// The model tester reports through warnings; every test here fails on any of them.
QStringList g_modelWarnings;
class TableModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_modelWarnings.clear();
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &c, const QString &msg) {
                if (type != QtDebugMsg && QByteArray(c.category) == "qt.modeltest")
                    g_modelWarnings.append(msg);
            });
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join(u'\n').toStdString();
    }
    TableModel *watch(TextTable &table) {
        auto *model = qobject_cast<TableModel *>(table.tableModel());
        tester = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
        return model;
    }
    QtMessageHandler previous = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

struct DeleteCase {
    const char *name;
    int section, row, flatIndex;
    QStringList remaining;
};

class TableModelDelete : public TableModelTest, public ::testing::WithParamInterface<DeleteCase> {};

// The flat list skips the empty middle section.
TEST_P(TableModelDelete, RemovesExactlyThatRowAndRenumbersItsSection) {
    const DeleteCase &c = GetParam();
    TextTable table({{"a", "b", "c"}, {}, {"d", "e"}});
    TableModel *model = watch(table);
    EXPECT_EQ(shownTexts(*model), (QStringList{"a", "b", "c", "d", "e"}));
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);

    table.data[c.section].removeAt(c.row);
    table.deleteRow(c.section, c.row);

    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), c.flatIndex);
    EXPECT_EQ(removed.at(0).at(2).toInt(), c.flatIndex);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(shownTexts(*model), c.remaining);
    // Every row still points at the controller's own (section, row), and has its height.
    for (int i = 0; i < model->rowCount(); ++i) {
        const int s = model->index(i).data(TableModel::SectionRole).toInt();
        const int r = model->index(i).data(TableModel::RowRole).toInt();
        EXPECT_EQ(table.data.at(s).at(r), c.remaining.at(i));
        EXPECT_EQ(model->index(i).data(TableModel::HeightRole).toReal(), 40 + s * 10 + r);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableModelDelete,
    ::testing::Values(DeleteCase{"FirstOfFirst", 0, 0, 0, {"b", "c", "d", "e"}},
                      DeleteCase{"MiddleOfFirst", 0, 1, 1, {"a", "c", "d", "e"}},
                      DeleteCase{"LastOfFirst", 0, 2, 2, {"a", "b", "d", "e"}},
                      DeleteCase{"FirstOfThird", 2, 0, 3, {"a", "b", "c", "e"}},
                      DeleteCase{"LastOfThird", 2, 1, 4, {"a", "b", "c", "d"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TableModelTest, SwipeAndSelectReachTheRightRow) {
    TextTable table({{"a"}, {"b", "c", "d"}});
    TableModel *model = watch(table);
    const QVariantList actions = model->swipeActions(2);
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions.at(1).toMap().value("title").toString(), QStringLiteral("Flag"));
    EXPECT_TRUE(model->swipeActions(4).isEmpty());

    model->triggerSwipeAction(2, 1); // flags (1, 1)
    model->triggerSwipeAction(9, 1); // no such row
    model->triggerSwipeAction(1, 7); // no such action
    model->select(3);
    model->select(-1);
    EXPECT_EQ(table.flagged, (QList<QPair<int, int>>{{1, 1}}));
    EXPECT_EQ(table.selected, (QList<QPair<int, int>>{{1, 2}}));
    // Two deletes in a row: the second must see the renumbered rows.
    model->triggerSwipeAction(2, 0);
    model->triggerSwipeAction(2, 0);
    EXPECT_EQ(shownTexts(*model), (QStringList{"a", "b"}));
    EXPECT_EQ(table.data.at(1), QStringList{"b"});
}

TEST_F(TableModelTest, ReloadResetsToTheControllersData) {
    TextTable table({{"a"}});
    TableModel *model = watch(table);
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

TEST(TableModelGone, ControllerGoneLeavesAnEmptyAnswer) {
    TableModel model;
    auto *table = new TextTable({{"a"}});
    model.setController(table);
    delete table;
    EXPECT_FALSE(model.data(model.index(0), TableModel::CellRole).isValid());
    EXPECT_TRUE(model.swipeActions(0).isEmpty());
    model.select(0); // must not crash
}

} // namespace
