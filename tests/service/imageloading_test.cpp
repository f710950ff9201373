#include "dbconnection.h"
#include "imageloading.h"

#include <gtest/gtest.h>

namespace {

// Only paths under the image address become an address, percent-encoded; a full address, a
// climb out of it, or an image address that is not http gives none.
TEST(ImageAddress, IsBuiltOnlyUnderAnHttpImageAddress) {
    const QString saved = imgdatabase;
    const QString base = QStringLiteral("http://10.0.0.5:8642/files");
    for (const auto &[images, path, address] :
         {std::tuple{base, "~/Security/PersonsImages/7.jpg", "/Security/PersonsImages/7.jpg"},
          {base, " ~/Security/Bill 1#2?x=3%.png ", "/Security/Bill%201%232%3Fx%3D3%25.png"},
          {base, "~/a~b.png", "/a~b.png"},
          {base, "~/Foto/Müller.png", "/Foto/M%C3%BCller.png"},
          {base, "http://elsewhere.example/x.png", ""},
          {base, "~/../etc/passwd", ""},
          {base, "   ", ""},
          {QStringLiteral("file:///etc"), "~/x.png", ""}}) {
        imgdatabase = images;
        EXPECT_EQ(KingfisherWrapper::convertToSource(QString::fromUtf8(path))
                      .toString(QUrl::FullyEncoded),
                  *address ? base + QString::fromUtf8(address) : QString())
            << path;
    }
    imgdatabase = saved;
}

} // namespace
