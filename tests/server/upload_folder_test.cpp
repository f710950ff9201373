// Uploads stay inside the files folder: the folder an upload names is one of the client's
// two, given as a relative path without "..", and not a symbolic link leading elsewhere.
// Stored files are served only from inside the folder too.

#include "demo_server.h"

#include <optional>

namespace seclog::server::testing {
namespace {

const std::string kNotRelative = "folder must be a path relative to the upload root";
const std::string kClimbs = "folder may not contain \"..\"";
const std::string kUnknown =
    "folder must be Security/PersonsImages/ or Security/SecLogDetails_Bill/";
const std::string kLeaves = "folder leads out of the upload root through a symbolic link";

struct FolderCase {
    std::string name;
    std::optional<std::string> folder; // nullopt: no folder part at all
    std::string error;                 // "": stored there
};

std::vector<FolderCase> folderCases() {
    return {
        {"PersonsWithSlash", "Security/PersonsImages/", ""},
        {"BillsWithoutSlash", "Security/SecLogDetails_Bill", ""},
        {"NoFolderPart", std::nullopt, "folder is missing"},
        {"EmptyFolder", "", "folder is missing"},
        {"Absolute", "/etc/", kNotRelative},
        {"AbsoluteInsideRoot", "/Security/PersonsImages/", kNotRelative},
        {"Backslashed", "\\Security\\PersonsImages", kNotRelative},
        {"DriveLetter", "C:/Security/PersonsImages/", kNotRelative},
        {"ClimbsFirst", "../Security/PersonsImages/", kClimbs},
        {"ClimbsAndComesBack", "Security/../Security/PersonsImages/", kClimbs},
        {"ClimbsLast", "Security/PersonsImages/..", kClimbs},
        {"ClimbsWithBackslash", "Security\\..\\PersonsImages", kClimbs},
        {"OtherFolder", "Security/Other/", kUnknown},
        {"SubFolder", "Security/PersonsImages/x/", kUnknown},
        {"OtherCase", "security/personsimages/", kUnknown},
        {"DotFolder", "Security/./PersonsImages/", kUnknown},
        {"DoubleSlash", "Security//PersonsImages/", kUnknown},
        {"TrailingBlank", "Security/PersonsImages/ ", kUnknown},
    };
}

httplib::Result upload(DemoServer &demo, const std::optional<std::string> &folder) {
    httplib::MultipartFormDataItems items = {{"file", "\xff\xd8 photo", "1", "image/jpeg"}};
    if (folder)
        items.insert(items.begin(), {"folder", *folder, "", ""});
    return demo.client().Post("/upload", items);
}

using UploadFolder = SharedDemo<::testing::TestWithParam<FolderCase>>;

TEST_P(UploadFolder, StoresInsideTheRootOrSaysWhyNot) {
    const FolderCase &c = GetParam();
    const auto before = filesUnder(demo->dir.path);
    const auto reply = upload(*demo, c.folder);
    if (!c.error.empty()) {
        EXPECT_EQ(jsonOf(reply, 400), json({{"error", c.error}}));
        EXPECT_EQ(filesUnder(demo->dir.path), before);
        return;
    }
    const json paths = jsonOf(reply);
    ASSERT_EQ(paths.size(), 1u) << paths;
    const std::string path = paths[0];
    const std::string folder = *c.folder + (c.folder->ends_with('/') ? "" : "/");
    EXPECT_TRUE(path.starts_with("~/" + folder + "1_")) << path;
    EXPECT_TRUE(std::filesystem::exists(demo->server.filesDir() / path.substr(2))) << path;
}

INSTANTIATE_TEST_SUITE_P(Folders, UploadFolder, ::testing::ValuesIn(folderCases()),
                         [](const auto &info) { return info.param.name; });

// A folder made a symbolic link: one leading out of the files folder takes no upload and
// serves nothing; one leading to another place inside it works as the folder would.
TEST(UploadFolderLink, IsFollowedOnlyWhileItStaysInside) {
    DemoServer demo;
    const std::filesystem::path root = demo.server.filesDir();
    const std::filesystem::path outside = demo.dir.path / "outside";
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "bill_1.png") << "outside";
    const std::filesystem::path bills = root / "Security/SecLogDetails_Bill";
    std::filesystem::rename(bills, root / "Bills");
    std::filesystem::create_directory_symlink(outside, bills);

    EXPECT_EQ(jsonOf(upload(demo, "Security/SecLogDetails_Bill/"), 400),
              json({{"error", kLeaves}}));
    EXPECT_EQ(filesUnder(outside),
              (std::map<std::string, std::string>{{(outside / "bill_1.png").string(), "outside"}}));
    const auto served = demo.client().Get("/files/Security/SecLogDetails_Bill/bill_1.png");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->status, 400);
    EXPECT_EQ(served->body.find("outside"), std::string::npos);

    // The whole Security folder linked out: the other folder is refused as well.
    const std::filesystem::path security = root / "Security";
    std::filesystem::rename(security, root / "SecurityKept");
    std::filesystem::create_directory_symlink(outside, security);
    EXPECT_EQ(jsonOf(upload(demo, "Security/PersonsImages/"), 400), json({{"error", kLeaves}}));
    EXPECT_FALSE(std::filesystem::exists(outside / "PersonsImages"));

    // Linked to a place inside the root: followed.
    std::filesystem::remove(security);
    std::filesystem::rename(root / "SecurityKept", security);
    std::filesystem::remove(bills);
    std::filesystem::create_directory_symlink(root / "Bills", bills);
    const json paths = jsonOf(upload(demo, "Security/SecLogDetails_Bill/"));
    ASSERT_EQ(paths.size(), 1u);
    const std::string name =
        paths[0].get<std::string>().substr(sizeof("~/Security/SecLogDetails_Bill/") - 1);
    EXPECT_TRUE(std::filesystem::exists(root / "Bills" / name)) << name;
    const auto image = demo.client().Get("/files/Security/SecLogDetails_Bill/bill_1.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->status, 200);
}

} // namespace
} // namespace seclog::server::testing
