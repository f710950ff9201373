#include "report_layout.h"

#include <algorithm>
#include <array>

namespace seclog::server {
namespace {

constexpr float kTop = kA4Height - kPageMargin;
constexpr float kBottom = kPageMargin;
constexpr float kRight = kA4Width - kPageMargin;
constexpr float kFooterBaseline = 30;
constexpr float kRowHeight = 16;
constexpr float kCellGap = 8;   // between a cell's text and the next column
constexpr float kHeaderGap = 4; // between the table's header rule and its first row

constexpr TextStyle kBody{10, false};
constexpr TextStyle kBodyBold{10, true};
constexpr TextStyle kTitle{16, true};
constexpr TextStyle kSubtitle{13, true};
constexpr TextStyle kHeading{12, true};
constexpr TextStyle kFooter{8, false};

// Helvetica's capitals stand about this high, as a share of the font size.
constexpr float kCapHeight = 0.72f;

constexpr float kLabelX = kPageMargin;
constexpr float kValueX = 150;

struct Column {
    float x;
    const char *heading;
    bool alignRight = false;
};
// Section and Type hold short words, Doc No and Doc Date short codes; Party and Particulars
// share what is left, and the quantities line up on their last digit at the margin.
constexpr std::array<Column, 7> kColumns = {{{kPageMargin, "Section"},
                                             {95, "Type"},
                                             {153, "Doc No"},
                                             {210, "Doc Date"},
                                             {270, "Party"},
                                             {390, "Particulars"},
                                             {503, "Qty", true}}};

// Room for a column's text: up to the next column less a gap, the last one up to the margin.
constexpr float textWidth(size_t column) {
    return column + 1 < kColumns.size() ? kColumns[column + 1].x - kColumns[column].x - kCellGap
                                        : kRight - kColumns[column].x;
}

struct Cell {
    float x, width;        // the text is cut to fit `width`
    std::string_view text; // UTF-8
    TextStyle style;
    bool alignRight = false; // ends at x + width instead of starting at x
};

// Places rows top down and starts a new page when the next one would reach the bottom margin.
class Composer {
public:
    explicit Composer(const TextMeasure &measure) : measure_(measure) { newPage(); }

    // True if a new page had to be started for `height` more.
    bool ensureRoom(float height) {
        if (top_ - height >= kBottom)
            return false;
        newPage();
        return true;
    }

    // One row of cells on a common baseline, capitals centred in the row. The caller has made
    // room for it.
    void row(float height, const std::vector<Cell> &cells) {
        float size = 0;
        for (const Cell &cell : cells)
            size = std::max(size, cell.style.size);
        const float baseline = top_ - height / 2 - size * kCapHeight / 2;
        for (const Cell &cell : cells) {
            std::string text = fitToWidth(toWinAnsi(cell.text), cell.width, cell.style, measure_);
            const float x =
                cell.alignRight ? cell.x + cell.width - measure_(text, cell.style) : cell.x;
            page().texts.push_back({x, baseline, cell.style, std::move(text)});
        }
        top_ -= height;
    }

    // A rule along the bottom of the row just placed, below its descenders.
    void rule() { page().rules.push_back({kPageMargin, kRight, top_}); }

    void space(float height) { top_ -= height; }

    std::vector<LaidOutPage> finish() {
        for (size_t i = 0; i < pages_.size(); ++i) {
            const std::string number =
                "Page " + std::to_string(i + 1) + " of " + std::to_string(pages_.size());
            pages_[i].texts.push_back(
                {kRight - measure_(number, kFooter), kFooterBaseline, kFooter, number});
        }
        return std::move(pages_);
    }

private:
    LaidOutPage &page() { return pages_.back(); }
    void newPage() {
        pages_.emplace_back();
        top_ = kTop;
    }

