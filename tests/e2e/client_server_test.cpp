#include "access.h"
#include "camera.h"
#include "common.h"
#include "dcapprovalviewcontroller.h"
#include "filecamera.h"
#include "imageloading.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "realserver.h"
#include "recordingsystem.h"
#include "securityaddpartydetails.h"
#include "securityaddpo.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "securitytableviewcontroller.h"
#include "testapp.h"
#include "userdefaults.h"
#include "vclogin.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <sqlite3.h>

namespace {

template <typename T> T *shown() {
    return qobject_cast<T *>(common::sharedInstance().topViewController());
}

// The DC lists a saved log names on the server, as "INDC_ids=12".
QStringList documentLists(const std::string &dbPath, const QString &logId) {
    QStringList lists;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(dbPath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return lists;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT ListName || '=' || Doc_id FROM SecurityIOLogDocIds "
                       "WHERE SecIOLog_id = ?1 AND ListName LIKE '%DC_ids'",
                       -1, &statement, nullptr);
    sqlite3_bind_int64(statement, 1, logId.toLongLong());
    while (sqlite3_step(statement) == SQLITE_ROW)
        lists.append(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return lists;
}

class ClientServerTest : public ::testing::Test {
protected:
    ClientServerTest() {
        master = decltype(master){};
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
    }
    ~ClientServerTest() override { master = decltype(master){}; }

    VCLogin *shownLogin() {
        return qobject_cast<VCLogin *>(common::sharedInstance().topViewController());
    }
    AlertController *shownAlert() {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }
    void logIn(const QString &user, const QString &password) {
        VCLogin *login = shownLogin();
        ASSERT_NE(login, nullptr);
        login->usernamecell->setText(user);
        login->pwdcell->setText(password);
        login->login();
    }

    IsolatedDefaults defaults;
    RealServer real;
    RecordingSystemScope system;
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
};

TEST_F(ClientServerTest, LogsInWithAPasswordFullOfFormCharactersAndListsTheOpenLogs) {
    seclog::server::NewUser user;
    user.userName = "gate guard+2";
    user.password = "p+ss&w=rd %2B é";
    user.empName = "Kavitha R";
    real.server->addUser(user);

    // Every message logged meanwhile, the client's request log on (written on the HTTP thread).
    static QMutex loggedLock;
    static QStringList logged;
    logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("seclog.*=true"));
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &line) {
            const QMutexLocker locked(&loggedLock);
            logged.append(line);
        });
    const auto restore = qScopeGuard([previous] {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    });
    logIn(QString::fromStdString(user.userName), QString::fromStdString(user.password));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !master.Division_id.isEmpty(); }, 10000))
        << "no device record arrived";
    // The password is in neither the log nor any stored setting.
    const QStringList lines = [] {
        const QMutexLocker locked(&loggedLock);
        return logged;
    }();
    EXPECT_TRUE(lines.filter("verifyUser").size() >= 1) << lines.join('\n').toStdString();
    for (const QString &line : lines)
        EXPECT_FALSE(line.contains("p+ss") || line.contains("p%2Bss")) << line.toStdString();
    for (const QString &key : UserDefaults::standard().keys())
        EXPECT_FALSE(UserDefaults::standard().value(key).toString().contains("p+ss"));
    EXPECT_EQ(master.EmpName, "Kavitha R");
    EXPECT_EQ(master.GateName, "Main Gate");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    for (const Row &row : list->DATA) {
        EXPECT_EQ(row.value("Division_id").toString(), master.Division_id);
        EXPECT_TRUE(row.value("OutTime").toString().isEmpty());
    }
}

TEST_F(ClientServerTest, AWrongPasswordIsRefused) {
    logIn("demo", "demo+");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->message(), "Wrong Credential :(");
    EXPECT_TRUE(master.Users_id.isEmpty());
}

