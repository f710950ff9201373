// Every screen that calls the server, against every way a reply can go wrong: the screen must
// neither crash nor lose what the guard typed, must keep (or empty) its rows, must say what
// the table below records, and must work again once a good reply comes.
#include "alertcontroller.h"
#include "combobox.h"
#include "common.h"
#include "commonclass.h"
#include "dcapprovalviewcontroller.h"
#include "dcdetailviewcontroller.h"
#include "employeefplogviewtableviewcontroller.h"
#include "faulttransport.h"
#include "fixtures.h"
#include "formcells.h"
#include "logdetailcollectionviewcontroller.h"
#include "manualtimer.h"
#include "navigationcontroller.h"
#include "persondetailsview.h"
#include "qrcodereaderviewcontroller.h"
#include "scannerdevices.h"
#include "securityaddparticulars.h"
#include "securityaddpartydetails.h"
#include "securityaddpo.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "securitytableviewcontroller.h"
#include "sessionfixture.h"
#include "shownscreen.h"
#include "validlogform.h"
#include "vclogin.h"
#include "window.h"

#include <algorithm>

#include <QJsonDocument>
#include <QPointer>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest/QTest>

namespace {

QByteArray json(const QVariant &value) {
    return QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact);
}

// A logged-in guard at the log list, every request answered by `net`.
struct World {
    explicit World(FaultTransport *transport) : net(transport) {
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        settle();
    }
    ~World() { CommonClass::shared().listDATA.clear(); }
    // Lets replies arrive, including those decoded on a worker thread.
    static void settle() {
        for (int i = 0; i < 4; ++i) {
            processEvents();
            QThreadPool::globalInstance()->waitForDone();
        }
        processEvents();
    }
    ViewController *top() const { return topmostScreen(root); }
    AlertController *alert() const {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }
    // What the guard is told: the alert on top, or the sounds played, or "silent".
    QString outcome() const {
        if (AlertController *a = alert())
            return "alert: " + a->title().left(48) + "/" + a->message().left(48);
        return played.isEmpty() ? QStringLiteral("silent") : "sound: " + played.join(',');
    }
    void closeAlerts() {
        while (AlertController *a = alert())
            a->dismiss(false);
        played.clear();
        settle();
    }
    securityLogDetailView *pushForm(const QString &id, const QString &updateable) {
        form = new securityLogDetailView();
        form->SecIOLog_id = id;
        form->IsUpdateable = updateable;
        root->pushViewController(form, false);
        settle();
        return form;
    }
    void fillForm() { fillValidLogForm(form); }
    QString formTyped() const {
        return QStringList{form->header->name(), form->header->mobileNo(),
                           form->cellEntryType->text(), form->cellMeetTo->text(),
                           form->header->photo().isNull() ? "no photo" : "photo"}
            .join('|');
    }
    labelCell *purpose() const {
        return qobject_cast<labelCell *>(form->cellForRow(1, 4).value("cell").value<QObject *>());
    }
    void save() {
        form->SaveSecurityLog();
        if (AlertController *a = alert())
            a->tap("Save");
    }

    FaultTransport *net;
    ScannerDevices devices;
    QStringList &played = devices.played;
    ManualTimers timers;
    ManualTimers::Scope timerScope{timers};
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form;
    QPointer<ViewController> screen;
    int tries = 0;
};

template <typename T> T *screenOf(World &w) {
    return qobject_cast<T *>(w.screen.data());
}

// What the screen shows: its rows, and what the guard typed.
struct State {
    int rows = 0;
    QString typed;
};

struct Screen {
    const char *name;
    QStringList keys;                  // the text fields of its rows
    QByteArray good;                   // a reply that shows data
    std::function<void(World &)> open; // reaches the screen, replies all good
    std::function<void(World &)> act;  // makes the call, without waiting for it
    std::function<State(World &)> state;
    std::function<bool(World &)> worked; // after `act` with the good reply
    QMap<QString, QString> expected;     // fault -> outcome; "*" for the others
};

