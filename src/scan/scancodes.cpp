#include "scancodes.h"

namespace ScanCodes {

Kind classify(const QString &code, bool billMode, const QString &lastCode,
              const QStringList &inStrip) {
    if (billMode)
        return code.isEmpty() ? Kind::Ignored : Kind::Bill;
    // A code held before the camera is read frame after frame: it is looked up once.
    if (code == lastCode || inStrip.contains(code))
        return Kind::Ignored;
    if (code.contains(QLatin1String("GT")))
        return Kind::GodownTransfer;
    if (code.contains(QLatin1String("HB")))
        return Kind::HandBit;
    return Kind::DC;
}

} // namespace ScanCodes