TEST_F(ClientServerTest, MarkingALogOutClosesItOnTheServer) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    const QString id = list->DATA.first().value("SecIOLog_id").toString();
    ASSERT_EQ(real.server ? seclog::server::logOutTime(real.dbPath(), id.toLongLong())
                          : std::nullopt,
              std::optional<std::string>(""));
    list->markOut(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->title(), "Alert");
    shownAlert()->tap("ok");
    processEvents();
    const auto outTime = seclog::server::logOutTime(real.dbPath(), id.toLongLong());
    ASSERT_TRUE(outTime.has_value());
    EXPECT_FALSE(outTime->empty());
    for (const Row &row : list->LoadDATA)
        EXPECT_NE(row.value("SecIOLog_id").toString(), id);

    // The server refuses a second OUT, and the client shows its words.
    list->DATA.prepend(Row{{"SecIOLog_id", id}});
    list->markOut(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->title(), "Error");
    EXPECT_TRUE(shownAlert()->message().contains(id));
}

TEST_F(ClientServerTest, ASearchFindsPeopleOfOtherDivisionsAsNewLogs) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    list->searchController->setText("a"); // too short: no request
    EXPECT_EQ(list->fromSearch, "No");
    list->searchController->setText("+91");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list->fromSearch == "Yes" && list->DATA != list->LoadDATA; }, 10000));
    ASSERT_FALSE(list->DATA.isEmpty());
    bool sawOtherDivision = false;
    for (int row = 0; row < list->DATA.size(); ++row) {
        EXPECT_TRUE(list->DATA.at(row).value("IOMobile").toString().contains("+91"));
        // Anand's open log is in Weaving: here he is a person to start a new log for.
        if (list->DATA.at(row).value("IOPerson").toString().startsWith("Anand")) {
            sawOtherDivision = true;
            EXPECT_EQ(list->DATA.at(row).value("Employee_id").toString(), "31");
            EXPECT_TRUE(list->cellForRow(0, row).value("lblSecLog_id").toString().isEmpty());
        }
    }
    EXPECT_TRUE(sawOtherDivision);
}