QByteArray openLogs() {
    return fixture("securitylog/open-logs.json");
}
QByteArray firstOpenLog() {
    return json(QVariantList{QJsonDocument::fromJson(openLogs()).toVariant().toList().value(0)});
}

// Rows the reply had, shown though their fields are missing or not text.
const QStringList kJunkRow{"RowsMissingKeys", "WrongTypes", "HugeString"};

QMap<QString, QString> expect(const QString &usual,
                              std::initializer_list<std::pair<QStringList, QString>> others = {}) {
    QMap<QString, QString> table{{"*", usual}};
    for (const auto &[faults, outcome] : others)
        for (const QString &fault : faults)
            table.insert(fault, outcome);
    return table;
}

const QList<Screen> &screens();
// A bill row without its details, as the scanner shows it.
const QString kNoBillDetails = "VehicleNo - NIL\nDriverName - NIL\nLRNo - NIL\n";
const Screen &screenNamed(const QString &name) {
    return *std::find_if(screens().cbegin(), screens().cend(),
                         [&name](const auto &s) { return name == s.name; });
}

// The scanner, each try a new code of one kind (a code just scanned is ignored when seen again).
Screen scanner(const char *name, const QString &viewType, const QString &prefix, QStringList keys,
               const QByteArray &good, QMap<QString, QString> expected) {
    const bool bill = viewType == "BILL";
    return {
        name,
        std::move(keys),
        good,
        [viewType](World &w) {
            auto *scan = new qrCodeReaderViewController();
            scan->ScanViewType = viewType;
            w.screen = scan;
            w.root->pushViewController(scan, false);
            World::settle();
        },
        [prefix](World &w) {
            screenOf<qrCodeReaderViewController>(w)->classify(prefix + QString::number(++w.tries));
        },
        [](World &w) {
            return State{int(screenOf<qrCodeReaderViewController>(w)->scannedQRCode.DATA.size()),
                         {}};
        },
        [bill](World &w) {
            if (bill)
                return w.alert() && w.alert()->title() == "INV/1";
            return screenOf<qrCodeReaderViewController>(w)->scannedQRCode.DATA.size() == 1;
        },
        std::move(expected)};
}

