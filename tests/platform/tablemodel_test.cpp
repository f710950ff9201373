#include "tablemodel.h"
#include "tableviewcontroller.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

// A list screen over one-letter rows; its swipe "Delete" removes the row as list screens do.
class TextTable : public TableViewController {
public:
    explicit TextTable(QStringList sections) : data(std::move(sections)) {}
    int numberOfSections() const override { return int(data.size()); }
    int numberOfRows(int section) const override { return int(data.at(section).size()); }
    QVariantMap cellForRow(int section, int row) override {
        return {{QStringLiteral("text"), data.at(section).at(row)}};
    }
    QList<SwipeAction> trailingSwipeActions(int section, int row) override {
        return {{QStringLiteral("Delete"), QColor(), [this, section, row](auto done) {
                     data[section].remove(row, 1);
                     deleteRow(section, row);
                     done(true);
                 }}};
    }
    // The model, watched by QAbstractItemModelTester: any breach aborts with its message.
    TableModel *model() {
        auto *model = qobject_cast<TableModel *>(tableModel());
        if (!tester)
            tester = std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        return model;
    }
    QStringList data; // one text per section, one letter per row
    std::unique_ptr<QAbstractItemModelTester> tester;
};

// The rows as drawn, each checked against the controller's own (section, row).
QString shown(const TableModel &model, const TextTable &table) {
    QString texts;
    for (int i = 0; i < model.rowCount(); ++i) {
        const QModelIndex index = model.index(i);
        const int s = index.data(TableModel::SectionRole).toInt();
        const int r = index.data(TableModel::RowRole).toInt();
        texts += index.data(TableModel::CellRole).toMap().value("text").toString();
        EXPECT_EQ(texts.back(), table.data.at(s).at(r)) << i;
    }
    return texts;
}

// The flat list the view draws skips the empty middle section: "abc" "" "de". A swipe deletes
// as list screens do; two in a row must see the renumbered rows.
TEST(Table, DeletingARowRemovesExactlyThatRow) {
    for (const auto &[section, row] : {std::pair{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}}) {
        const int flat = section ? 3 + row : row;
        TextTable table({"abc", "", "de"});
        QSignalSpy removed(table.model(), &QAbstractItemModel::rowsRemoved);
        table.data[section].remove(row, 1);
        table.deleteRow(section, row);
        ASSERT_EQ(removed.count(), 1) << flat;
        EXPECT_EQ(removed.at(0).mid(1), (QVariantList{flat, flat}));
        EXPECT_EQ(shown(*table.model(), table), QStringLiteral("abcde").remove(flat, 1));
    }
    TextTable table({"a", "bcd"});
    TableModel *model = table.model();
    model->triggerSwipeAction(9, 0); // no such row
    model->triggerSwipeAction(1, 7); // no such action
    model->triggerSwipeAction(2, 0);
    model->triggerSwipeAction(2, 0);
    EXPECT_EQ(shown(*table.model(), table), QStringLiteral("ab"));
    table.data = {"xyz"};
    table.reloadData();
    EXPECT_EQ(shown(*table.model(), table), QStringLiteral("xyz"));
}

} // namespace
