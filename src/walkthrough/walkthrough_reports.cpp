// The walkthrough's reports: the monthly summary with an older month loaded, a day's logs by
// hour and one log's documents; an employee's punches of the last two days; the scanner from
// the menu.

#include "walkthrough.h"

#include "combobox.h"
#include "common.h"
#include "employeefplogviewtableviewcontroller.h"
#include "logdetailcollectionviewcontroller.h"
#include "logdetailtableviewcontroller.h"
#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "securitytableviewcontroller.h"

#include <QAbstractItemModel>

namespace {
template <typename T> T *shown() {
    auto *vc = qobject_cast<T *>(common::sharedInstance().topViewController());
    return vc && vc->isViewLoaded() ? vc : nullptr;
}

void openMenuRow(const QString &key) {
    // Just presented, the menu may not have drawn yet; it takes the tap all the same.
    if (auto *menu =
            qobject_cast<MenuViewController *>(common::sharedInstance().topViewController()))
        menu->didSelectRow(0, int(MenuViewController::rowKeys.indexOf(key)));
}

// The first tile of the day whose log carried documents: {section, item}, or {-1, -1}.
QPair<int, int> tileWithDocuments(LogDetailCollectionViewController *day) {
    for (int s = 0; s < day->numberOfSections(); ++s)
        for (int i = 0; i < day->numberOfItems(s); ++i) {
            const QVariantMap tile = day->cellForItem(s, i);
            if (tile.value(QStringLiteral("badgeColor")).value<QColor>().alpha() > 0)
                return {s, i};
        }
    return {-1, -1};
}
} // namespace

void Walkthrough::addReportSteps() {
    auto summary = [] { return shown<securityTableViewController>(); };
    auto day = [] { return shown<LogDetailCollectionViewController>(); };
    auto employees = [] { return shown<EmployeeFPLogViewTableViewController>(); };
    m_steps.append({
        {QStringLiteral("list-again"), [] { shown<securityLogDetailView>()->brbCancel->trigger(); },
         [] { return shown<securityLogTVC>() != nullptr; }},
        {QStringLiteral("summary-report"),
         [] {
             shown<securityLogTVC>()->showMenu();
             openMenuRow(QStringLiteral("Chart"));
         },
         [summary] {
             // The table's first layout asks for this month.
             return summary() && summary()->numberOfSections() >= 1 && summary()->fetchable &&
                    summary()->numberOfRows(0) > 0;
         },
         300},
        {QStringLiteral("older-month"),
         [summary] { summary()->scrollViewDidScroll(0, 0, 0); }, // the end of the list in view
         [summary] {
             const int last = summary() ? summary()->numberOfSections() - 1 : -1;
             return last >= 1 && summary()->fetchable && summary()->numberOfRows(last) > 0;
         },
         300},
        {QStringLiteral("day-summary"), [summary] { summary()->didSelectRow(0, 0); },
         [day] { return day() && day()->numberOfSections() > 0; }, 800}, // the photos load
        {QStringLiteral("log-documents"),
         [this, day] {
             const auto [section, item] = tileWithDocuments(day());
             if (section < 0)
                 return fail(QStringLiteral("no log of the day carried documents"));
             day()->didSelectItem(section, item);
         },
         [] {
             auto *documents = shown<LogDetailTableViewController>();
             return documents && documents->numberOfRows(0) > 0;
         }},
        {QStringLiteral("documents-closed"),
         [] { shown<LogDetailTableViewController>()->leftBarButtonItem()->trigger(); },
         [day] { return day() != nullptr; }},
        {QStringLiteral("employee-logs"),
         [day] {
             // Back to the menu, then its employee logs.
             if (NavigationController *nav = day()->navigationController())
                 nav->popToRootViewController(false);
             openMenuRow(QStringLiteral("EmpLog"));
         },
         [employees] { return employees() != nullptr; }},
        {QStringLiteral("employee-picker"), [employees] { employees()->openEmployeePicker(); },
         [] {
             auto *picker = shown<comboBox>();
             return picker && !picker->isLoading() && !picker->shownRows().isEmpty();
         }},
        {QStringLiteral("employee-punches"),
         [] {
             // Someone who punched lately (not everyone in the demo did).
             comboBox *picker = shown<comboBox>();
             const Rows rows = picker->shownRows();
             int row = 0;
             for (int r = 0; r < rows.size(); ++r)
                 if (RowsReader::text(rows.at(r), QStringLiteral("EmpName")) ==
                     QLatin1String("Priya Menon"))
                     row = r;
             picker->didSelectRow(0, row);
         },
         [employees] { return employees() && !employees()->DATA.isEmpty(); }, 800},
        {QStringLiteral("qr-scanner"),
         [employees] {
             if (NavigationController *nav = employees()->navigationController())
                 nav->popToRootViewController(false);
             openMenuRow(QStringLiteral("QRScan"));
         },
         [] {
             auto *scanner = shown<qrCodeReaderViewController>();
             return scanner && scanner->cameraReady();
         },
         800}, // the first frames reach the preview
        {QStringLiteral("scanner-closed"),
         [] { shown<qrCodeReaderViewController>()->QRCodeCancel(); },
         [] { return shown<securityLogTVC>() != nullptr; }},
    });
}
