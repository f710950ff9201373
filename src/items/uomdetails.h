#pragma once

#include "fetchdata.h"
#include "formcells.h"
#include "rows.h"
#include "searchcontroller.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QImage>
#include <QPointer>

// The units of measure, the last step of adding an item the master does not have: choosing one
// makes the new item row (name, unit, photo, quantity 1) and hands it to the particulars
// screen. A generic server list keyed by `param`; each list is fetched once a run.
class UOMDetails : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(SearchController *searchController READ search CONSTANT)
public:
    explicit UOMDetails(QObject *parent = nullptr);
    ~UOMDetails() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/platform/SearchTablePage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int, int) const override { return 40; }
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;

    void searchTextChanged(const QString &text);
    SearchController *search() const { return searchController; }

    Rows DATA;
    Rows TOTALDATA;
    // The label a list other than the units writes its choice into.
    QPointer<labelCell> selectedElement;
    SearchController *searchController;
    QString itemId;
    QString url;
    QString param;
    QString datafield;
    QString valuefield;
    QImage ItemImg;
    QString itemName;

protected:
    void viewDidLoad() override;

private:
    void show(const Rows &rows);
    void chooseUnit(const Row &unit);

    std::shared_ptr<FetchTask> m_load;
};
