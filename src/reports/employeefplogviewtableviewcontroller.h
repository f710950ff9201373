#pragma once

#include "combobox.h"
#include "persondetailsview.h"
#include "rows.h"
#include "tableviewcontroller.h"

// One employee's fingerprint punches of the last two days, the employee picked from a
// searchable list and shown in the header.
class EmployeeFPLogViewTableViewController : public TableViewController, public comboBoxDelegate {
    Q_OBJECT
    Q_PROPERTY(PersonDetailsView *header READ headerView CONSTANT)
public:
    explicit EmployeeFPLogViewTableViewController(QObject *parent = nullptr);
    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/reports/EmployeeFPLogPage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;

    // The "add" button: the employee picker over this screen.
    void openEmployeePicker();
    // Asks for the punches of employee `code`; `empName` names the employee when none came.
    void requestPunches(const QString &code, const QString &empName = {});

    void box(comboBox *box, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &cells) override;
    void box(comboBox *box, const QString &element, int row, const QMap<QString, QString> &data,
             QVariantMap &cell) override;

    // The picker's "Parameters" text for branch `branchCode`.
    static QString employeeSearchParameters(const QString &branchCode);
    // The header's address line: department and designation, or the department alone.
    static QString addressLine(const QString &department, const QString &designation);

    PersonDetailsView *header;
    Rows DATA;

    PersonDetailsView *headerView() const { return header; }

protected:
    void viewDidLoad() override;

private:
    void fillHeader(const Row &first);
    void sayNoPunches(const QString &empName);
};