const QList<Screen> &screens() {
    static const QList<Screen> all{
        {"Login",
         {"Users_id", "EmpName", "BranchCode"},
         fixture("app/verify-user.json"),
         [](World &w) {
             auto *login = new VCLogin();
             w.screen = login;
             w.root->present(new NavigationController(login), false);
             World::settle();
             login->usernamecell->setText("demo user");
             login->pwdcell->setText("p+ss");
             master.EmpName.clear();
         },
         [](World &w) { screenOf<VCLogin>(w)->login(); },
         [](World &w) {
             auto *login = screenOf<VCLogin>(w);
             if (!login)
                 return State{0, "closed"};
             return State{0, login->usernamecell->text() + "|" + login->pwdcell->text()};
         },
         [](World &) { return master.EmpName == "Ravi Kumar"; },
         expect("alert: Alert !/Wrong Credential :(",
                {{{"WrongTypes", "HugeString"}, "silent (closed)"}})},
        {"LogListLoad",
         {"SecIOLog_id", "IOPerson", "InTime"},
         openLogs(),
         [](World &) {},
         [](World &w) { w.list->loadOpenLogs(); },
         [](World &w) {
             return State{int(w.list->DATA.size()), w.list->searchController->text()};
         },
         [](World &w) { return w.list->DATA.size() == 2; },
         expect("silent (emptied)", {{kJunkRow, "silent (rows 2 -> 1)"}})},
        {"LogListSearch",
         {"SecIOLog_id", "IOPerson", "InTime"},
         firstOpenLog(),
         [](World &) {},
         [](World &w) {
             w.list->searchController->setText("An" + QString::number(++w.tries));
             processEvents();
             if (!w.timers.created.isEmpty())
                 w.timers.created.last()->fire(); // the typing pause is over
         },
         [](World &w) {
             return State{int(w.list->DATA.size()), w.list->searchController->text()};
         },
         [](World &w) { return w.list->DATA.size() == 1; },
         expect("silent (emptied)", {{kJunkRow, "silent (rows 2 -> 1)"}})},
        {"MarkOut",
         {"SMsg", "ErrorMsg", "ID"},
         R"([{"SMsg":"done"}])",
         [](World &) {},
         [](World &w) { w.list->performSwipeAction(0, 1, 0); },
         [](World &w) {
             return State{int(w.list->DATA.size()), w.list->searchController->text()};
         },
         [](World &w) { return w.outcome() == "alert: Alert/done"; },
         expect("silent", {{{"WrongTypes"}, "alert: Alert/1"},
                           {{"HugeString"}, "alert: Alert/" + QString(48, 'x')}})},
        {"LogFormLoad",
         {"PartyName", "Quantity", "DocNo"},
         R"([{"SecIOLogDet_id":"1","PartyName":"A","City":"Erode","DocNo":"1",)"
         R"("DocDate":"05 Dec 2026 00:00:00","Particulars":"Yarn","Quantity":"5","OutQty":"",)"
         R"("DocPath":"","DC_id":"0"}])",
         [](World &) {},
         [](World &w) {
             w.form = new securityLogDetailView();
             w.form->SecIOLog_id = "41";
             w.root->pushViewController(w.form, false);
         },
         [](World &w) {
             return State{int(w.form->PartyINSectionCollView.size() +
                              w.form->PartyOUTSectionCollView.size()),
                          w.form->header->name()};
         },
         [](World &w) { return !w.form->PartyINSectionCollView.isEmpty(); },
         expect("silent", {{kJunkRow, "silent (rows 0 -> 1)"}})},
        {"FormPicker", // the Purpose picker of a new log
         {"Purpose", "Name", "Id"},
         R"([{"Purpose":"Delivery"}])",
         [](World &w) {
             w.pushForm({}, {});
             w.fillForm();
             w.purpose()->setText("before");
         },
         [](World &w) {
             if (w.root->presentedViewController()) // the last try's picker
                 w.root->presentedViewController()->dismiss(false);
             w.form->didSelectRow(1, 4);
         },
         [](World &w) {
             auto *picker = qobject_cast<comboBox *>(w.top());
             return State{picker ? int(picker->allRows().size()) : -1, w.purpose()->text()};
         },
         [](World &w) {
             auto *picker = qobject_cast<comboBox *>(w.top());
             return picker && picker->allRows().size() == 1;
         },
         expect("silent", {{kJunkRow, "silent (rows 0 -> 1)"}})},
        {"Save",
         {"ID", "Error", "SMsg"},
         R"([{"ID":"12"}])",
         [](World &w) {
             w.pushForm({}, {});
             w.fillForm();
         },
         [](World &w) { w.save(); },
         [](World &w) {
             return State{0, w.formTyped()};
         },
         [](World &w) { return w.alert() && w.alert()->title() == "Alert"; },
         expect("alert: Error/Error", {{kJunkRow, "alert: Error/Error Contact IT Dep"}})},
        {"PhotoUpload",
         {"a", "b", "c"},
         R"([{"ID":"12"}])", // the upload itself is answered with a stored path
         [](World &w) {
             w.pushForm({}, {});
             w.fillForm();
             w.form->header->setImagePath("");
             QImage photo(400, 300, QImage::Format_RGB32);
             photo.fill(Qt::darkCyan);
             w.form->header->setPhoto(photo);
         },
         [](World &w) {
             const auto before = w.net->sent.size();
             w.save();
             EXPECT_TRUE(QTest::qWaitFor([&] { return w.net->sent.size() > before; }, 10000));
         },
         [](World &w) {
             return State{0, w.formTyped()};
         },
         [](World &w) { return w.alert() && w.alert()->title() == "Alert"; },
         expect("alert: Error/Image Not Saved")},
        {"Dashboard",
         {"Dt", "Daylight", "Total"},
         R"([{"Dt":"07 Dec 2026","Daylight":"3","Night":"1","Total":"4","detail":[]}])",
         [](World &w) {
             securityTableViewController::today = [] { return QDate(2026, 12, 7); };
             w.screen = new securityTableViewController();
             w.root->pushViewController(w.screen, false);
         },
         [](World &w) {
             screenOf<securityTableViewController>(w)->scrollViewDidScroll(1000, 600, 360);
         },
         [](World &w) {
             int rows = 0;
             for (const auto &days :
                  std::as_const(screenOf<securityTableViewController>(w)->THEDATA))
                 rows += int(days.size());
             return State{rows, {}};
         },
         [](World &w) {
             for (const auto &days :
                  std::as_const(screenOf<securityTableViewController>(w)->THEDATA))
                 if (!days.isEmpty())
                     return true;
             return false;
         },
         expect("silent", {{kJunkRow + QStringList{"BadUtf8"}, "silent (rows 0 -> 1)"}})},
        {"DaySummary",
         {"Hrs", "IOType", "IOPerson"},
         R"([{"Hrs":"9","IOLogDate":"05 Dec 2026 09:10:00","IOType":"Visitor",)"
         R"("IOPerson":"A","Purpose":"Delivery","InTime":"05 Dec 2026 09:10:00","detail":[]}])",
         [](World &) {},
         [](World &w) {
             auto *day = new LogDetailCollectionViewController();
             day->bartitle = "Dec 05 2026";
             day->fetchDate = "2026-12-05";
             day->Division_id = 2;
             w.screen = day;
             w.root->pushViewController(day, false);
         },
         [](World &w) {
             return State{screenOf<LogDetailCollectionViewController>(w)->numberOfSections(), {}};
         },
         [](World &w) {
             return screenOf<LogDetailCollectionViewController>(w)->numberOfSections() == 1;
         },
         expect("silent", {{{"WrongTypes"}, "silent (rows 0 -> 1)"}})},
        {"Punches",
         {"EmpName", "FPLogStr", "FPModeStr"},
         R"([{"EmpName":"Selvi","EmpCode":"E1042","Department":"Weaving","Designation":"Op",)"
         R"("ImagePath":"~/Emp/42.jpg","FPLogStr":"05 Dec 2026 09:00","FPModeStr":"IN",)"
         R"("FPMode":"1","FPDeviceName":"Gate 2","DivisionName":"Spinning"}])",
         [](World &w) {
             w.screen = new EmployeeFPLogViewTableViewController();
             w.root->pushViewController(w.screen, false);
         },
         [](World &w) {
             screenOf<EmployeeFPLogViewTableViewController>(w)->requestPunches("E1042", "Selvi");
         },
         [](World &w) {
             return State{int(screenOf<EmployeeFPLogViewTableViewController>(w)->DATA.size()), {}};
         },
         [](World &w) {
             return screenOf<EmployeeFPLogViewTableViewController>(w)->DATA.size() == 1;
         },
         expect("silent",
                {{kJunkRow, "silent (rows 0 -> 1)"},
                 {{"NonObjects"}, "alert: Alert !/No punches in the last two days for Selvi"}})},
        {"DCApprovalRefresh",
         {"DC_id", "DCCode", "FDiv"},
         R"([{"DC_id":"1","DCCode":"DC/SPN/0142","DCDate":"2026-12-05","FDiv":"Spinning",)"
         R"("FDept":"Stores","TDiv":"Weaving","ToDept":"Looms","IsOutDC":"No","IsRet":"NR",)"
         R"("ItemCount":"2","IssToEmp":"Priya","TakenByName":"M","IssueEmpName":"Ravi",)"
         R"("CityName":"","ApprovedBy":"Meena R"}])",
         [](World &w) {
             w.pushForm({}, "Yes");
             auto *approval = new DCApprovalViewController();
             approval->viewType = "Sec_PDC";
             approval->AccessFrom = "OUT";
             w.screen = approval;
             w.form->present(new NavigationController(approval), false);
             World::settle();
         },
         [](World &w) { screenOf<DCApprovalViewController>(w)->refresh(); },
         [](World &w) {
             auto *s = screenOf<DCApprovalViewController>(w);
             return State{int(s->DATA.size()), s->searchController->text()};
         },
         [](World &w) { return screenOf<DCApprovalViewController>(w)->DATA.size() == 1; },
         expect("silent")},
        {"StorePO",
         {"StorePO_id", "StorePOCode", "PartyBranchName"},
         R"([{"StorePO_id":"12","PartyBranchName":"Lakshmi Traders","StorePOCode":"SPO/1",)"
         R"("StorePODate":"02/12/2026","NoOfItems":"2","Party_id":"31","CityName":"Tiruppur"}])",
         [](World &w) {
             w.pushForm({}, "Yes");
             const int add = w.form->numberOfRows(securityLogDetailView::INSection) - 1;
             w.form->performSwipeAction(securityLogDetailView::INSection, add, 2);
             World::settle();
             w.screen = w.top();
         },
         [](World &w) {
             screenOf<securityAddPO>(w)->searchController->setText("SPO" +
                                                                   QString::number(++w.tries));
         },
         [](World &w) {
             auto *s = screenOf<securityAddPO>(w);
             return State{int(s->DATA.size()), s->searchController->text()};
         },
         [](World &w) { return screenOf<securityAddPO>(w)->DATA.size() == 1; },
         expect("silent", {{kJunkRow, "silent (rows 0 -> 1)"}})},
        {"Particulars",
         {"Item_id", "ItemName", "Unit_id"},
         R"([{"Item_id":"1","ItemName":"Bolt M8","Unit_id":"4","SingularSymbol":"Kg",)"
         R"("PluralSymbol":"Kgs","NoOfDecimal":"3","ImagePath":"~/Security/ItemImages/y.png"}])",
         [](World &w) {
             w.pushForm({}, "Yes");
             const int add = w.form->numberOfRows(securityLogDetailView::INSection) - 1;
             w.form->selectRow(securityLogDetailView::INSection, add);
             World::settle();
             if (auto *party = qobject_cast<securityAddPartyDetails *>(w.top()))
                 party->selectRow(1, 0);
             World::settle();
             w.screen = w.top();
         },
         [](World &w) {
             screenOf<securityAddParticulars>(w)->searchController->setText(
                 "Bolt" + QString::number(++w.tries));
         },
         [](World &w) {
             auto *s = screenOf<securityAddParticulars>(w);
             return State{int(s->DATA.size()), s->searchController->text()};
         },
         [](World &w) { return screenOf<securityAddParticulars>(w)->DATA.size() == 1; },
         expect("silent", {{kJunkRow, "silent (rows 0 -> 1)"}})},
        scanner("ScanDC", {}, "DC/SPN/014", {"DC_id", "FDiv", "IsOutDC"},
                R"([{"DC_id":"42","DCCode":"DC/SPN/0142","FDiv":"Spinning","TDiv":"Weaving",)"
                R"("IsOutDC":"No","ImagePath3":"~/DC/42.png"}])",
                expect("sound: system 1016")),
        scanner("ScanGodownTransfer", {}, "GT/26-27/00",
                {"GodownTransfer_id", "FromDivision_id", "IsOutDC"},
                R"([{"GodownTransfer_id":"5","FromDivision_id":"1","IsOutDC":"No"}])",
                expect("sound: system 1016")),
        scanner("ScanHandBit", {}, "HB/26-27/000", {"DCCode", "HB_id", "ColorCode"},
                R"([{"DCCode":"HB/26-27/0007","HB_id":"3","ColorCode":"#FFFFFF"}])",
                expect("silent", {{kJunkRow, "sound: system 1016"}})),
        scanner("ScanBill", "BILL", "INV/", {"BillCode", "DeliveryBranch", "BillNo"},
                R"([{"BillCode":"INV/1"}])",
                expect("silent",
                       {{{"RowsMissingKeys"}, "alert: /" + kNoBillDetails},
                        {{"WrongTypes"}, "alert: 1/\n\n" + kNoBillDetails},
                        {{"HugeString"}, "alert: " + QString(48, 'x') + "/" + kNoBillDetails}})),
        {"DCDetail",
         {"ItemName", "PassedQty", "ReturnQty"},
         R"([{"DC_id":"42","ItemName":"Cones","PassedQty":"10","ReturnQty":"0",)"
         R"("SingularSymbol":"Cone","PluralSymbol":"Cones"}])",
         [](World &w) { w.pushForm({}, "Yes"); },
         [](World &w) {
             auto *detail = new DCDetailViewController();
             detail->AccessFrom = "OUT";
             detail->DCId = 42;
             if (w.root->presentedViewController()) // the last try's detail
                 w.root->presentedViewController()->dismiss(false);
             w.screen = detail;
             w.form->present(new NavigationController(detail), false);
         },
         [](World &w) {
             return State{int(screenOf<DCDetailViewController>(w)->DATA.size()), {}};
         },
         [](World &w) { return screenOf<DCDetailViewController>(w)->DATA.size() == 1; },
         expect("silent", {{kJunkRow, "silent (rows 0 -> 1)"}})},
        {"DCApprovalAttach",
         {"ItemName", "PassedQty", "ReturnQty"},
         R"([{"DC_id":"1","ItemName":"Cones","PassedQty":"10","ReturnQty":"0",)"
         R"("SingularSymbol":"Cone","PluralSymbol":"Cones"}])",
         [](World &w) {
             // The list comes with DC 1 this time, to be ticked.
             const auto answer = std::exchange(w.net->answer, [](const HttpRequest &) {
                 HttpReply r;
                 r.status = 200;
                 r.body = screenNamed("DCApprovalRefresh").good;
                 return r;
             });
             screenNamed("DCApprovalRefresh").open(w);
             w.net->answer = answer;
             screenOf<DCApprovalViewController>(w)->didSelectRow(0, 0); // ticks DC 1
         },
         [](World &w) { screenOf<DCApprovalViewController>(w)->Attach(); },
         [](World &w) {
             return State{int(w.form->PartyINSectionCollView.size() +
                              w.form->PartyOUTSectionCollView.size()),
                          {}};
         },
         [](World &w) { return !w.form->PartyOUTSectionCollView.isEmpty(); },
         expect("alert: Alert !/No items found for DC/SPN/0142")},
    };
    return all;
}

