#pragma once

#include "fetchdata.h"
#include "rows.h"
#include "searchcontroller.h"
#include "sectionentry.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QList>
#include <QVariantMap>

class securityAddPartyDetails;

// The items of a party entry: the item master searched as the guard types, the chosen items in
// a strip on top, and a way to add an item the master does not have (photo, then unit).
class securityAddParticulars : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(SearchController *searchController READ search CONSTANT)
    Q_PROPERTY(QVariantMap strip READ strip NOTIFY stripChanged)
public:
    explicit securityAddParticulars(QObject *parent = nullptr);
    ~securityAddParticulars() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/items/SecurityAddParticularsPage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int, int) const override { return 74; }
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;
    void scrollViewWillBeginDragging() override { searchController->resignFirstResponder(); }

    void searchTextChanged(const QString &text);
    // The keyboard's search button: offers to add the typed item to the master's list.
    void searchButtonClicked();
    void Done();
    void Cancel();

    // A double tap on a chosen item's tile asks to take it off the list.
    Q_INVOKABLE void itemDoubleTapped(int section, int row, int item);
    // A tile's single tap does nothing here.
    Q_INVOKABLE void itemTapped(int, int, int) {}

    // An item the guard made (its photo and unit chosen): chosen, and the search cleared.
    void addNewItem(const ItemRow &item);

    SearchController *search() const { return searchController; }
    QVariantMap strip() const;

    Rows DATA;
    SearchController *searchController;
    SectionEntry collView;
    qreal offSetX = 15;
    qreal offSetY = 6;
    QString valueField;
    QString dataField;
    QString imageField;

Q_SIGNALS:
    void stripChanged();

private:
    // Tells the strip to redraw, from the main queue.
    void reloadStrip();
    void openUnits(const QImage &photo);
    bool isChosen(const QString &itemId) const;
    void showRows(const Rows &rows);

    // One row object per search result, drawn by the item cell.
    QList<ItemRow> m_resultRows;
    std::shared_ptr<FetchTask> m_fetcher;
};
