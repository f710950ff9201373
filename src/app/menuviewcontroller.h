#pragma once

#include "persondetailsview.h"
#include "tableviewcontroller.h"

#include <QMap>

class securityLogTVC;

// The menu: who is logged in, and the way to every function of the client.
class MenuViewController : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(PersonDetailsView *header READ headerView CONSTANT)
public:
    explicit MenuViewController(QObject *parent = nullptr);
    QString qmlView() const override { return QStringLiteral("qrc:/SecLog/app/MenuPage.qml"); }

    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;

    // The keys of the rows, in order.
    static const QStringList rowKeys;

    PersonDetailsView *header;
    QMap<QString, QString> DATA;

    PersonDetailsView *headerView() const { return header; }

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void fillHeader();
    securityLogTVC *listScreen() const;
    void close();
};
