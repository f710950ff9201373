#include "database.h"
#include "demo_data.h"
#include "demo_server.h"
#include "report_layout.h"
#include "report_pdf.h"
#include "schema.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

// Helvetica's ascender and descender, as a share of the font size.
constexpr float kAscent = 0.718f;
constexpr float kDescent = 0.207f;
constexpr float kRight = kA4Width - kPageMargin;
constexpr float kTolerance = 0.01f;
constexpr std::array<const char *, 7> kHeadings = {"Section", "Type",        "Doc No", "Doc Date",
                                                   "Party",   "Particulars", "Qty"};

const TextMeasure &helvetica() {
    static const TextMeasure measure = helveticaMeasure();
    return measure;
}

float widthOf(const PlacedText &text) {
    return helvetica()(text.text, text.style);
}
bool isFooter(const PlacedText &text) {
    return text.text.rfind("Page ", 0) == 0;
}

SecurityLogReport demoReport() {
    SecurityLogReport report;
    report.branchName = "Halvik Textiles";
    for (const char *label : {"Branch", "Log No", "Person", "Mobile", "Address", "Designation",
                              "Person Type", "Vehicle", "Meet To", "Entry Type", "Token No",
                              "Purpose", "Gate", "Division", "In Time", "Out Time", "Logged By"})
        report.fields.emplace_back(label, "Rajesh Kannan");
    report.documents = {
        {"IN", "DC", "DC-2041", "2024-03-01", "Sri Murugan Yarns", "Cotton Yarn 40s", "24.500"},
        {"OUT", "Gate Pass", "GP-0117", "2024-03-01", "Sri Murugan Yarns", "Empty Paper Cones",
         "40.00"}};
    return report;
}

