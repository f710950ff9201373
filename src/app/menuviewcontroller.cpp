#include "menuviewcontroller.h"

#include "access.h"
#include "commonclass.h"
#include "employeefplogviewtableviewcontroller.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "securitylogtvc.h"
#include "securitytableviewcontroller.h"
#include "sessionevents.h"
#include "userdefaults.h"
#include "vclogin.h"

const QStringList MenuViewController::rowKeys{
    QStringLiteral("SecurityLog"), QStringLiteral("QRScan"), QStringLiteral("Report"),
    QStringLiteral("Chart"),       QStringLiteral("EmpLog"), QStringLiteral("LogOut")};

MenuViewController::MenuViewController(QObject *parent)
    : TableViewController(false, parent), header(new PersonDetailsView(this)) {
    setTitle(QStringLiteral("Menu"));
}

void MenuViewController::viewDidLoad() {
    setBackgroundColor(CommonClass::shared().tableViewRowBC);
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { close(); }, this));
}

void MenuViewController::viewWillAppear(bool) {
    DATA = {{QStringLiteral("SecurityLog"), QStringLiteral("SecurityLog")},
            {QStringLiteral("QRScan"), QStringLiteral("Scan DC(QR Code)")},
            {QStringLiteral("Report"), QStringLiteral("Report")},
            {QStringLiteral("Chart"), QStringLiteral("Summary Report")},
            {QStringLiteral("EmpLog"), QStringLiteral("Employee Logs")},
            {QStringLiteral("LogOut"), QStringLiteral("Log Out")}};
    if (header->name().isEmpty() || header->name() != master.EmpName)
        MainQueue::async(this, [this] { fillHeader(); });
    reloadData();
}

void MenuViewController::fillHeader() {
    header->setName(master.EmpName);
    header->setMobileNo(master.Department);
    header->setAddress(master.DivisionName);
    header->setImagePath(master.ImagePath);
}

int MenuViewController::numberOfRows(int) const {
    return int(DATA.size());
}

qreal MenuViewController::heightForRow(int, int) const {
    return 50;
}

QVariantMap MenuViewController::cellForRow(int, int row) {
    const auto &theme = CommonClass::shared();
    const QString key = rowKeys.value(row);
    return {{QStringLiteral("cellClass"), QStringLiteral("MenuCell")},
            {QStringLiteral("text"), DATA.value(key)},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("font"), theme.MediumFont},
            {QStringLiteral("background"), theme.tableViewRowBC}};
}

securityLogTVC *MenuViewController::listScreen() const {
    auto *presenting = qobject_cast<NavigationController *>(presentingViewController());
    return presenting ? presenting->viewControllerAt<securityLogTVC>(0) : nullptr;
}

void MenuViewController::close() {
    MainQueue::async(this, [this] { dismiss(true); });
}

void MenuViewController::didSelectRow(int, int row) {
    switch (row) {
    case 0:
        if (securityLogTVC *list = listScreen()) {
            list->IsReportSearchActive = false;
            list->setTitle(QStringLiteral("Security Log"));
            list->fromSearch = QStringLiteral("No");
            if (list->searchController)
                list->searchController->clear();
            list->loadOpenLogs();
        }
        close();
        break;
    case 1:
        if (NavigationController *nav = navigationController())
            nav->pushViewController(new qrCodeReaderViewController(), true);
        break;
    case 2:
        if (securityLogTVC *list = listScreen()) {
            if (list->searchController)
                list->searchController->clear();
            list->IsReportSearchActive = true;
            list->setTitle(QStringLiteral("Security Log Report"));
            list->fromSearch = QStringLiteral("No");
            list->reloadData();
        }
        close();
        break;
    case 3:
        if (NavigationController *nav = navigationController())
            nav->pushViewController(new securityTableViewController(), true);
        break;
    case 4:
        if (NavigationController *nav = navigationController())
            nav->pushViewController(new EmployeeFPLogViewTableViewController(), true);
        break;
    case 5: {
        UserDefaults::standard().removeAll();
        UserDefaults::standard().synchronize();
        SessionEvents::instance().endSession();
        auto *nav = new NavigationController(new VCLogin());
        CommonClass::shared().styleNavigation(nav);
        if (!navigationController() || !navigationController()->present(nav, true))
            delete nav;
        break;
    }
    default:
        break;
    }
}
