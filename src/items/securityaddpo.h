#pragma once

#include "fetchdata.h"
#include "itemdetailcell.h"
#include "rows.h"
#include "searchcontroller.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QList>
#include <QVariantList>

// The branch's store purchase orders, found by typing part of one. The chosen PO's lines become
// the items of a party entry, finished in the party details screen pushed on top.
class securityAddPO : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(SearchController *searchController READ search CONSTANT)
public:
    explicit securityAddPO(QObject *parent = nullptr);
    ~securityAddPO() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/platform/SearchTablePage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int, int) const override { return 60; }
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;
    void scrollViewWillBeginDragging() override { searchController->resignFirstResponder(); }

    void searchTextChanged(const QString &text);
    void Cancel();
    SearchController *search() const { return searchController; }

    // A PO line as an item row: ordered quantity on the badge, quantity 0 to be filled in.
    static ItemRow itemFromLine(const QVariantMap &line);

    Rows DATA;
    Rows OrgDATA;
    QVariantList POItemDetails;
    QString AccessFrom;
    QString IsUpdateable;
    QList<ItemRow> itemsCells;
    SearchController *searchController;
    std::shared_ptr<FetchTask> fetcher;

protected:
    void viewDidLoad() override;

private:
    void openParty(const Row &po);

    std::shared_ptr<FetchTask> m_lines;
};