// A log recorded through the form, with a new photo and a bill picture, is on the server with
// its person, values, documents and files, and opens again with the same values.
TEST_F(ClientServerTest, ALogRecordedThroughTheFormIsOnTheServerAndOpensAgain) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    auto *form = new securityLogDetailView();
    form->setTitle("New Security Log");
    root->pushViewController(form, false);
    processEvents();
    form->header->setName("Selvi Murugan");
    form->header->setMobileNo("+91 90030 11223");
    form->header->setAddress("Tiruppur");
    QImage photo(2400, 1800, QImage::Format_RGB32);
    photo.fill(QColor(40, 120, 200));
    form->header->setPhoto(photo);
    form->cellTockenNo->setText("T-77");

    // The entry type and the employee to meet come from the server's own lists.
    auto choose = [&](int row) {
        form->didSelectRow(1, row);
        auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
        auto *picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !picker->shownRows().isEmpty(); }, 10000));
        picker->didSelectRow(0, 0);
        processEvents();
    };
    choose(2);
    choose(1);
    ASSERT_FALSE(form->entryTypeId().isEmpty());
    ASSERT_FALSE(form->cellMeetTo->text().isEmpty());

    SectionEntry bill;
    bill.PartyDetails = {{"PartyName", "Sri Ganesh Traders"},
                         {"Party_id", "3"},
                         {"City", "Erode"},
                         {"BillNo", "GT-55"},
                         {"BillDate", "05/12/2026"}};
    ItemRow cones = makeItemRow();
    cones->titleText = "Cones";
    cones->textField = "12.00";
    cones->image = QImage(640, 480, QImage::Format_RGB32);
    cones->image.fill(Qt::white);
    bill.DATA.append(cones);
    form->PartyINSectionCollView.append(bill);

    const QString meetTo = form->cellMeetTo->text();
    const QString entryType = form->entryTypeId();
    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 20000));
    ASSERT_EQ(shownAlert()->title(), "Alert") << shownAlert()->message().toStdString();
    const QString id = shownAlert()->message();
    shownAlert()->tap("ok");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const Row &row : list->LoadDATA)
                if (row.value("SecIOLog_id").toString() == id)
                    return true;
            return false;
        },
        10000))
        << "the new log is among the open logs";
    Row saved;
    for (const Row &row : list->LoadDATA)
        if (row.value("SecIOLog_id").toString() == id)
            saved = row;
    EXPECT_EQ(saved.value("IOPerson"), "Selvi Murugan");
    EXPECT_EQ(saved.value("IOMobile"), "+91 90030 11223");
    EXPECT_EQ(saved.value("TokenNo"), "T-77");
    const QString photoPath = saved.value("IOImgPath").toString();
    ASSERT_TRUE(photoPath.startsWith("~/Security/PersonsImages/")) << photoPath.toStdString();

    // The stored photo is a JPEG of at most 300 KB.
    QNetworkAccessManager network;
    QNetworkReply *reply =
        network.get(QNetworkRequest(KingfisherWrapper::convertToSource(photoPath)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 10000));
    const QByteArray bytes = reply->readAll();
    reply->deleteLater();
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8")) << "a JPEG";
    EXPECT_LE(bytes.size(), 300 * 1024);

    // Opened again from the list, the form shows the same log and its bill.
    const int row = [&] {
        for (int r = 0; r < list->DATA.size(); ++r)
            if (list->DATA.at(r).value("SecIOLog_id").toString() == id)
                return r;
        return -1;
    }();
    ASSERT_GE(row, 0);
    list->didSelectRow(0, row);
    auto *again = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again->PartyINSectionCollView.isEmpty(); }, 10000));
    EXPECT_EQ(again->header->name(), "Selvi Murugan");
    EXPECT_EQ(again->cellMeetTo->text(), meetTo);
    EXPECT_EQ(again->cellEntryType->identifier, entryType);
    EXPECT_EQ(again->cellTockenNo->text(), "T-77");
    const SectionEntry &loaded = again->PartyINSectionCollView.first();
    EXPECT_EQ(loaded.PartyDetails.value("PartyName"), "Sri Ganesh Traders");
    EXPECT_EQ(loaded.PartyDetails.value("BillNo"), "GT-55");
    EXPECT_EQ(loaded.PartyDetails.value("BillDate"), "05/12/2026");
    ASSERT_EQ(loaded.DATA.size(), 1);
    EXPECT_EQ(loaded.DATA.first()->quantity(), "12.00");
    EXPECT_TRUE(loaded.DATA.first()->ItemImagePath.startsWith("~/Security/SecLogDetails_Bill/"));
    EXPECT_TRUE(loaded.isSaved());
}

