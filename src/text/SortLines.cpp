#include "text/SortLines.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "text/Rows.h"

namespace tavrill {

namespace {

inline unsigned char Folded(unsigned char c) {
    return static_cast<unsigned char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 0x20 : 0));
}

// A line and the first eight of its folded bytes as one number, so that most comparisons of a
// large sort are one integer compare instead of a walk through two lines in memory. Missing bytes
// count as 0, the smallest byte, which keeps the number's order that of the bytes.
struct Row {
    std::uint64_t prefix;
    const char* data;
    std::size_t size;
};

Row MakeRow(std::string_view line) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const unsigned char c = i < line.size() ? Folded(static_cast<unsigned char>(line[i])) : 0;
        prefix = prefix << 8 | c;
    }
    return {prefix, line.data(), line.size()};
}

// <0, 0, >0 as the folded bytes of a and b compare, shorter first on a common start.
int CompareFolded(const Row& a, const Row& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
    const std::size_t common = std::min(a.size, b.size);
    for (std::size_t i = 8; i < common; ++i) {
        const unsigned char x = Folded(static_cast<unsigned char>(a.data[i]));
        const unsigned char y = Folded(static_cast<unsigned char>(b.data[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size == b.size ? 0 : (a.size < b.size ? -1 : 1);
}

}  // namespace

std::string SortLines(std::string_view text, bool descending) {
    std::vector<Row> rows;
    rows.reserve(rows::CountBreaks(text) + 1);
    rows::ForEachLine(text, [&](std::string_view line, bool) { rows.push_back(MakeRow(line)); });
    if (descending) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return CompareFolded(a, b) > 0; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return CompareFolded(a, b) < 0; });
    }

    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += "\r\n";
        out.append(rows[i].data, rows[i].size);
    }
    if (text.ends_with("\r\n")) out += "\r\n";
    return out;
}

}  // namespace tavrill
