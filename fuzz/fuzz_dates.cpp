// A date text as the server or a guard writes it, converted from and to every date pattern of
// the client, as the screens convert InTime, DCDate, Dt and the like.

#include "common.h"
#include "dateformats.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <QList>

namespace {

// Every case the client has, and the neighbours of each that it has not.
QList<int> allCases() {
    QList<int> cases;
    for (int dateCase = -1; dateCase <= 23; ++dateCase)
        cases.append(dateCase);
    return cases;
}

bool known(int dateCase) {
    return !dateFormats::pattern(dateCase).isEmpty();
}

// The cases that hold a whole day (day, month and year) and nothing else.
bool wholeDay(int dateCase) {
    return dateCase == 0 || dateCase == 3 || dateCase == 4 || dateCase == 17;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto &common = common::sharedInstance();
    static const QList<int> cases = allCases();
    for (const int from : cases) {
        const auto read = common.dateFromText(text, dateFormats::pattern(from));
        if (!read) {
            fuzzCheck(!common.convertDateText(from, 4, text),
                      "a text that does not read does not convert");
            continue;
        }
        fuzzCheck(read->isValid() && known(from), "only the client's own patterns read dates");
        for (const int to : cases) {
            const auto converted = common.convertDateText(from, to, text);
            fuzzCheck(converted.has_value() == known(to), "a date converts to every pattern");
            if (!converted)
                continue;
            fuzzCheck(common.convertDateText(to, to, *converted) == converted,
                      "a converted date reads back as itself");
            if (wholeDay(from) && wholeDay(to)) {
                const auto back = common.convertDateText(to, from, *converted);
                fuzzCheck(back && back->compare(text, Qt::CaseInsensitive) == 0,
                          "a day converts back to the text it came from");
            }
        }
    }
    return 0;
}
