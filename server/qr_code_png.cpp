#include "qr_code_png.h"

#include "png_writer.h"

#include <BarcodeFormat.h>
#include <BitMatrix.h>
#include <MultiFormatWriter.h>
#include <stdexcept>
#include <vector>

namespace seclog::server {

std::string qrCodePng(std::string_view text, int moduleSize, int quietModules) {
    if (moduleSize < 1 || quietModules < 0)
        throw std::invalid_argument("qrCodePng: bad module size or quiet zone");
    ZXing::BitMatrix modules;
    try {
        // Size 0 and no margin: one pixel a module, so the scaling below is exact.
        modules = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                      .setMargin(0)
                      .encode(std::string(text), 0, 0);
    } catch (const std::exception &error) {
        throw std::invalid_argument(std::string("qrCodePng: ") + error.what());
    }
    const int side = (modules.width() + 2 * quietModules) * moduleSize;
    std::vector<bool> black(static_cast<size_t>(side) * static_cast<size_t>(side), false);
    for (int y = 0; y < modules.height(); ++y)
        for (int x = 0; x < modules.width(); ++x) {
            if (!modules.get(x, y))
                continue;
            const int left = (x + quietModules) * moduleSize, top = (y + quietModules) * moduleSize;
            for (int dy = 0; dy < moduleSize; ++dy)
                for (int dx = 0; dx < moduleSize; ++dx)
                    black[static_cast<size_t>(top + dy) * static_cast<size_t>(side) +
                          static_cast<size_t>(left + dx)] = true;
        }
    return encodeBlackWhitePng(side, side, black);
}

} // namespace seclog::server
