#pragma once

#include "tableviewcontroller.h"

#include <QVariantList>

// The documents that travelled with one movement: party, particulars, city, date and number.
// Its rows are handed to it; it asks the server for nothing.
class LogDetailTableViewController : public TableViewController {
    Q_OBJECT
public:
    explicit LogDetailTableViewController(QObject *parent = nullptr);

    int numberOfRows(int) const override { return int(THEDATA.size()); }
    qreal heightForRow(int, int) const override { return 100; }
    QVariantMap cellForRow(int section, int row) override;

    QVariantList THEDATA;
    QString thetitle;

protected:
    void viewDidLoad() override;
};