// A store PO found on the server, attached to a new log's OUT section with its lines counted,
// saved, and read back from the server: the detail lines carry the PO's party, items and
// quantities.
TEST_F(ClientServerTest, AStorePOAttachedToALogIsSavedWithItsPartyItemsAndQuantities) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));

    auto *form = new securityLogDetailView();
    root->pushViewController(form, false);
    processEvents();
    form->header->setName("Muthu Lorry Service");
    form->header->setMobileNo("98430 55110");
    form->header->setImagePath("~/Security/PersonsImages/none.jpg");
    form->cellEntryType->setText("Visitor");
    form->cellEntryType->identifier = "1";
    form->cellMeetTo->setText("Stores");

    const int addRow = form->numberOfRows(securityLogDetailView::OUTSection) - 1;
    form->performSwipeAction(securityLogDetailView::OUTSection, addRow, 2); // "Att PO"
    processEvents();
    auto *po = shown<securityAddPO>();
    ASSERT_NE(po, nullptr);
    po->searchController->setText("SPO/26-27/0001");
    ASSERT_TRUE(QTest::qWaitFor([&] { return po->DATA.size() == 1; }, 10000));
    po->didSelectRow(0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityAddPartyDetails>(); }, 10000));
    auto *party = shown<securityAddPartyDetails>();
    ASSERT_EQ(party->cellItems.size(), 2);
    for (const ItemRow &item : party->cellItems) {
        item->setQuantity(item->labelImage); // all that was ordered came
        item->endEditing();
    }
    party->cellBillNo->setText("SMY/1187");
    party->Validation();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogDetailView>() == form; }, 5000));
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);

    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<AlertController>(); }, 20000));
    ASSERT_EQ(shown<AlertController>()->title(), "Alert")
        << shown<AlertController>()->message().toStdString();
    const QString id = shown<AlertController>()->message();
    shown<AlertController>()->tap("ok");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogTVC>() == list; }, 10000));

    // Read back as the form loads a saved log (an OUT movement is not among the open logs).
    auto *again = new securityLogDetailView();
    again->SecIOLog_id = id;
    root->pushViewController(again, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again->PartyOUTSectionCollView.isEmpty(); }, 10000));
    EXPECT_TRUE(again->PartyINSectionCollView.isEmpty());
    const SectionEntry &saved = again->PartyOUTSectionCollView.first();
    EXPECT_EQ(saved.PartyDetails.value("PartyName"), "Sri Murugan Yarns");
    EXPECT_EQ(saved.PartyDetails.value("City"), "Tiruppur");
    EXPECT_EQ(saved.PartyDetails.value("BillNo"), "SMY/1187");
    QStringList lines;
    for (const ItemRow &item : saved.DATA)
        lines.append(item->titleText + " " + item->quantity());
    EXPECT_EQ(lines,
              QStringList({"Cotton Combed Yarn 20s 5.000", "Cotton Combed Yarn 34s 42.250"}));
}

// The dashboard's first month counts exactly the logs the server holds for the guard's division
// in this month, day by day.
TEST_F(ClientServerTest, TheDashboardsFirstMonthMatchesTheServersLogs) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    auto *dashboard = new securityTableViewController();
    root->pushViewController(dashboard, false);
    processEvents();
    dashboard->scrollViewDidScroll(0, 600, 0); // the table's first layout
    ASSERT_TRUE(QTest::qWaitFor([&] { return dashboard->THEDATA.contains("0"); }, 10000));

    QMap<QString, int> expected;
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(real.dbPath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt *statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT substr(InTime, 1, 10), COUNT(*) FROM SecurityIOLog "
                                 "WHERE Division_id = ?1 AND substr(InTime, 1, 7) = ?2 "
                                 "GROUP BY 1",
                                 -1, &statement, nullptr),
              SQLITE_OK);
    const QByteArray month = QDate::currentDate().toString("yyyy-MM").toUtf8();
    sqlite3_bind_int(statement, 1, master.Division_id.toInt());
    sqlite3_bind_text(statement, 2, month.constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW)
        expected.insert(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))),
            sqlite3_column_int(statement, 1));
    sqlite3_finalize(statement);
    sqlite3_close(db);

    QMap<QString, int> shown;
    for (int row = 0; row < dashboard->numberOfRows(0); ++row) {
        const QVariantMap day = dashboard->THEDATA.value("0").at(row).toMap();
        shown.insert(day.value("Dt").toString(), day.value("Total").toInt());
        int byType = 0;
        for (const QVariant &type : day.value("detail").toList())
            byType += type.toMap().value("Cnt").toInt();
        EXPECT_EQ(byType, day.value("Total").toInt()) << day.value("Dt").toString().toStdString();
    }
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(shown, expected);
}