HttpReply reply(const QByteArray &body, int status = 200,
                const QByteArray &type = "application/json") {
    HttpReply r;
    r.status = status;
    r.body = body;
    r.contentType = type;
    return r;
}
HttpReply noAnswer(const QString &error, const QByteArray &partial = {}) {
    HttpReply r;
    r.error = error;
    r.body = partial;
    return r;
}

struct Fault {
    const char *name;
    std::function<HttpReply(const Screen &)> make;
};

const QList<Fault> &faults() {
    static const QList<Fault> all{
        {"NotAnArray", [](const Screen &) { return reply(R"({"a":1})"); }},
        {"NonObjects", [](const Screen &) { return reply(R"([1,"x",null])"); }},
        {"RowsMissingKeys", [](const Screen &) { return reply("[{}]"); }},
        {"WrongTypes",
         [](const Screen &s) {
             return reply(
                 json(QVariantList{QVariantMap{{s.keys[0], 1},
                                               {s.keys[1], QVariant::fromValue(nullptr)},
                                               {s.keys[2], QVariantMap{{"a", QVariantList{1}}}}}}));
         }},
        {"HugeString",
         [](const Screen &s) {
             return reply(json(QVariantList{QVariantMap{{s.keys[0], QString(1 << 20, 'x')}}}));
         }},
        {"BadUtf8",
         [](const Screen &s) {
             return reply("[{\"" + s.keys[0].toUtf8() + "\":\"\xff\xfe\xc3(\x80\"}]");
         }},
        {"Status500", [](const Screen &s) { return reply(s.good, 500); }},
        {"HtmlErrorPage",
         [](const Screen &) {
             return reply("<html><body><h1>Server Error</h1></body></html>", 200, "text/html");
         }},
        {"CutShort", [](const Screen &s) { return reply(s.good.left(s.good.size() / 2)); }},
        {"TimedOut", [](const Screen &) { return noAnswer("Operation canceled"); }},
        {"Refused", [](const Screen &) { return noAnswer("Connection refused"); }},
        {"KilledMidReply",
         [](const Screen &s) {
             return noAnswer("Remote host closed the connection", s.good.left(s.good.size() / 2));
         }},
    };
    return all;
}

