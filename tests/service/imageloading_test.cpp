#include "dbconnection.h"
#include "imageloading.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char *name;
    const char *path;
    const char *address; // "" for none
};

class ImageAddressTest : public ::testing::TestWithParam<AddressCase> {
protected:
    ImageAddressTest() : saved(imgdatabase) { imgdatabase = "http://10.0.0.5:8642/files"; }
    ~ImageAddressTest() override { imgdatabase = saved; }
    QString saved;
};

TEST_P(ImageAddressTest, IsBuiltOnlyUnderTheImageAddress) {
    EXPECT_EQ(KingfisherWrapper::convertToSource(GetParam().path).toString(QUrl::FullyEncoded),
              QString::fromUtf8(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageAddressTest,
    ::testing::Values(AddressCase{"Plain", "~/Security/PersonsImages/7.jpg",
                                  "http://10.0.0.5:8642/files/Security/PersonsImages/7.jpg"},
                      AddressCase{
                          "BlanksAndMarks", " ~/Security/Bill 1#2?x=3%.png ",
                          "http://10.0.0.5:8642/files/Security/Bill%201%232%3Fx%3D3%25.png"},
                      AddressCase{"TildeInside", "~/a~b.png", "http://10.0.0.5:8642/files/a~b.png"},
                      AddressCase{"Unicode", "~/Foto/Müller.png",
                                  "http://10.0.0.5:8642/files/Foto/M%C3%BCller.png"},
                      AddressCase{"FullAddressRefused", "http://elsewhere.example/x.png", ""},
                      AddressCase{"ClimbingRefused", "~/../etc/passwd", ""},
                      AddressCase{"Empty", "   ", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ImageAddress, NoneWithoutAnHttpImageAddress) {
    const QString saved = imgdatabase;
    imgdatabase = "file:///etc";
    EXPECT_TRUE(KingfisherWrapper::convertToSource("~/x.png").isEmpty());
    imgdatabase = saved;
}

} // namespace
