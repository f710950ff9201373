#include "report_pdf.h"

#include <hpdf.h>
#include <memory>
#include <stdexcept>

namespace seclog::server {
namespace {

constexpr const char *kEncoding = "WinAnsiEncoding";

struct HaruError {
    HPDF_STATUS code = HPDF_OK;
};

void recordError(HPDF_STATUS error, HPDF_STATUS, void *userData) {
    auto *state = static_cast<HaruError *>(userData);
    if (state->code == HPDF_OK)
        state->code = error;
}

// A libharu document with the report's two faces loaded.
class HaruDocument {
public:
    HaruDocument() : pdf_(HPDF_New(recordError, &error_), HPDF_Free) {
        if (!pdf_)
            throw std::runtime_error("libharu: cannot create document");
        regular_ = HPDF_GetFont(pdf_.get(), "Helvetica", kEncoding);
        bold_ = HPDF_GetFont(pdf_.get(), "Helvetica-Bold", kEncoding);
        throwIfFailed();
    }
    HaruDocument(const HaruDocument &) = delete;
    HaruDocument &operator=(const HaruDocument &) = delete;

    HPDF_Doc get() const { return pdf_.get(); }
    HPDF_Font font(TextStyle style) const { return style.bold ? bold_ : regular_; }

    float width(std::string_view text, TextStyle style) const {
        const std::string bytes(text);
        const HPDF_TextWidth width =
            HPDF_Font_TextWidth(font(style), reinterpret_cast<const HPDF_BYTE *>(bytes.c_str()),
                                static_cast<HPDF_UINT>(bytes.size()));
        return static_cast<float>(width.width) * style.size / 1000;
    }

    void throwIfFailed() const {
        if (error_.code != HPDF_OK)
            throw std::runtime_error("libharu error " + std::to_string(error_.code));
    }

private:
    HaruError error_;
    std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)> pdf_;
    HPDF_Font regular_ = nullptr;
    HPDF_Font bold_ = nullptr;
};

void drawPage(const HaruDocument &doc, const LaidOutPage &laidOut) {
    HPDF_Page page = HPDF_AddPage(doc.get());
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    for (const PlacedText &text : laidOut.texts) {
        HPDF_Page_BeginText(page);
        HPDF_Page_SetFontAndSize(page, doc.font(text.style), text.style.size);
        HPDF_Page_TextOut(page, text.x, text.baseline, text.text.c_str());
        HPDF_Page_EndText(page);
    }
    HPDF_Page_SetLineWidth(page, 0.5f);
    for (const PlacedRule &rule : laidOut.rules) {
        HPDF_Page_MoveTo(page, rule.x1, rule.y);
        HPDF_Page_LineTo(page, rule.x2, rule.y);
        HPDF_Page_Stroke(page);
    }
}

std::string save(const HaruDocument &doc) {
    HPDF_SaveToStream(doc.get());
    std::string bytes(HPDF_GetStreamSize(doc.get()), '\0');
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
    HPDF_ResetStream(doc.get());
    HPDF_ReadFromStream(doc.get(), reinterpret_cast<HPDF_BYTE *>(bytes.data()), &size);
    bytes.resize(size);
    doc.throwIfFailed();
    if (bytes.empty())
        throw std::runtime_error("libharu wrote nothing");
    return bytes;
}

} // namespace

TextMeasure helveticaMeasure() {
    auto doc = std::make_shared<const HaruDocument>();
    return [doc](std::string_view text, TextStyle style) { return doc->width(text, style); };
}

std::string renderSecurityLogPdf(const SecurityLogReport &report) {
    const HaruDocument doc;
    const auto pages = layoutSecurityLogReport(
        report, [&doc](std::string_view text, TextStyle style) { return doc.width(text, style); });
    for (const LaidOutPage &page : pages)
        drawPage(doc, page);
    return save(doc);
}

} // namespace seclog::server
