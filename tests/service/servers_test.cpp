#include "dbconnection.h"
#include "imageloading.h"
#include "serverfixture.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char *const kSets = R"({
  "local":  {"nodedb2": "http://l:1", "DCdatabase": "http://l:2", "imgdatabase": "http://l:3/files",
             "servicesdatabase": "http://l:4", "commonServicesdatabase": "http://l:5",
             "reportServer": "http://l:6"},
  "localm": {"nodedb2": "http://m:1", "DCdatabase": "http://m:2", "imgdatabase": "http://m:3/files",
             "servicesdatabase": "http://m:4", "commonServicesdatabase": "http://m:5",
             "reportServer": "http://m:6"},
  "global": {"nodedb2": "http://g:1", "DCdatabase": "http://g:2", "imgdatabase": "http://g:3/files",
             "servicesdatabase": "http://g:4", "commonServicesdatabase": "http://g:5"}
})";

QStringList addresses() {
    return {nodedb2,     DCdatabase, imgdatabase, servicesdatabase, commonServicesdatabase,
            reportServer};
}

const QStringList kBefore{"before-node", "before-dc",  "before-img",
                          "before-svc",  "before-cmn", "before-report"};

void setAddresses(const QStringList &a) {
    nodedb2 = a[0];
    DCdatabase = a[1];
    imgdatabase = a[2];
    servicesdatabase = a[3];
    commonServicesdatabase = a[4];
    reportServer = a[5];
}

struct SetCase {
    const char *name;
    const char *fileContent; // null: the file does not exist
    int sender;
    QStringList expected;
};

class ServerSetChoice : public ::testing::TestWithParam<SetCase> {
protected:
    SavedAddresses saved;
    QTemporaryDir dir;
};

TEST_P(ServerSetChoice, RepointsOnlyForAKnownSetInAReadableFile) {
    const SetCase &c = GetParam();
    const QString path = dir.filePath(QStringLiteral("servers.json"));
    if (c.fileContent) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.fileContent);
    }
    ScopedEnv env("SECLOG_SERVERS", path.toUtf8());
    setAddresses(kBefore);
    changeDBConnection(c.sender);
    EXPECT_EQ(addresses(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ServerSetChoice,
    ::testing::Values(SetCase{"Local",
                              kSets,
                              0,
                              {"http://l:1", "http://l:2", "http://l:3/files", "http://l:4",
                               "http://l:5", "http://l:6"}},
                      SetCase{"LocalM",
                              kSets,
                              1,
                              {"http://m:1", "http://m:2", "http://m:3/files", "http://m:4",
                               "http://m:5", "http://m:6"}},
                      // A set without a key keeps that address.
                      SetCase{"GlobalWithoutReportServer",
                              kSets,
                              2,
                              {"http://g:1", "http://g:2", "http://g:3/files", "http://g:4",
                               "http://g:5", "before-report"}},
                      SetCase{"IndexThree", kSets, 3, kBefore},
                      SetCase{"IndexMinusOne", kSets, -1, kBefore},
                      SetCase{"MissingFile", nullptr, 0, kBefore},
                      SetCase{"MalformedJSON", "{\"local\": {\"nodedb2\": ", 0, kBefore},
                      SetCase{"TopLevelArray", "[{\"nodedb2\": \"http://x\"}]", 0, kBefore},
                      SetCase{"SetIsNotAnObject", "{\"local\": \"http://x\"}", 0, kBefore},
                      SetCase{"EmptyValuesKeepAddresses", "{\"local\": {\"nodedb2\": \"\"}}", 0,
                              kBefore}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Servers, BuiltInSetsApplyWithoutConfiguration) {
    SavedAddresses saved;
    ScopedEnv env("SECLOG_SERVERS", QByteArray());
    setAddresses({"", "", "", "", "", ""});
    changeDBConnection(0);
    EXPECT_FALSE(nodedb2.isEmpty());
    EXPECT_TRUE(nodedb2.startsWith(QLatin1String("http"))) << nodedb2.toStdString();
    EXPECT_FALSE(imgdatabase.isEmpty());
    EXPECT_FALSE(reportServer.isEmpty());
}

TEST(Servers, SetNames) {
    EXPECT_EQ(ServerSets::nameOf(0), QStringLiteral("local"));
    EXPECT_EQ(ServerSets::nameOf(1), QStringLiteral("localm"));
    EXPECT_EQ(ServerSets::nameOf(2), QStringLiteral("global"));
    EXPECT_TRUE(ServerSets::nameOf(3).isEmpty());
}

struct ImageCase {
    const char *name;
    const char *base;
    const char *path;
    const char *expected; // "" : no address
};

class ImageSource : public ::testing::TestWithParam<ImageCase> {
protected:
    SavedAddresses saved;
};

TEST_P(ImageSource, ServerPathBecomesAnHttpAddressOrNothing) {
    imgdatabase = QString::fromUtf8(GetParam().base);
    const QUrl url = KingfisherWrapper::convertToSource(QString::fromUtf8(GetParam().path));
    if (*GetParam().expected == '\0') {
        EXPECT_TRUE(url.isEmpty()) << url.toString().toStdString();
    } else {
        EXPECT_EQ(url.toString(), QString::fromUtf8(GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageSource,
    ::testing::Values(
        ImageCase{"Tilde", "http://h:1/files", "~/x/y.png", "http://h:1/files/x/y.png"},
        ImageCase{"Https", "https://h/files", "~/Security/PersonsImages/a.jpg",
                  "https://h/files/Security/PersonsImages/a.jpg"},
        ImageCase{"AlreadyAnAddress", "http://h:1/files", "http://o/p.jpg", "http://o/p.jpg"},
        ImageCase{"Empty", "http://h:1/files", "", ""},
        ImageCase{"Blank", "http://h:1/files", "   ", ""},
        ImageCase{"NoTilde", "http://h:1/files", "x/y.png", ""},
        ImageCase{"NoBase", "", "~/x/y.png", ""},
        ImageCase{"FileScheme", "file:///etc", "~/passwd", ""},
        ImageCase{"NotAnAddress", "http://h:1/files", "0", ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
