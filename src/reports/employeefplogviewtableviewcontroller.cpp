#include "employeefplogviewtableviewcontroller.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "dbconnection.h"
#include "fetchdata.h"
#include "mainqueue.h"

#include <QPointer>

namespace {
const QString kEmployee = QStringLiteral("Employee");
const QColor kPhotoBackground = QColor::fromRgbF(1, 1, 1, 0.95f);

// The parts that are present, joined by " • ".
QString joined(const QStringList &parts) {
    QStringList present;
    for (const QString &part : parts)
        if (!part.isEmpty())
            present.append(part);
    return present.join(QStringLiteral(" • "));
}
} // namespace

EmployeeFPLogViewTableViewController::EmployeeFPLogViewTableViewController(QObject *parent)
    : TableViewController(true, parent), header(new PersonDetailsView(this)) {
    setTitle(QStringLiteral("Employee Logs"));
}

void EmployeeFPLogViewTableViewController::viewDidLoad() {
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("add"), [this] { openEmployeePicker(); }, this));
    header->setPhotoBackground(kPhotoBackground);
    setBackgroundColor(CommonClass::shared().tableViewRowBC);
}

QString EmployeeFPLogViewTableViewController::employeeSearchParameters(const QString &branchCode) {
    // The server reads this hand-built text with single quotes, so a quote or a backslash in the
    // branch code is escaped with a backslash to keep the text whole.
    QString escaped;
    for (const QChar c : branchCode) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('\\'))
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return QStringLiteral("[{'BranchCode':'") + escaped +
           QStringLiteral("','SP_Type':'EMPLOYEE_SEARCH'}]");
}

void EmployeeFPLogViewTableViewController::openEmployeePicker() {
    comboBox::ListOptions options;
    options.title = kEmployee;
    options.element = kEmployee;
    options.url = servicesdatabase + QStringLiteral("/CommonGetSearchData");
    options.parameters = {
        {QStringLiteral("SP_Name"), QStringLiteral("Usp_Production_Sel")},
        {QStringLiteral("Parameters"), employeeSearchParameters(master.BranchCode)},
        {QStringLiteral("LikeStr"), QString()}};
    options.loadtype = QStringLiteral("0");
    options.valueField = QStringLiteral("Employee_id");
    options.dataFields = {QStringLiteral("EmpName"),    QStringLiteral(" ("),
                          QStringLiteral("EmpCode"),    QStringLiteral(")"),
                          QStringLiteral("Department"), QStringLiteral(" • "),
                          QStringLiteral("Designation")};
    options.imageField = QStringLiteral("ImagePath");
    options.searchField = QStringLiteral("LikeStr");
    options.cellClass = QStringLiteral("imageLabelCell");
    options.reuseIdentifier = QStringLiteral("comboCell");
    auto *picker = new comboBox(options);
    picker->setDelegate(this, this);
    picker->setBackgroundColor(CommonClass::shared().tableViewRowBC);
    if (!picker->show(this))
        delete picker;
}

void EmployeeFPLogViewTableViewController::box(comboBox *, const QString &element, int,
                                               const QMap<QString, QString> &data,
                                               QVariantMap &cell) {
    if (element != kEmployee)
        return;
    cell.insert(QStringLiteral("text"),
                data.value(QStringLiteral("EmpName")) + QStringLiteral(" (") +
                    data.value(QStringLiteral("EmpCode")) + QStringLiteral(")"));
    cell.insert(QStringLiteral("detail"), joined({data.value(QStringLiteral("Department")),
                                                  data.value(QStringLiteral("Designation"))}));
}

void EmployeeFPLogViewTableViewController::box(comboBox *, const QString &, const QString &element,
                                               const QList<QMap<QString, QString>> &data,
                                               const QVariantList &) {
    if (element != kEmployee || data.isEmpty())
        return;
    requestPunches(data.first().value(QStringLiteral("EmpCode")),
                   data.first().value(QStringLiteral("EmpName")));
}

void EmployeeFPLogViewTableViewController::requestPunches(const QString &code,
                                                          const QString &empName) {
    const QVariantMap request{
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("ReqType"), QStringLiteral("SELECT_LASTTWODAYSLOG")},
                     {QStringLiteral("EmpCode"), code}}},
        {QStringLiteral("SPName"), QStringLiteral("USP_Security")},
        {QStringLiteral("withStrings"), true}};
    QPointer<EmployeeFPLogViewTableViewController> self(this);
    const QString who = empName.isEmpty() ? code : empName;
    fetchDATA::nodefetchD(request, [self, who](const QVariant &reply) {
        if (!self)
            return;
        // Only a list tells the employee has no punches; a failed or odd reply says nothing.
        if (reply.typeId() != QMetaType::QVariantList)
            return;
        const Rows rows = RowsReader::textRows(reply);
        if (rows.isEmpty()) {
            // The previous employee stays on screen; the guard is told why nothing changed.
            MainQueue::async(self, [self, who] { self->sayNoPunches(who); });
            return;
        }
        self->DATA = rows;
        MainQueue::async(self, [self] {
            self->fillHeader(self->DATA.first());
            self->reloadData();
        });
    });
}

QString EmployeeFPLogViewTableViewController::addressLine(const QString &department,
                                                          const QString &designation) {
    return designation.isEmpty() ? department : department + QStringLiteral(" • ") + designation;
}

void EmployeeFPLogViewTableViewController::fillHeader(const Row &first) {
    header->setName(RowsReader::text(first, QStringLiteral("EmpName")));
    header->setMobileNo(RowsReader::text(first, QStringLiteral("EmpCode")));
    header->setAddress(addressLine(RowsReader::text(first, QStringLiteral("Department")),
                                   RowsReader::text(first, QStringLiteral("Designation"))));
    const QString path = RowsReader::text(first, QStringLiteral("ImagePath"));
    header->setImagePath(path);
    if (path.isEmpty())
        header->setPhotoBackground(kPhotoBackground);
}

void EmployeeFPLogViewTableViewController::sayNoPunches(const QString &empName) {
    common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                       QStringLiteral("No punches in the last two days for ") +
                                           empName);
}

int EmployeeFPLogViewTableViewController::numberOfRows(int) const {
    return int(DATA.size());
}

qreal EmployeeFPLogViewTableViewController::heightForRow(int, int) const {
    return 60;
}

QVariantMap EmployeeFPLogViewTableViewController::cellForRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return {};
    const Row &punch = DATA.at(row);
    const auto &theme = CommonClass::shared();
    const auto text = [&punch](const char *key) {
        return RowsReader::text(punch, QString::fromLatin1(key));
    };
    return {{QStringLiteral("cellClass"), QStringLiteral("defaultCell")},
            {QStringLiteral("reuseIdentifier"), QStringLiteral("cell")},
            {QStringLiteral("text"), joined({text("FPLogStr"), text("FPModeStr")})},
            {QStringLiteral("detail"),
             joined({text("DivisionName"), text("FPDeviceName"), text("FPMode")})},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("background"), theme.tableViewRowBC}};
}
