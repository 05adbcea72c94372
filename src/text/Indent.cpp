#include "text/Indent.h"

#include <cstring>

#include "base/Numbers.h"
#include "base/Rows.h"

namespace tavrill {

std::string IndentLines(std::string_view text, int n) {
    std::string out;
    IndentLinesInto(text, n, out);
    return out;
}

std::string UnindentLines(std::string_view text, int n) {
    std::string out;
    UnindentLinesInto(text, n, out);
    return out;
}

void IndentLinesInto(std::string_view text, int n, std::string& out) {
    if (n <= 0) {
        out.assign(text);
        return;
    }
    const auto pad = static_cast<std::size_t>(n);
    std::size_t lines = 0;
    rows::ForEachLine(text, [&](std::string_view, bool) { ++lines; });
    out.resize(text.size() + pad * lines);
    char* p = out.data();
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        std::memset(p, ' ', pad);
        p += pad;
        std::memcpy(p, line.data(), line.size());
        p += line.size();
        if (followedByBreak) {
            p[0] = '\r';
            p[1] = '\n';
            p += 2;
        }
    });
}

void UnindentLinesInto(std::string_view text, int n, std::string& out) {
    if (n <= 0) {
        out.assign(text);
        return;
    }
    const auto most = static_cast<std::size_t>(n);
    out.resize(text.size());
    char* p = out.data();
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        std::size_t k = 0;
        while (k < most && k < line.size() && line[k] == ' ') ++k;
        std::memcpy(p, line.data() + k, line.size() - k);
        p += line.size() - k;
        if (followedByBreak) {
            p[0] = '\r';
            p[1] = '\n';
            p += 2;
        }
    });
    out.resize(static_cast<std::size_t>(p - out.data()));
}

std::string IndentDialogRewrite(std::string_view memoText, bool indent, std::string_view spinText) {
    const int n = ReadSpinValue(spinText, kIndentSpinMinimum, kIndentSpinMaximum);
    return indent ? IndentLines(memoText, n) : UnindentLines(memoText, n);
}

}  // namespace tavrill