struct Cell {
    int screen;
    int fault;
};

class FaultMatrixTest : public SessionTest, public ::testing::WithParamInterface<Cell> {
protected:
    FaultMatrixTest() {
        master.Device_id = "11";
        master.GateName = "Main Gate";
        logIn();
        Transport::install(transport);
        transport->answer = [](const HttpRequest &r) {
            const bool openLogs = r.body.contains("USP_GetSecurityLogBySearchText") &&
                                  !r.body.contains("SecIOLogDetail");
            return reply(openLogs ? fixture("securitylog/open-logs.json") : "[]");
        };
        world = std::make_unique<World>(transport);
    }
    ~FaultMatrixTest() override {
        world.reset();
        securityTableViewController::today = [] { return QDate::currentDate(); };
    }

    FaultTransport *transport = new FaultTransport;
    std::unique_ptr<World> world;
};

TEST_P(FaultMatrixTest, KeepsWhatWasThereSaysWhatTheTableSaysAndWorksAgain) {
    const Screen &screen = screens()[GetParam().screen];
    const Fault &fault = faults()[GetParam().fault];
    World &w = *world;
    screen.open(w);
    w.closeAlerts();

    const HttpReply bad = fault.make(screen);
    transport->answer = [bad](const HttpRequest &) { return bad; };
    const auto sentBefore = transport->sent.size();
    const bool hadScreen = !w.screen.isNull();
    screen.act(w);
    const State before = screen.state(w);
    World::settle();
    EXPECT_GT(transport->sent.size(), sentBefore) << "the screen asked the server";
    for (qsizetype i = sentBefore; i < transport->sent.size(); ++i)
        EXPECT_GT(transport->sent[i].timeoutMs, 0) << "a silent server cannot hold it forever";
    QString outcome = w.outcome();
    if (hadScreen && w.screen.isNull()) {
        outcome += " (closed)";
    } else {
        const State after = screen.state(w);
        EXPECT_EQ(after.typed, before.typed) << "what the guard typed stays";
        if (after.rows == 0 && before.rows > 0)
            outcome += " (emptied)";
        else if (after.rows != before.rows)
            outcome += QString(" (rows %1 -> %2)").arg(before.rows).arg(after.rows);
    }
    RecordProperty("outcome", outcome.toStdString());
    EXPECT_EQ(outcome, screen.expected.value(fault.name, screen.expected.value("*", "silent")));

    w.closeAlerts();
    if (hadScreen && w.screen.isNull())
        screen.open(w);
    transport->answer = [good = screen.good](const HttpRequest &r) {
        return reply(r.url.path().endsWith("/upload") ? R"(["~/Security/PersonsImages/1_x.jpg"])"
                                                      : good);
    };
    screen.act(w);
    World::settle();
    EXPECT_TRUE(screen.worked(w)) << "a good reply after the fault still shows; "
                                  << w.outcome().toStdString();
}

std::vector<Cell> allCells() {
    std::vector<Cell> cells;
    for (int s = 0; s < screens().size(); ++s)
        for (int f = 0; f < faults().size(); ++f)
            cells.push_back({s, f});
    return cells;
}

INSTANTIATE_TEST_SUITE_P(Matrix, FaultMatrixTest, ::testing::ValuesIn(allCells()),
                         [](const auto &info) {
                             return std::string(screens()[info.param.screen].name) + "_" +
                                    faults()[info.param.fault].name;
                         });

} // namespace
