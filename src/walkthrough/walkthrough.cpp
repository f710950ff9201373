#include "walkthrough.h"

#include "access.h"
#include "alertcontroller.h"
#include "common.h"
#include "menuviewcontroller.h"
#include "printurl.h"
#include "securitylogtvc.h"
#include "vclogin.h"

#include <cstdio>
#include <QAbstractItemModel>
#include <QDir>

namespace {
constexpr int pollMs = 50;
constexpr int stepTimeoutMs = 15000;

template <typename T> T *top() {
    return qobject_cast<T *>(common::sharedInstance().topViewController());
}

void say(const QString &line) {
    std::printf("walkthrough: %s\n", qPrintable(line));
    std::fflush(stdout);
}

// The row of a log in what the list holds, or -1.
int rowOfLog(const Rows &rows, const QString &secIOLogId) {
    for (int row = 0; row < rows.size(); ++row)
        if (RowsReader::text(rows.at(row), QStringLiteral("SecIOLog_id")) == secIOLogId)
            return row;
    return -1;
}

// The rows the list's table view draws, which follow its reloads.
int shownRows(TableViewController *table) {
    auto *model = qobject_cast<QAbstractItemModel *>(table->tableModel());
    return model ? model->rowCount() : -1;
}
} // namespace

Walkthrough::Walkthrough(QString outputFolder, std::function<QImage()> grab, QObject *parent)
    : QObject(parent), m_folder(std::move(outputFolder)), m_grab(std::move(grab)) {
    m_poll.setInterval(pollMs);
    connect(&m_poll, &QTimer::timeout, this, &Walkthrough::poll);
    buildSteps();
}

void Walkthrough::buildSteps() {
    const QString user = qEnvironmentVariable("SECLOG_DEMO_USER", QStringLiteral("demo"));
    const QString password = qEnvironmentVariable("SECLOG_DEMO_PASSWORD", QStringLiteral("demo"));
    auto list = [] { return top<securityLogTVC>(); };
    m_steps = {
        {QStringLiteral("login-shown"),
         [] {
             // A guard still logged in from an earlier run logs out through the menu first.
             securityLogTVC *start = top<securityLogTVC>();
             if (start && start->IsHaveUserCredentials) {
                 start->showMenu();
                 if (auto *menu = top<MenuViewController>())
                     menu->didSelectRow(0, static_cast<int>(MenuViewController::rowKeys.indexOf(
                                               QStringLiteral("LogOut"))));
             }
         },
         [] { return top<VCLogin>() != nullptr; }},
        {QStringLiteral("logged-in"),
         [user, password] {
             if (VCLogin *login = top<VCLogin>()) {
                 login->usernamecell->setText(user);
                 login->pwdcell->setText(password);
                 login->login();
             }
         },
         [list] {
             // After a log out the login closes onto the menu: back to the list.
             if (auto *menu = top<MenuViewController>())
                 menu->leftBarButtonItem()->trigger();
             return list() && !master.Division_id.isEmpty() && !list()->DATA.isEmpty();
         }},
        {QStringLiteral("search"),
         [list] {
             const QString person =
                 RowsReader::text(list()->DATA.first(), QStringLiteral("IOPerson"));
             list()->searchController->setText(person.left(4));
         },
         [list] {
             // The people found replace the open logs once the reply is in.
             return list() && list()->fromSearch == QLatin1String("Yes") &&
                    !list()->DATA.isEmpty() && list()->DATA != list()->LoadDATA;
         }},
        {QStringLiteral("search-cleared"), [list] { list()->searchController->clear(); },
         [list] {
             return list() && list()->fromSearch == QLatin1String("No") &&
                    list()->DATA == list()->LoadDATA;
         }},
        {QStringLiteral("mark-out-confirmation"),
         [this, list] {
             m_markedOut = RowsReader::text(list()->DATA.first(), QStringLiteral("SecIOLog_id"));
             m_markedOutPerson = RowsReader::text(list()->DATA.first(), QStringLiteral("IOPerson"));
             list()->performSwipeAction(0, 0, 0); // "Out"
         },
         [] {
             return top<AlertController>() &&
                    top<AlertController>()->title() == QLatin1String("Alert");
         }},
        {QStringLiteral("marked-out"),
         [this] {
             top<AlertController>()->tap(QStringLiteral("ok"));
             say(QStringLiteral("marked OUT log ") + m_markedOut);
         },
         [this, list] { return list() && rowOfLog(list()->LoadDATA, m_markedOut) < 0; }},
        {QStringLiteral("menu"), [list] { list()->leftBarButtonItem()->trigger(); }, // "Menu"
         [] {
             auto *menu = top<MenuViewController>();
             return menu && !master.EmpName.isEmpty() && menu->header->name() == master.EmpName;
         }},
        {QStringLiteral("report-screen"),
         [] {
             top<MenuViewController>()->didSelectRow(
                 0,
                 static_cast<int>(MenuViewController::rowKeys.indexOf(QStringLiteral("Report"))));
         },
         [list] {
             return list() && list()->IsReportSearchActive &&
                    list()->title() == QLatin1String("Security Log Report");
         }},
        {QStringLiteral("report-search"),
         [this, list] {
             // The person whose log was just closed: the report finds that log with its OUT
             // time, across divisions.
             list()->searchController->setText(m_markedOutPerson);
         },
         [this, list] {
             if (!list() || !list()->IsReportSearchActive ||
                 list()->fromSearch != QLatin1String("Yes"))
                 return false;
             const int row = rowOfLog(list()->DATA, m_markedOut);
             return row >= 0 &&
                    !RowsReader::text(list()->DATA.at(row), QStringLiteral("OutTime")).isEmpty() &&
                    shownRows(list()) == list()->DATA.size();
         }},
        {QStringLiteral("report"),
         [this, list] {
             // "Print" is a report row's one swipe action.
             list()->performSwipeAction(0, rowOfLog(list()->DATA, m_markedOut), 0);
         },
         [] {
             auto *report = top<ReportViewController>();
             return report && report->state() == QLatin1String("shown");
         },
         1500},
    };
}

