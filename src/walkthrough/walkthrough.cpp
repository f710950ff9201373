#include "walkthrough.h"

#include "access.h"
#include "alertcontroller.h"
#include "camera.h"
#include "combobox.h"
#include "common.h"
#include "imagepickercontroller.h"
#include "imagepickerfunc.h"
#include "menuviewcontroller.h"
#include "printurl.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
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

// The alert on top when it has this title.
AlertController *alertTitled(const QString &title) {
    auto *alert = top<AlertController>();
    return alert && alert->title() == title ? alert : nullptr;
}

// A picker on top whose rows are in (with at least one row unless `mayBeEmpty`).
comboBox *loadedPicker(bool mayBeEmpty = false) {
    auto *picker = top<comboBox>();
    if (!picker || !picker->isViewLoaded() || picker->isLoading())
        return nullptr;
    return mayBeEmpty || !picker->shownRows().isEmpty() ? picker : nullptr;
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
        {QStringLiteral("report-closed"),
         [] { top<ReportViewController>()->leftBarButtonItem()->trigger(); }, // "Done"
         [list] { return list() && list()->IsReportSearchActive; }},
        {QStringLiteral("open-logs-again"),
         [list] {
             list()->showMenu();
             if (auto *menu = top<MenuViewController>())
                 menu->didSelectRow(0, static_cast<int>(MenuViewController::rowKeys.indexOf(
                                           QStringLiteral("SecurityLog"))));
         },
         [list] {
             return list() && !list()->IsReportSearchActive &&
                    list()->title() == QLatin1String("Security Log") &&
                    list()->fromSearch == QLatin1String("No") && !list()->DATA.isEmpty() &&
                    shownRows(list()) == list()->DATA.size();
         }},
    };
    addNewLogSteps();
    addExistingLogSteps();
    addReportSteps();
    addScanSteps();
    addDCStateSteps();
}

void Walkthrough::addNewLogSteps() {
    // Someone the server has never seen: found by nobody, so the guard adds them.
    static const QString mobile = QStringLiteral("90000 24680");
    static const QString name = QStringLiteral("Kavin Selvam");
    auto list = [] { return top<securityLogTVC>(); };
    auto person = [] { return top<securityAddNewPerson>(); };
    auto form = [this] {
        return m_form && top<securityLogDetailView>() == m_form ? m_form.data() : nullptr;
    };
    // A picker of the form's entry section, and the choice that fills its row.
    auto pickerSteps = [this, form](const QString &name, int row,
                                    labelCell *securityLogDetailView::*cell, const QString &typed) {
        m_steps.append(
            {name + QStringLiteral("-picker"),
             [this, row] { m_form->didSelectRow(securityLogDetailView::EntrySection, row); },
             [typed] { return loadedPicker(!typed.isEmpty()) != nullptr; }});
        m_steps.append({name + QStringLiteral("-chosen"),
                        [typed] {
                            comboBox *picker = top<comboBox>();
                            if (typed.isEmpty()) {
                                picker->didSelectRow(0, 0);
                            } else {
                                // Nothing on record for a new mobile: the vehicle is typed.
                                picker->setSearchText(typed);
                                picker->done();
                            }
                        },
                        [form, cell] { return form() && !(form()->*cell)->text().isEmpty(); }});
    };
    m_steps.append({
        {QStringLiteral("new-mobile-search"), [list] { list()->searchController->setText(mobile); },
         [list] {
             return list() && list()->fromSearch == QLatin1String("Yes") &&
                    list()->DATA.isEmpty() && shownRows(list()) == 0;
         }},
        {QStringLiteral("add-new-person-question"),
         [list] { list()->searchBarSearchButtonClicked(); }, // the keyboard's return
         [] {
             auto *alert = alertTitled(QStringLiteral("Alert !"));
             return alert && alert->message() == QLatin1String("Add New Person ?");
         }},
        {QStringLiteral("person-screen"),
         [] { top<AlertController>()->tap(QStringLiteral("Yes")); },
         [person] {
             return person() && person()->isViewLoaded() && person()->cMobileNo->text() == mobile;
         }},
        {QStringLiteral("photo-source"),
         [person] {
             person()->cPerson->setText(name);
             person()->cAddress->setText(QStringLiteral("7 Mill Road, Tiruppur"));
             person()->cPersonImage->theimageTAP();
         },
         [] { return alertTitled(ImagePickerFunc::sourceAlertTitle()) != nullptr; }},
        {QStringLiteral("camera"),
         [] { top<AlertController>()->tap(QStringLiteral("Take Picture")); },
         [] {
             auto *picker = top<ImagePickerController>();
             return picker && picker->camera() && picker->camera()->isActive();
         },
         800}, // the first frames reach the viewfinder
        {QStringLiteral("photo-taken"), [] { top<ImagePickerController>()->takePicture(); },
         [person] { return person() && !person()->cPersonImage->theimage().isNull(); }},
        {QStringLiteral("designation-picker"),
         [person] { person()->didSelectRow(0, securityAddNewPerson::DesignationRow); },
         [] { return loadedPicker() != nullptr; }},
        {QStringLiteral("person-filled"), [] { top<comboBox>()->didSelectRow(0, 0); },
         [person] { return person() && !person()->cDesignation->text().isEmpty(); }},
        {QStringLiteral("new-log-form"), [person] { person()->AddPersonDetails(); }, // "Done"
         [this] {
             auto *shown = top<securityLogDetailView>();
             if (!shown || !shown->isViewLoaded() || shown->header->name() != name)
                 return false;
             m_form = shown;
             return true;
         }},
    });
    pickerSteps(QStringLiteral("vehicle"), 0, &securityLogDetailView::cellVehile,
                QStringLiteral("TN 38 KS 2468"));
    pickerSteps(QStringLiteral("meet-to"), 1, &securityLogDetailView::cellMeetTo, {});
    pickerSteps(QStringLiteral("entry-type"), 2, &securityLogDetailView::cellEntryType, {});
    pickerSteps(QStringLiteral("purpose"), 4, &securityLogDetailView::cellPurpose, {});
    addPartySteps();
    addDCListSteps();
    m_steps.append({
        {QStringLiteral("save-sheet"),
         [this] {
             m_form->cellTockenNo->setText(QStringLiteral("T-042"));
             m_form->SaveSecurityLog();
         },
         [] { return alertTitled(QStringLiteral("More")) != nullptr; }},
        {QStringLiteral("saved"),
         [] { top<AlertController>()->tap(QStringLiteral("Save & Print")); },
         [] { return alertTitled(QStringLiteral("Alert")) != nullptr; }},
        {QStringLiteral("new-log-report"),
         [this] {
             m_savedLog = top<AlertController>()->message();
             say(QStringLiteral("saved new log ") + m_savedLog);
             top<AlertController>()->tap(QStringLiteral("ok"));
         },
         [this] {
             auto *report = top<ReportViewController>();
             return report && report->state() == QLatin1String("shown") &&
                    report->url().query().contains(QStringLiteral("SecIOLog_id=") + m_savedLog +
                                                   QLatin1Char('&'));
         },
         1500},
        {QStringLiteral("new-log-listed"),
         [] { top<ReportViewController>()->leftBarButtonItem()->trigger(); }, // "Done"
         [this, list] {
             return list() && list()->fromSearch == QLatin1String("No") &&
                    rowOfLog(list()->DATA, m_savedLog) >= 0 &&
                    shownRows(list()) == list()->DATA.size();
         }},
    });
}

