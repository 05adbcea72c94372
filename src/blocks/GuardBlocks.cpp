#include "blocks/GuardBlocks.h"

#include <initializer_list>

#include "base/Ascii.h"
#include "base/Rows.h"
#include "blocks/Blocks.h"

namespace tavrill {

namespace {

constexpr std::string_view kBodyShift = "  ";

// `head` lines, then the lines of w shifted, then `tail` lines; an empty head or tail line stays
// empty rather than holding only blanks.
std::string Surround(std::initializer_list<std::string_view> head, std::string_view w,
                     std::initializer_list<std::string_view> tail) {
    const std::string indent = IndentString(LeadingSpaceCount(w.substr(0, w.find(kCrLf))));
    std::string r;
    r.reserve(w.size() + w.size() / 8 + 64);
    const auto blockLine = [&](std::string_view line) {
        if (!line.empty()) r.append(indent).append(line);
        r += kCrLf;
    };
    for (const std::string_view line : head) blockLine(line);
    // The lines as the line list counts them: no line for the empty row after a final CR LF.
    rows::ForEachLine(w,
                      [&](std::string_view line, bool) { r.append(kBodyShift).append(line).append(kCrLf); });
    for (const std::string_view line : tail) blockLine(line);
    return r;
}

}  // namespace

std::string TryFinallyBlock(std::string_view w) {
    return Surround({"try"}, w, {"finally", "", "end;"});
}

std::string TryExceptBlock(std::string_view w) {
    return Surround({"try"}, w, {"except", "", "end;"});
}

std::string IfDefBlock(std::string_view name, std::string_view w) {
    const std::string head = "{$IFDEF " + std::string(name) + "}";
    return Surround({head}, w, {"{$ENDIF}"});
}

std::string RegionBlock(std::string_view caption, std::string_view w) {
    const std::string head = "{$REGION '" + std::string(caption) + "'}";
    return Surround({head}, w, {"{$ENDREGION}"});
}

}  // namespace tavrill
