#include "report_pdf.h"

#include <array>
#include <hpdf.h>
#include <memory>
#include <stdexcept>

namespace seclog::server {
namespace {

constexpr float kMargin = 50;
constexpr float kPageBottom = 60;
constexpr size_t kMaxCellChars = 60;

struct HaruError {
    HPDF_STATUS code = HPDF_OK;
};

void recordError(HPDF_STATUS error, HPDF_STATUS, void *userData) {
    auto *state = static_cast<HaruError *>(userData);
    if (state->code == HPDF_OK)
        state->code = error;
}

// The built-in fonts only cover Latin-1-ish text; keep it printable ASCII and short.
std::string printable(const std::string &text, size_t maxChars = kMaxCellChars) {
    std::string out;
    for (unsigned char c : text) {
        if (out.size() >= maxChars) {
            out.replace(out.size() - 3, 3, "...");
            break;
        }
        out.push_back(c >= 32 && c < 127 ? static_cast<char>(c) : '?');
    }
    return out;
}

class PdfWriter {
public:
    PdfWriter() : pdf_(HPDF_New(recordError, &error_), HPDF_Free) {
        if (!pdf_)
            throw std::runtime_error("libharu: cannot create document");
        font_ = HPDF_GetFont(pdf_.get(), "Helvetica", nullptr);
        bold_ = HPDF_GetFont(pdf_.get(), "Helvetica-Bold", nullptr);
        newPage();
    }

    void text(float x, const std::string &value, float size = 10, bool isBold = false) {
        HPDF_Page_BeginText(page_);
        HPDF_Page_SetFontAndSize(page_, isBold ? bold_ : font_, size);
        HPDF_Page_TextOut(page_, x, y_, printable(value).c_str());
        HPDF_Page_EndText(page_);
    }

    void rule() {
        HPDF_Page_SetLineWidth(page_, 0.5f);
        HPDF_Page_MoveTo(page_, kMargin, y_ + 12);
        HPDF_Page_LineTo(page_, HPDF_Page_GetWidth(page_) - kMargin, y_ + 12);
        HPDF_Page_Stroke(page_);
    }

    void advance(float height) {
        y_ -= height;
        if (y_ < kPageBottom)
            newPage();
    }

    std::string finish() {
        HPDF_SaveToStream(pdf_.get());
        std::string bytes(HPDF_GetStreamSize(pdf_.get()), '\0');
        HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
        HPDF_ResetStream(pdf_.get());
        HPDF_ReadFromStream(pdf_.get(), reinterpret_cast<HPDF_BYTE *>(bytes.data()), &size);
        bytes.resize(size);
        if (error_.code != HPDF_OK || bytes.empty())
            throw std::runtime_error("libharu error " + std::to_string(error_.code));
        return bytes;
    }

private:
    void newPage() {
        page_ = HPDF_AddPage(pdf_.get());
        HPDF_Page_SetSize(page_, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
        y_ = HPDF_Page_GetHeight(page_) - kMargin;
    }

    HaruError error_;
    std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)> pdf_;
    HPDF_Font font_ = nullptr;
    HPDF_Font bold_ = nullptr;
    HPDF_Page page_ = nullptr;
    float y_ = 0;
};

void writeDocumentsTable(PdfWriter &pdf, const std::vector<ReportDocument> &documents) {
    constexpr std::array<float, 5> columns = {kMargin, 100, 190, 300, 380};
    constexpr std::array<const char *, 5> headings = {"Section", "Type", "Doc No", "Doc Date",
                                                      "Party"};
    pdf.text(kMargin, "Documents", 12, true);
    pdf.advance(20);
    for (size_t i = 0; i < columns.size(); ++i)
        pdf.text(columns[i], headings[i], 10, true);
    pdf.advance(16);
    if (documents.empty()) {
        pdf.text(kMargin, "No documents recorded.");
        return;
    }
    for (const ReportDocument &doc : documents) {
        const std::array<const std::string *, 5> cells = {&doc.section, &doc.docType, &doc.docNo,
                                                          &doc.docDate, &doc.partyName};
        for (size_t i = 0; i < columns.size(); ++i)
            pdf.text(columns[i], printable(*cells[i], i + 1 == columns.size() ? 40 : 16));
        pdf.advance(16);
    }
}

} // namespace

std::string renderSecurityLogPdf(const SecurityLogReport &report) {
    PdfWriter pdf;
    pdf.text(kMargin, report.branchName, 16, true);
    pdf.advance(22);
    pdf.text(kMargin, "Security Log Report", 13, true);
    pdf.advance(10);
    pdf.rule();
    pdf.advance(14);
    for (const auto &[label, value] : report.fields) {
        pdf.text(kMargin, label, 10, true);
        pdf.text(170, value);
        pdf.advance(18);
    }
    pdf.advance(10);
    writeDocumentsTable(pdf, report.documents);
    return pdf.finish();
}

} // namespace seclog::server