    const TextMeasure &measure_;
    std::vector<LaidOutPage> pages_;
    float top_ = kTop;
};

void tableRow(Composer &page, const std::array<std::string_view, kColumns.size()> &texts,
              TextStyle style) {
    std::vector<Cell> cells;
    for (size_t i = 0; i < kColumns.size(); ++i)
        cells.push_back({kColumns[i].x, textWidth(i), texts[i], style, kColumns[i].alignRight});
    page.row(kRowHeight, cells);
}

void tableHeader(Composer &page) {
    std::array<std::string_view, kColumns.size()> headings;
    for (size_t i = 0; i < kColumns.size(); ++i)
        headings[i] = kColumns[i].heading;
    tableRow(page, headings, kBodyBold);
    page.rule();
    page.space(kHeaderGap);
}

void documentsTable(Composer &page, const std::vector<ReportDocument> &documents) {
    constexpr float headingHeight = 22;
    constexpr float fullWidth = kRight - kPageMargin;
    // The heading never ends a page on its own: it keeps the header row and one line with it.
    page.ensureRoom(headingHeight + kRowHeight + kHeaderGap + kRowHeight);
    page.row(headingHeight, {{kPageMargin, fullWidth, "Documents", kHeading}});
    tableHeader(page);
    if (documents.empty()) {
        page.row(kRowHeight, {{kPageMargin, fullWidth, "No documents recorded.", kBody}});
        return;
    }
    for (const ReportDocument &doc : documents) {
        if (page.ensureRoom(kRowHeight))
            tableHeader(page);
        tableRow(page,
                 {doc.section, doc.docType, doc.docNo, doc.docDate, doc.partyName, doc.particulars,
                  doc.quantity},
                 kBody);
    }
}

// Length of the UTF-8 sequence that `lead` starts, 0 if it cannot start one.
size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

std::string toWinAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            // Line breaks and tabs in an address print as spaces on its one line.
            const bool isSpace = lead == '\t' || lead == '\n' || lead == '\r';
            out.push_back(isSpace ? ' ' : (lead >= 0x20 && lead != 0x7F ? char(lead) : '?'));
            ++i;
            continue;
        }
        const size_t length = sequenceLength(lead);
        char32_t codePoint = lead & (0x7F >> length);
        size_t taken = 1;
        while (length && taken < length && i + taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + taken++]) & 0x3F);
        constexpr char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool complete = length && taken == length && codePoint >= shortest[length];
        out.push_back(complete && codePoint >= 0xA0 && codePoint <= 0xFF ? char(codePoint) : '?');
        i += taken;
    }
    return out;
}

std::string fitToWidth(std::string_view text, float width, TextStyle style,
                       const TextMeasure &measure) {
    if (measure(text, style) <= width)
        return std::string(text);
    constexpr std::string_view ellipsis = "...";
    if (measure(ellipsis, style) > width)
        return {};
    // Longest prefix that fits with the ellipsis; widths only grow with length.
    size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const size_t middle = (fits + tooLong) / 2;
        if (measure(std::string(text.substr(0, middle)) + std::string(ellipsis), style) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    std::string_view kept = text.substr(0, fits);
    while (!kept.empty() && kept.back() == ' ')
        kept.remove_suffix(1);
    return std::string(kept) + std::string(ellipsis);
}

std::vector<LaidOutPage> layoutSecurityLogReport(const SecurityLogReport &report,
                                                 const TextMeasure &measure) {
    constexpr float fullWidth = kRight - kPageMargin;
    Composer page(measure);
    page.row(24, {{kPageMargin, fullWidth, report.branchName, kTitle}});
    page.row(20, {{kPageMargin, fullWidth, "Security Log Report", kSubtitle}});
    page.rule();
    page.space(10);
    for (const auto &[label, value] : report.fields) {
        page.ensureRoom(kRowHeight);
        page.row(kRowHeight, {{kLabelX, kValueX - kLabelX - kCellGap, label, kBodyBold},
                              {kValueX, kRight - kValueX, value, kBody}});
    }
    page.space(14);
    documentsTable(page, report.documents);
    return page.finish();
}

} // namespace seclog::server
