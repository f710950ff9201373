#pragma once

#include <QString>
#include <QStringList>

// What a code read by the camera or typed names, before anything is asked of the server.
namespace ScanCodes {
enum class Kind {
    Ignored,        // nothing to look up: empty, the code just read, or one already in the strip
    Bill,           // bill mode: every code is a bill
    GodownTransfer, // "GT" anywhere in the code
    HandBit,        // "HB" anywhere in the code
    DC              // any other code
};

// `lastCode` is the code whose lookup is under way; `inStrip` the codes already accepted.
Kind classify(const QString &code, bool billMode, const QString &lastCode,
              const QStringList &inStrip);
} // namespace ScanCodes