std::string repeated(const std::string &piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::string &field(SecurityLogReport &report, const std::string &label) {
    for (auto &[name, value] : report.fields)
        if (name == label)
            return value;
    throw std::runtime_error("no field " + label);
}

struct LayoutCase {
    const char *name;
    std::function<void(SecurityLogReport &)> change;
};

class ReportLayoutFits : public ::testing::TestWithParam<LayoutCase> {};

// Whatever the log holds, every text stays inside the margins and its own column, and no rule
// runs through a text.
TEST_P(ReportLayoutFits, EveryTextStaysInsideItsColumnAndTheMargins) {
    SecurityLogReport report = demoReport();
    GetParam().change(report);
    const auto pages = layoutSecurityLogReport(report, helvetica());
    ASSERT_FALSE(pages.empty());
    for (size_t p = 0; p < pages.size(); ++p) {
        const LaidOutPage &page = pages[p];
        for (const PlacedText &text : page.texts) {
            SCOPED_TRACE("page " + std::to_string(p + 1) + ": \"" + text.text + "\"");
            EXPECT_GE(text.x, kPageMargin - kTolerance);
            EXPECT_LE(text.x + widthOf(text), kRight + kTolerance);
            EXPECT_LE(text.baseline + kAscent * text.style.size, kA4Height - kPageMargin);
            EXPECT_GE(text.baseline - kDescent * text.style.size, isFooter(text) ? 0 : kPageMargin);
            for (const PlacedText &other : page.texts) {
                if (&other != &text && other.baseline == text.baseline && other.x > text.x) {
                    EXPECT_LT(text.x + widthOf(text), other.x) << "runs into \"" << other.text;
                }
            }
            for (const PlacedRule &rule : page.rules) {
                const bool across = rule.x1 < text.x + widthOf(text) && rule.x2 > text.x;
                const bool through = rule.y > text.baseline - kDescent * text.style.size &&
                                     rule.y < text.baseline + kAscent * text.style.size;
                EXPECT_FALSE(across && through) << "rule at " << rule.y;
            }
        }
        for (const PlacedRule &rule : page.rules) {
            EXPECT_GE(rule.x1, kPageMargin);
            EXPECT_LE(rule.x2, kRight + kTolerance);
        }
    }
}

std::vector<LayoutCase> layoutCases() {
    return {
        {"Demo", [](SecurityLogReport &) {}},
        {"LongCells",
         [](SecurityLogReport &r) {
             r.documents[1] = {repeated("OUT", 9),
                               repeated("Godown Transfer ", 4),
                               repeated("GP-0117/", 8),
                               "01 Mar 2024 10:15:00",
                               repeated("Kongu Cotton Traders ", 5),
                               repeated("Finished Fabric Rolls ", 5),
                               repeated("8", 30) + ".500"};
         }},
        {"LongFieldValues",
         [](SecurityLogReport &r) {
             field(r, "Address") = repeated("12, Avinashi Road, Peelamedu ", 6);
             field(r, "Purpose") = repeated("W", 120);
         }},
        {"ForeignTextAndLineBreaks",
         [](SecurityLogReport &r) {
             field(r, "Address") = "12 Main Road\nதமிழ் நாடு\r\nCoimbatore";
             r.documents[0].partyName = repeated("Société Générale ", 8);
             r.documents[1].particulars = "Étoffe à carreaux\nதமிழ்";
         }},
    };
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportLayoutFits, ::testing::ValuesIn(layoutCases()),
                         [](const auto &info) { return info.param.name; });

// A long table continues on new pages, each starting with the header row, and every
// document is printed once, in order.
TEST(ReportLayout, LongTablesBreakOntoPagesWithTheHeaderRepeated) {
    SecurityLogReport report = demoReport();
    report.documents.clear();
    for (int i = 1; i <= 120; ++i)
        report.documents.push_back({"IN", "DC", "DC-" + std::to_string(1000 + i), "2024-03-01",
                                    "Sri Murugan Yarns", "Cotton Yarn 40s", "120.00"});
    const auto pages = layoutSecurityLogReport(report, helvetica());
    ASSERT_GE(pages.size(), 3u);

    int next = 1001;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        std::vector<PlacedText> texts = pages[p].texts;
        std::stable_sort(texts.begin(), texts.end(),
                         [](const auto &a, const auto &b) { return a.baseline > b.baseline; });
        float headerBaseline = -1;
        for (const char *heading : kHeadings) {
            const auto found = std::find_if(texts.begin(), texts.end(),
                                            [&](const auto &t) { return t.text == heading; });
            ASSERT_NE(found, texts.end()) << heading;
            EXPECT_TRUE(found->style.bold) << heading;
            if (headerBaseline < 0)
                headerBaseline = found->baseline;
            EXPECT_EQ(found->baseline, headerBaseline) << heading;
        }
        bool hasRows = false;
        for (const PlacedText &text : texts) {
            if (text.text.rfind("DC-", 0) != 0)
                continue;
            hasRows = true;
            EXPECT_LT(text.baseline, headerBaseline) << text.text;
            EXPECT_EQ(text.text, "DC-" + std::to_string(next++));
        }
        EXPECT_TRUE(hasRows);
        EXPECT_EQ(texts.back().text,
                  "Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size()));
    }
    EXPECT_EQ(next, 1121);
}

struct RowCase {
    const char *name;
    ReportDocument document;
    const char *particularsPrinted = nullptr; // nullptr: as they are
};

class ReportLayoutRow : public ::testing::TestWithParam<RowCase> {};

// A line's values stand under their headings, cut to their columns; quantities end at the
// right margin, as their heading does.
TEST_P(ReportLayoutRow, PrintsEachValueUnderItsHeading) {
    SecurityLogReport report = demoReport();
    report.documents = {GetParam().document};
    const auto pages = layoutSecurityLogReport(report, helvetica());
    ASSERT_EQ(pages.size(), 1u);
    const auto &texts = pages[0].texts;
    const auto docNo =
        std::find_if(texts.begin(), texts.end(), [](const auto &t) { return t.text == "Doc No"; });
    ASSERT_NE(docNo, texts.end());
    std::vector<PlacedText> header, row; // the table holds just the header and this line
    for (const PlacedText &text : texts) {
        if (text.baseline == docNo->baseline)
            header.push_back(text);
        else if (text.baseline < docNo->baseline && !isFooter(text))
            row.push_back(text);
    }
    const auto leftToRight = [](const auto &a, const auto &b) { return a.x < b.x; };
    std::sort(header.begin(), header.end(), leftToRight);
    std::sort(row.begin(), row.end(), leftToRight);
    ReportDocument d = GetParam().document;
    if (GetParam().particularsPrinted)
        d.particulars = GetParam().particularsPrinted;
    const std::array printed = {d.section,   d.docType,     d.docNo,   d.docDate,
                                d.partyName, d.particulars, d.quantity};
    ASSERT_EQ(header.size(), kHeadings.size());
    ASSERT_EQ(row.size(), kHeadings.size());
    for (size_t i = 0; i < kHeadings.size(); ++i) {
        SCOPED_TRACE(kHeadings[i]);
        EXPECT_EQ(header[i].text, kHeadings[i]);
        EXPECT_EQ(row[i].text, printed[i]);
        EXPECT_FALSE(row[i].style.bold);
        if (i + 1 < kHeadings.size()) {
            EXPECT_EQ(row[i].x, header[i].x);
        } else {
            EXPECT_NEAR(header[i].x + widthOf(header[i]), kRight, kTolerance);
            EXPECT_NEAR(row[i].x + widthOf(row[i]), kRight, kTolerance);
        }
    }
}

// The longest type, document number and party of the demo site still fit.
INSTANTIATE_TEST_SUITE_P(
    Lines, ReportLayoutRow,
    ::testing::Values(RowCase{"OutLine",
                              {"OUT", "Returnable", "INV-88412", "2024-03-02",
                               "Lakshmi Machine Works", "Empty Bale Wraps", "4.00"}},
                      RowCase{"LongParticulars",
                              {"IN", "Bill", "SR-7781", "2024-03-01", "Farida Exports",
                               repeated("W", 40), "1250.000"},
                              "WWWWWWWWWW..."},
                      RowCase{"NoQuantity",
                              {"OUT", "Gate Pass", "GP-0117", "", "", "Sample Garments", ""}}),
    [](const auto &info) { return info.param.name; });

// Each detail line is a row with the quantity of its own section: IN keeps it in Quantity,
// OUT in OutQty.
TEST(ReportLoad, ListsEachLineWithTheQuantityOfItsSection) {
    TempDir dir;
    Database db((dir.path / "seclog.db").string());
    createSchema(db);
    loadDemoData(db, dir.path);
    const auto report = loadSecurityLogReport(db, 4, "HLV01");
    ASSERT_TRUE(report);
    std::vector<std::array<std::string, 4>> lines;
    for (const ReportDocument &doc : report->documents)
        lines.push_back({doc.section, doc.docNo, doc.particulars, doc.quantity});
    const std::vector<std::array<std::string, 4>> expected = {
        {"IN", "DC-2041", "Cotton Yarn 40s", "120.00"},
        {"IN", "DC-2041", "Cotton Yarn 60s", "80.00"},
        {"OUT", "GP-0117", "Empty Paper Cones", "40.00"}};
    EXPECT_EQ(lines, expected);
}

struct FitCase {
    const char *text;
    float width;
    bool bold;
    const char *fitted;
};

void PrintTo(const FitCase &c, std::ostream *os) {
    *os << '"' << c.text << "\" in " << c.width;
}

class FitToWidth : public ::testing::TestWithParam<FitCase> {};

// Cut by measured width, not by count of characters: "W" is over three times as wide as "i".
TEST_P(FitToWidth, CutsToTheMeasuredWidthAndEndsWithAnEllipsis) {
    const FitCase &c = GetParam();
    const TextStyle style{10, c.bold};
    const std::string fitted = fitToWidth(c.text, c.width, style, helvetica());
    EXPECT_EQ(fitted, c.fitted);
    EXPECT_LE(helvetica()(fitted, style), c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, FitToWidth,
    ::testing::Values(FitCase{"IN", 10.0f, false, "IN"}, // exactly as wide as the room
                      FitCase{"IN", 8.0f, false, ""}, FitCase{"WWWWWW", 30, false, "WW..."},
                      // the space before the cut goes, "..." follows the word
                      FitCase{"Sri Murugan Yarns", 66, false, "Sri Murugan..."},
                      FitCase{"Sri Murugan Yarns", 66, true, "Sri Muruga..."}));

using TextPair = std::pair<std::string, std::string>;

class WinAnsi : public ::testing::TestWithParam<TextPair> {};

TEST_P(WinAnsi, KeepsWhatTheBuiltInFontsPrint) {
    EXPECT_EQ(toWinAnsi(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Texts, WinAnsi,
                         ::testing::Values(TextPair{"Rajesh Kannan", "Rajesh Kannan"},
                                           TextPair{"Société", "Soci\xE9t\xE9"},
                                           TextPair{"a\nb\r\nc\td", "a b  c d"},
                                           TextPair{"தமிழ்", "?????"},
                                           // broken and overlong sequences never turn into a letter
                                           TextPair{"\xC3", "?"}, TextPair{"\xE0\x83\xA9", "?"}));

// The rendered file: every page A4 portrait, the texts searchable as laid out.
TEST(ReportPdf, PagesAreA4AndCarryTheLaidOutTexts) {
    SecurityLogReport report = demoReport();
    report.documents.assign(80, {"IN", "DC", "DC-2041", "2024-03-01", repeated("Yarns ", 30),
                                 "Cotton Yarn 40s", "24.500"});
    const std::string pdf = renderSecurityLogPdf(report);
    const auto pages = layoutSecurityLogReport(report, helvetica());
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);

    size_t boxes = 0;
    for (size_t at = pdf.find("/MediaBox"); at != std::string::npos;
         at = pdf.find("/MediaBox", at + 1), ++boxes) {
        float box[4] = {-1, -1, -1, -1};
        ASSERT_EQ(std::sscanf(pdf.c_str() + at, "/MediaBox [ %f %f %f %f", &box[0], &box[1],
                              &box[2], &box[3]),
                  4);
        EXPECT_EQ(box[0], 0);
        EXPECT_EQ(box[1], 0);
        EXPECT_NEAR(box[2], 595.276, 0.01);
        EXPECT_NEAR(box[3], 841.89, 0.01);
    }
    EXPECT_EQ(boxes, pages.size());
    for (const char *text : {"(Security Log Report)", "(Halvik Textiles)", "(Page 2 of "})
        EXPECT_NE(pdf.find(text), std::string::npos) << text;
    EXPECT_NE(pdf.find("(" + pages[0].texts.back().text + ")"), std::string::npos);
}

} // namespace
} // namespace seclog::server::testing