void Walkthrough::start() {
    QDir().mkpath(m_folder);
    m_index = 0;
    runStep();
}

void Walkthrough::runStep() {
    if (m_index >= m_steps.size()) {
        say(QStringLiteral("all %1 steps passed").arg(m_steps.size()));
        Q_EMIT finished(0);
        return;
    }
    m_waitedMs = 0;
    m_steps[m_index].action();
    m_poll.start();
}

void Walkthrough::poll() {
    const Step &step = m_steps.at(m_index);
    if (auto *report = top<ReportViewController>();
        report && report->state() == QLatin1String("failed"))
        return fail(QStringLiteral("the report did not load: ") + report->message());
    if (!step.done()) {
        m_waitedMs += pollMs;
        if (m_waitedMs >= stepTimeoutMs)
            fail(QStringLiteral("timed out"));
        return;
    }
    m_poll.stop();
    if (step.settleMs > 0)
        QTimer::singleShot(step.settleMs, this, &Walkthrough::finishStep);
    else
        finishStep();
}

void Walkthrough::finishStep() {
    const Step &step = m_steps.at(m_index);
    const QString file = QStringLiteral("%1/%2-%3.png")
                             .arg(m_folder)
                             .arg(m_index + 1, 2, 10, QLatin1Char('0'))
                             .arg(step.name);
    const bool saved = m_grab && m_grab().save(file);
    say(QStringLiteral("step %1 %2: ok%3")
            .arg(m_index + 1)
            .arg(step.name, saved ? QStringLiteral(" (") + file + QLatin1Char(')') : QString()));
    ++m_index;
    runStep();
}

void Walkthrough::fail(const QString &why) {
    m_poll.stop();
    say(QStringLiteral("step %1 %2: FAILED: %3")
            .arg(m_index + 1)
            .arg(m_steps.at(m_index).name, why));
    Q_EMIT finished(1);
}
