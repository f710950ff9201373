#pragma once

#include "security_log_report.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace seclog::server {

// A4 portrait in points, as libharu sizes it.
inline constexpr float kA4Width = 595.276f;
inline constexpr float kA4Height = 841.89f;
inline constexpr float kPageMargin = 50;

struct TextStyle {
    float size = 10;
    bool bold = false;
};

// Width in points of `text` (WinAnsi bytes) in Helvetica, or Helvetica-Bold if the style is bold.
using TextMeasure = std::function<float(std::string_view text, TextStyle style)>;

// `baseline` and `y` count up from the bottom of the page, as in PDF.
struct PlacedText {
    float x = 0;
    float baseline = 0;
    TextStyle style;
    std::string text; // WinAnsi bytes
};

struct PlacedRule {
    float x1 = 0, x2 = 0, y = 0;
};

struct LaidOutPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedRule> rules;
};

// UTF-8 to the WinAnsi bytes the built-in fonts print: ASCII and Latin-1 stay, anything else
// (control characters, other scripts, broken sequences) becomes '?'.
std::string toWinAnsi(std::string_view utf8);

// `text` (WinAnsi) cut so it fits `width`, ending in "..." when cut; empty if not even "..." fits.
std::string fitToWidth(std::string_view text, float width, TextStyle style,
                       const TextMeasure &measure);

// The report's pages: title, the log's fields, then the documents table, one row per item line,
// which breaks onto new pages with its header row repeated. Every text is fitted to its column.
std::vector<LaidOutPage> layoutSecurityLogReport(const SecurityLogReport &report,
                                                 const TextMeasure &measure);

} // namespace seclog::server
