#include "demo_server.h"
#include "report_layout.h"
#include "report_pdf.h"

#include <cstdio>

namespace seclog::server::testing {
namespace {

const TextMeasure &helvetica() {
    static const TextMeasure measure = helveticaMeasure();
    return measure;
}

std::string repeated(const std::string &piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// A log of 60 lines over several pages, its cells too long for their columns, in Tamil and
// French as well as English.
SecurityLogReport longReport() {
    SecurityLogReport report;
    report.branchName = "Halvik Textiles";
    for (const char *label : {"Branch", "Log No", "Person", "Mobile", "Designation", "Vehicle",
                              "Meet To", "Token No", "Gate", "In Time", "Out Time"})
        report.fields.emplace_back(label, "Rajesh Kannan");
    report.fields.emplace_back("Address",
                               "12 Main Road\nதமிழ் நாடு\r\n" + repeated("Peelamedu ", 30));
    report.fields.emplace_back("Purpose", repeated("W", 120));
    report.documents.assign(60, {"IN", "DC", "DC-2041", "2024-03-01", "Sri Murugan Yarns",
                                 "Étoffe à carreaux\nதமிழ்", "24.500"});
    report.documents[1] = {repeated("OUT", 9),
                           repeated("Godown Transfer ", 4),
                           repeated("GP-0117/", 8),
                           "01 Mar 2024 10:15:00",
                           repeated("Société Générale ", 8),
                           repeated("Finished Fabric Rolls ", 5),
                           repeated("8", 30) + ".500"};
    return report;
}

// The rendered file: every page A4 portrait, the texts searchable as laid out, each inside
// the side margins.
TEST(ReportPdf, PagesAreA4AndCarryTheLaidOutTexts) {
    const SecurityLogReport report = longReport();
    const std::string pdf = renderSecurityLogPdf(report);
    const auto pages = layoutSecurityLogReport(report, helvetica());
    for (const auto &page : pages)
        for (const PlacedText &text : page.texts) {
            const float right = text.x + helvetica()(text.text, text.style);
            EXPECT_TRUE(text.x >= kPageMargin && right <= kA4Width - kPageMargin + 0.01f)
                << text.text;
        }
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
