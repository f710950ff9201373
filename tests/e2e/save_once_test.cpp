#include "access.h"
#include "alertcontroller.h"
#include "common.h"
#include "dbconnection.h"
#include "navigationcontroller.h"
#include "realserver.h"
#include "recordingsystem.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "testapp.h"
#include "transport.h"
#include "vclogin.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <sqlite3.h>

namespace {

template <typename T> T *shown() {
    return qobject_cast<T *>(common::sharedInstance().topViewController());
}

// The server program on the test's own database and files: started once with a fault that
// ends it in the middle of a save, then again on the same port as after a restart.
class ServerRun {
public:
    ServerRun(const QTemporaryDir &dir, const QStringList &extra) {
        process.start(
            QStringLiteral(SECLOG_SERVER_BINARY),
            QStringList{"--db", dir.filePath("db.sqlite"), "--files", dir.filePath("files")} +
                extra);
        const QRegularExpression listening("listening on 127\\.0\\.0\\.1:(\\d+)");
        QElapsedTimer clock;
        clock.start();
        QByteArray output;
        while (clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
            const auto match = listening.match(QString::fromUtf8(output));
            if (match.hasMatch()) {
                port = match.captured(1);
                // Its request lines are not needed; a full pipe would stall it.
                QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                                 [this] { process.readAllStandardOutput(); });
                return;
            }
        }
    }
    ~ServerRun() {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(10000);
        }
    }
    QProcess process;
    QString port; // empty when it did not start
};

// How many logs the person has on the server, their detail lines, and the pictures of both
// that are really in the files folder.
struct Stored {
    int logs = 0, details = 0, pictures = 0;
};

Stored storedFor(const QTemporaryDir &dir, const QString &person) {
    Stored result;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(dir.filePath("db.sqlite").toUtf8(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        return result;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT l.SecIOLog_id, p.IOImgPath, "
                       "(SELECT group_concat(d.DocPath, '|') FROM SecurityIODetails d "
                       " WHERE d.SecIOLog_id = l.SecIOLog_id), "
                       "(SELECT COUNT(*) FROM SecurityIODetails d "
                       " WHERE d.SecIOLog_id = l.SecIOLog_id) "
                       "FROM SecurityIOLog l JOIN Person p ON p.Person_id = l.Person_id "
                       "WHERE p.IOPerson = ?1",
                       -1, &statement, nullptr);
    const QByteArray name = person.toUtf8();
    sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    auto text = [&statement](int column) {
        const auto *value = sqlite3_column_text(statement, column);
        return value ? QString::fromUtf8(reinterpret_cast<const char *>(value)) : QString();
    };
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++result.logs;
        result.details += sqlite3_column_int(statement, 3);
        QStringList paths = text(2).split('|', Qt::SkipEmptyParts);
        paths.prepend(text(1));
        for (QString path : paths)
            result.pictures += QFile::exists(dir.filePath("files/" + path.remove("~/")));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

struct DeathCase {
    const char *name;
    const char *dieAt;
};

class SaveOnceTest : public ::testing::TestWithParam<DeathCase> {
protected:
    SaveOnceTest() {
        master = decltype(master){};
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }
    ~SaveOnceTest() override {
        RealServer::closeIdleConnections();
        master = decltype(master){};
        qunsetenv("SECLOG_SERVERS");
    }
    void pointClientAt(const QString &port) {
        RealServer::useServer(dir, "http://127.0.0.1:" + port);
    }
    void logIn() {
        processEvents();
        auto *login = shown<VCLogin>();
        ASSERT_NE(login, nullptr);
        login->usernamecell->setText("demo");
        login->pwdcell->setText("demo");
        login->login();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    }
    // A new log with the person's new photo and an IN party entry whose item has a new picture:
    // a save uploads the photo, then the picture, then sends the log.
    securityLogDetailView *fillNewLog(const QString &person) {
        auto *form = new securityLogDetailView();
        root->pushViewController(form, false);
        processEvents();
        QImage photo(320, 240, QImage::Format_RGB32);
        photo.fill(QColor(200, 120, 40));
        form->header->setName(person);
        form->header->setMobileNo("98430 77120");
        form->header->setPhoto(photo);
        form->cellEntryType->setText("Visitor");
        form->cellEntryType->identifier = "1";
        form->cellMeetTo->setText("Stores");
        ItemRow item = makeItemRow();
        item->titleText = "Loom Brush Set";
        QImage picture(200, 200, QImage::Format_RGB32);
        picture.fill(QColor(40, 90, 160));
        item->image = picture;
        item->makeQuantityControls();
        item->textField = "2";
        SectionEntry entry;
        entry.PartyDetails = {{"PartyName", "Sri Balaji Traders"}, {"City", "Erode"}};
        entry.DATA = {item};
        form->PartyINSectionCollView = {entry};
        return form;
    }

    IsolatedDefaults defaults;
    RecordingSystemScope system;
    QTemporaryDir dir;
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
};

TEST_P(SaveOnceTest, ARetryAfterTheServerDiedStoresTheLogExactlyOnce) {
#if defined(__SANITIZE_THREAD__)
    // Starting a program from a process that has threads (QProcess forks with CLONE_VFORK)
    // ends the process under ThreadSanitizer; the normal and ASan runs cover this test.
    GTEST_SKIP() << "cannot start the server program under ThreadSanitizer";
#endif
    const QString person = QStringLiteral("Retry %1").arg(GetParam().name);
    auto first = std::make_unique<ServerRun>(
        dir, QStringList{"--port", "0", "--demo", "--die-at", GetParam().dieAt});
    ASSERT_FALSE(first->port.isEmpty());
    const QString port = first->port;
    pointClientAt(port);
    logIn();
    if (HasFatalFailure())
        return;
    securityLogDetailView *form = fillNewLog(person);

    form->save(false);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return first->process.state() == QProcess::NotRunning; }, 20000))
        << "the server ends at its fault; the client says: "
        << (shown<AlertController>() ? shown<AlertController>()->message().toStdString() : "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<AlertController>() != nullptr; }, 40000));
    EXPECT_NE(shown<AlertController>()->title(), "Alert") << "not reported as saved";
    shown<AlertController>()->tapAction(0);
    processEvents();
    EXPECT_EQ(shown<securityLogDetailView>(), form) << "the form and what was typed stay";
    EXPECT_EQ(form->header->name(), person);
    EXPECT_LE(storedFor(dir, person).logs, 1);

    RealServer::closeIdleConnections();
    ServerRun second(dir, {"--port", port});
    ASSERT_FALSE(second.port.isEmpty()) << "restarted on the same port";
    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            auto *alert = shown<AlertController>();
            return alert && alert->title() == "Alert";
        },
        20000))
        << (shown<AlertController>() ? shown<AlertController>()->message().toStdString() : "");
    const Stored stored = storedFor(dir, person);
    EXPECT_EQ(stored.logs, 1);
    EXPECT_EQ(stored.details, 1);
    EXPECT_EQ(stored.pictures, 2); // the photo and the item's picture, both on disk
}

INSTANTIATE_TEST_SUITE_P(DeathPoints, SaveOnceTest,
                         ::testing::Values(DeathCase{"DuringThePhotoUpload", "upload:1"},
                                           DeathCase{"DuringTheBillUpload", "upload:2"},
                                           DeathCase{"AfterStoringBeforeAnswering", "after-save"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
