#include "dbconnection.h"
#include "imageloading.h"
#include "serverfixture.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char *const kSets = R"({
  "local":  {"nodedb2": "l1", "DCdatabase": "l2", "imgdatabase": "l3", "servicesdatabase": "l4",
             "commonServicesdatabase": "l5", "reportServer": "l6"},
  "localm": {"nodedb2": "m1", "DCdatabase": "m2", "imgdatabase": "m3", "servicesdatabase": "m4",
             "commonServicesdatabase": "m5", "reportServer": "m6"},
  "global": {"nodedb2": "g1", "DCdatabase": "g2", "imgdatabase": "g3", "servicesdatabase": "g4",
             "commonServicesdatabase": "g5"}
})";

QStringList addresses() {
    return {nodedb2,     DCdatabase, imgdatabase, servicesdatabase, commonServicesdatabase,
            reportServer};
}

void setAddresses(const QStringList &a) {
    nodedb2 = a[0], DCdatabase = a[1], imgdatabase = a[2], servicesdatabase = a[3];
    commonServicesdatabase = a[4], reportServer = a[5];
}

const QStringList kBefore{"b1", "b2", "b3", "b4", "b5", "b6"};

TEST(Servers, ChangeDBConnectionRepointsOnlyForAKnownSetInAReadableFile) {
    struct Case {
        const char *name;
        const char *file; // null: no such file
        int sender;
        QStringList expected;
    };
    const Case cases[] = {
        {"local", kSets, 0, {"l1", "l2", "l3", "l4", "l5", "l6"}},
        {"localm", kSets, 1, {"m1", "m2", "m3", "m4", "m5", "m6"}},
        // A set without a key keeps that address.
        {"global", kSets, 2, {"g1", "g2", "g3", "g4", "g5", "b6"}},
        {"index 3", kSets, 3, kBefore},
        {"index -1", kSets, -1, kBefore},
        {"missing file", nullptr, 0, kBefore},
        {"malformed", R"({"local": {"nodedb2": )", 0, kBefore},
        {"set not an object", R"({"local": "http://x"})", 0, kBefore},
        {"empty value", R"({"local": {"nodedb2": ""}})", 0, kBefore},
    };
    SavedAddresses saved;
    for (const Case &k : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("servers.json"));
        QFile f(path);
        if (k.file) {
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(k.file);
            f.close();
        }
        ScopedEnv env("SECLOG_SERVERS", path.toUtf8());
        setAddresses(kBefore);
        changeDBConnection(k.sender);
        EXPECT_EQ(addresses(), k.expected) << k.name;
    }
}

TEST(Servers, BuiltInSetsApplyWithoutConfiguration) {
    SavedAddresses saved;
    ScopedEnv env("SECLOG_SERVERS", QByteArray());
    setAddresses({"", "", "", "", "", ""});
    changeDBConnection(0);
    for (const QString &address : addresses())
        EXPECT_TRUE(address.startsWith(QLatin1String("http"))) << address.toStdString();
}

TEST(Images, ConvertToSourceGivesAnHttpAddressOrNothing) {
    struct Case {
        const char *base, *path, *expected; // "": no address
    };
    SavedAddresses saved;
    for (const Case &k : {
             Case{"http://h:1/files", "~/x/y.png", "http://h:1/files/x/y.png"},
             Case{"https://h/files", "~/S/a.jpg", "https://h/files/S/a.jpg"},
             Case{"http://h:1/files", "http://o/p.jpg", "http://o/p.jpg"},
             Case{"http://h:1/files", "   ", ""},
             Case{"http://h:1/files", "x/y.png", ""},
             Case{"", "~/x/y.png", ""},
             Case{"file:///etc", "~/passwd", ""},
             Case{"http://h:1/files", "0", ""},
         }) {
        imgdatabase = QString::fromUtf8(k.base);
        EXPECT_EQ(KingfisherWrapper::convertToSource(QString::fromUtf8(k.path)).toString(),
                  QString::fromUtf8(k.expected))
            << k.base << " + " << k.path;
    }
}

} // namespace