void Walkthrough::addExistingLogSteps() {
    auto list = [] { return top<securityLogTVC>(); };
    // Opens the log from the list; waits until its form shows what the server holds of it.
    auto openLog = [this, list](const QStringList &candidates, QString *opened) {
        for (const QString &id : candidates) {
            const int row = rowOfLog(list()->DATA, id);
            if (row >= 0) {
                *opened = id;
                list()->didSelectRow(0, row);
                return;
            }
        }
        fail(QStringLiteral("none of the logs ") + candidates.join(QStringLiteral(", ")) +
             QStringLiteral(" is open in this division"));
    };
    auto shownForm = [](const QString &id) -> securityLogDetailView * {
        auto *form = top<securityLogDetailView>();
        return form && form->isViewLoaded() && form->SecIOLog_id == id ? form : nullptr;
    };
    auto documentsLog = std::make_shared<QString>();
    auto viewOnlyLog = std::make_shared<QString>();
    m_steps.append({
        // The demo logs with IN and OUT documents that stay open.
        {QStringLiteral("log-with-documents"),
         [openLog, documentsLog] {
             openLog({QStringLiteral("34"), QStringLiteral("31")}, documentsLog.get());
         },
         [shownForm, documentsLog] {
             auto *form = shownForm(*documentsLog);
             return form && !form->PartyINSectionCollView.isEmpty() &&
                    !form->PartyOUTSectionCollView.isEmpty();
         },
         800}, // the document pictures load
    });
    addStorePOSteps(documentsLog);
    m_steps.append({
        {QStringLiteral("back-to-list"), [] { top<AlertController>()->tap(QStringLiteral("ok")); },
         [list] { return list() != nullptr; }},
        // Open, but past its update time: the form only shows it.
        {QStringLiteral("view-only-log"),
         [openLog, viewOnlyLog] { openLog({QStringLiteral("25")}, viewOnlyLog.get()); },
         [shownForm, viewOnlyLog] {
             auto *form = shownForm(*viewOnlyLog);
             return form && form->IsUpdateable == QLatin1String("No") && !form->brbSave &&
                    !form->rightBarButtonItem();
         },
         800},
    });
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
    if (!m_failed) // an action may find it cannot go on
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
    m_failed = true;
    m_poll.stop();
    say(QStringLiteral("step %1 %2: FAILED: %3")
            .arg(m_index + 1)
            .arg(m_steps.at(m_index).name, why));
    Q_EMIT finished(1);
}
