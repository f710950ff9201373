// Uploads stay inside the files folder: the folder an upload names is one of the client's
// two, given as a relative path without "..", and not a symbolic link leading elsewhere; each
// file is stored under a plain name of its own. Stored files are served only from inside the
// folder too.

#include "demo_server.h"

#include <iterator>
#include <map>
#include <optional>

namespace seclog::server::testing {
namespace {

// Every file under dir with its bytes, to prove a refused request wrote nothing anywhere.
std::map<std::string, std::string> filesUnder(const std::filesystem::path &dir) {
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir))
        if (std::ifstream in(entry.path(), std::ios::binary); entry.is_regular_file())
            files[entry.path().string()].assign(std::istreambuf_iterator<char>(in), {});
    return files;
}

const std::string kNotRelative = "folder must be a path relative to the upload root";
const std::string kClimbs = "folder may not contain \"..\"";
const std::string kUnknown =
    "folder must be Security/PersonsImages/ or Security/SecLogDetails_Bill/";
const std::string kLeaves = "folder leads out of the upload root through a symbolic link";

struct UploadCase {
    std::string name;
    std::optional<std::string> folder; // nullopt: no folder part at all
    std::string error;                 // "": stored
    std::string files = "1";           // the client's names, '|' between, in one upload
    // Per file, '|' between, the stored name's start before its random suffix.
    std::string stored = "1_";
    bool oneUploadEach = false;
};

std::vector<UploadCase> uploadCases() {
    const std::string persons = "Security/PersonsImages/", bills = "Security/SecLogDetails_Bill/";
    const std::string refused = "file name refused: ", tooLong(201, 'a');
    return {
        {"BillsWithoutSlash", "Security/SecLogDetails_Bill", ""},
        {"NoFolderPart", std::nullopt, "folder is missing"},
        {"Absolute", "/etc/", kNotRelative},
        {"Backslashed", "\\Security\\PersonsImages", kNotRelative},
        {"ClimbsFirst", "../Security/PersonsImages/", kClimbs},
        {"ClimbsAndComesBack", "Security/../Security/PersonsImages/", kClimbs},
        {"OtherFolder", "Security/Other/", kUnknown},
        {"BillsInUploadOrder", bills, "", "2|0|1", "2_|0_|1_"},
        // Every new person's photo is "1" and every log's first bill "0": no upload may
        // replace one stored before.
        {"SameNameInLaterUploads", persons, "", "1|1|1", "1_|1_|1_", true},
        // What would break the path as a URL (escapes, '?', '#', non-ASCII) becomes '_'.
        {"AwkwardNameStaysAUrl", bills, "", "Zo\xc3\xab %22bill%22?#x", "Zo_22bill_22_x_"},
        {"NameClimbsUp", persons, refused + "../../escape.jpg", "../../escape.jpg"},
        {"NameTooLong", persons, refused + tooLong, tooLong},
        {"OneBadNameStoresNone", bills, refused + "../escape.jpg", "kept.jpg|../escape.jpg"},
    };
}

httplib::Result upload(DemoServer &demo, const std::optional<std::string> &folder) {
    httplib::MultipartFormDataItems items = {{"file", "\xff\xd8 photo", "1", "image/jpeg"}};
    if (folder)
        items.insert(items.begin(), {"folder", *folder, "", ""});
    return demo.client().Post("/upload", items);
}

using Upload = SharedDemo<::testing::TestWithParam<UploadCase>>;

// Checked after the last upload, so a later file of the same name may not replace one; a
// refusal leaves every file as it was.
TEST_P(Upload, StoresInsideTheRootUnderNamesOfItsOwnOrSaysWhyNot) {
    const UploadCase &c = GetParam();
    const Ids files = listOf(c.files), stored = listOf(c.stored);
    const auto bytes = [](size_t i) { return std::string("\xff\xd8\0", 3) + std::to_string(i); };
    const auto before = filesUnder(demo->dir.path);
    json paths = json::array();
    httplib::MultipartFormDataItems items;
    if (c.folder)
        items.push_back({"folder", *c.folder, "", ""});
    for (size_t i = 0; i < files.size(); ++i) {
        items.push_back({"file", bytes(i), files[i], "image/jpeg"});
        if (!c.oneUploadEach && i + 1 < files.size())
            continue;
        const auto reply = demo->client().Post("/upload", items);
        if (!c.error.empty()) {
            EXPECT_EQ(jsonOf(reply, 400), errorOf(c.error));
            EXPECT_EQ(filesUnder(demo->dir.path), before);
            EXPECT_FALSE(std::filesystem::exists("/tmp/escape.jpg"));
            return;
        }
        for (const json &path : jsonOf(reply))
            paths.push_back(path);
        items.resize(1);
    }
    ASSERT_EQ(paths.size(), files.size()) << paths;
    const std::string folder = *c.folder + (c.folder->ends_with('/') ? "" : "/");
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = paths[i];
        EXPECT_TRUE(
            std::regex_match(path, std::regex("~/" + folder + stored.at(i) + "[0-9a-f]{16}\\.jpg")))
            << path;
        // Loaded as the client does: /files in place of "~".
        const auto image = demo->client().Get("/files" + path.substr(1));
        ASSERT_TRUE(image && image->status == 200) << path;
        EXPECT_EQ(image->body, bytes(i)) << path;
        EXPECT_EQ(image->get_header_value("Content-Type"), "image/jpeg") << path;
    }
}

INSTANTIATE_TEST_SUITE_P(Uploads, Upload, ::testing::ValuesIn(uploadCases()),
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

    EXPECT_EQ(jsonOf(upload(demo, "Security/SecLogDetails_Bill/"), 400), errorOf(kLeaves));
    EXPECT_EQ(filesUnder(outside),
              (std::map<std::string, std::string>{{(outside / "bill_1.png").string(), "outside"}}));
    const auto served = demo.client().Get("/files/Security/SecLogDetails_Bill/bill_1.png");
    EXPECT_TRUE(served && served->status == 400 &&
                served->body.find("outside") == std::string::npos);

    // Linked to a place inside the root: followed.
    std::filesystem::remove(bills);
    std::filesystem::create_directory_symlink(root / "Bills", bills);
    const json paths = jsonOf(upload(demo, "Security/SecLogDetails_Bill/"));
    ASSERT_EQ(paths.size(), 1u);
    const auto name = std::filesystem::path(paths[0].get<std::string>()).filename();
    EXPECT_TRUE(std::filesystem::exists(root / "Bills" / name)) << name;
    const auto image = demo.client().Get("/files/Security/SecLogDetails_Bill/bill_1.png");
    EXPECT_TRUE(image && image->status == 200);
}

} // namespace
} // namespace seclog::server::testing