// A demo DC's printed QR code held before the file camera: scanned from the log list, Done opens
// a new log with the DC and its lines in the OUT section, the log is saved, and the server's log
// carries the DC.
TEST_F(ClientServerTest, AScannedDCGoesOutWithANewLogAndTheServerKeepsIt) {
    QTemporaryDir camera;
    ASSERT_TRUE(QFile::copy(real.codesDir() + "/dc-1.png", camera.filePath("dc-1.png")));
    Camera::setFactory([&camera] { return std::make_unique<FileCamera>(camera.path()); });
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    list->rightBarButtonItem()->trigger(); // "More"
    ASSERT_NE(shownAlert(), nullptr);
    shownAlert()->tap("Scan DC & Others");
    processEvents();
    auto *scanner = shown<qrCodeReaderViewController>();
    ASSERT_NE(scanner, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner->scannedQRCode.DATA.size() == 1; }, 10000));
    EXPECT_EQ(scanner->scannedQRCode.DATA.first()->DCDId, 1);
    scanner->SecurityLogDetail();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogDetailView>(); }, 10000));
    auto *form = shown<securityLogDetailView>();
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
    EXPECT_EQ(form->PartyOUTSectionCollView.first().DC_id, 1);
    EXPECT_FALSE(form->PartyOUTSectionCollView.first().DATA.isEmpty());
    Camera::setFactory({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->header->name().isEmpty(); }, 10000));
    form->header->setImagePath("~/Security/PersonsImages/none.jpg");
    if (form->entryTypeId().isEmpty()) {
        form->cellEntryType->setText("Driver");
        form->cellEntryType->identifier = "1";
    }
    if (form->cellMeetTo->text().isEmpty())
        form->cellMeetTo->setText("Stores");

    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 20000));
    ASSERT_EQ(shownAlert()->title(), "Alert") << shownAlert()->message().toStdString();
    const QString id = shownAlert()->message();
    shownAlert()->tap("ok");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogTVC>() == list; }, 10000));
    auto *again = new securityLogDetailView();
    again->SecIOLog_id = id;
    root->pushViewController(again, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again->PartyOUTSectionCollView.isEmpty(); }, 10000));
    EXPECT_EQ(again->PartyOUTSectionCollView.first().PartyDetails.value("BillNo"),
              "DC/SPN/26-27/0142");
    // The log names the DC among the documents that went out with it.
    const QStringList lists = documentLists(real.dbPath(), id);
    EXPECT_EQ(lists, QStringList({"OUTDC_ids=1"}));
}

// Two of the DCs that may come in at this gate, ticked in the list from a new log's IN section,
// are saved with the log.
TEST_F(ClientServerTest, DCsAttachedFromTheListComeInWithANewLogAndTheServerKeepsThem) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    auto *form = new securityLogDetailView();
    root->pushViewController(form, false);
    processEvents();
    form->header->setName("Anand Krishnan");
    form->header->setMobileNo("98430 55110");
    form->header->setImagePath("~/Security/PersonsImages/none.jpg");
    form->cellEntryType->setText("Driver");
    form->cellEntryType->identifier = "1";
    form->cellMeetTo->setText("Stores");

    const int addRow = form->numberOfRows(securityLogDetailView::INSection) - 1;
    form->performSwipeAction(securityLogDetailView::INSection, addRow, 0); // "Att DC"
    processEvents();
    auto *dcs = shown<DCApprovalViewController>();
    ASSERT_NE(dcs, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dcs->DATA.size() >= 2; }, 10000));
    QStringList ids;
    for (int row : {0, 1}) {
        dcs->didSelectRow(0, row);
        ids.append("INDC_ids=" + dcs->DATA.at(row).value("DC_id").toString());
    }
    dcs->Attach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogDetailView>() == form; }, 10000));
    ASSERT_EQ(form->PartyINSectionCollView.size(), 2);
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), 0);

    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 20000));
    ASSERT_EQ(shownAlert()->title(), "Alert") << shownAlert()->message().toStdString();
    const QString id = shownAlert()->message();
    shownAlert()->tap("ok");
    QStringList lists = documentLists(real.dbPath(), id);
    std::sort(ids.begin(), ids.end());
    std::sort(lists.begin(), lists.end());
    EXPECT_EQ(lists, ids);
}

} // namespace
