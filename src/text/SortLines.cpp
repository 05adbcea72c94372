#include "text/SortLines.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/Rows.h"

namespace tavrill {

namespace {

inline unsigned char Folded(unsigned char c) {
    return static_cast<unsigned char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 0x20 : 0));
}

// A line and eight of its folded bytes from some offset on as one number, so that a large sort
// compares integers instead of walking through two lines in memory. Missing bytes count as 0, the
// smallest byte, which keeps the number's order that of the bytes.
struct Row {
    std::uint64_t key;
    std::size_t length;  // the line's length, capped where the lines with equal keys go on
    const char* data;
    std::size_t size;
};

std::uint64_t KeyAt(const Row& row, std::size_t offset) {
    std::uint64_t key = 0;
    for (std::size_t i = offset; i < offset + 8; ++i) {
        const unsigned char c = i < row.size ? Folded(static_cast<unsigned char>(row.data[i])) : 0;
        key = key << 8 | c;
    }
    return key;
}

// Sorts rows whose folded bytes before `offset` are all equal by the eight bytes from `offset` on,
// then the groups that agree there too by the next eight, and so on. Within equal keys a line
// that ends inside the eight bytes is the start of every longer one, so it sorts first among
// them, by its length; the lines that go on share one capped length and sort on as a group.
// The groups wait on a list of their own rather than on the call stack: lines that share a
// megabyte would otherwise nest a hundred thousand calls deep.
template <class Before>
void SortFrom(std::vector<Row>::iterator begin, std::vector<Row>::iterator end, Before before) {
    struct Group {
        std::vector<Row>::iterator first, last;
        std::size_t offset;
    };
    std::vector<Group> pending{{begin, end, 0}};
    while (!pending.empty()) {
        auto [first, last, offset] = pending.back();
        pending.pop_back();
        for (auto it = first; it != last; ++it) {
            it->key = KeyAt(*it, offset);
            it->length = std::min(it->size, offset + 9);
        }
        std::stable_sort(first, last, before);
        while (first != last) {
            auto group = first + 1;
            while (group != last && group->key == first->key && group->length == first->length) ++group;
            if (group - first > 1 && first->size > offset + 8) pending.push_back({first, group, offset + 8});
            first = group;
        }
    }
}

}  // namespace

std::string SortLines(std::string_view text, bool descending) {
    std::vector<Row> rows;
    rows.reserve(rows::CountBreaks(text) + 1);
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        rows.push_back({0, 0, line.data(), line.size()});
    });
    const auto ascending = [](const Row& a, const Row& b) {
        return a.key != b.key ? a.key < b.key : a.length < b.length;
    };
    const auto descendingOrder = [](const Row& a, const Row& b) {
        return a.key != b.key ? a.key > b.key : a.length > b.length;
    };
    if (descending) {
        SortFrom(rows.begin(), rows.end(), descendingOrder);
    } else {
        SortFrom(rows.begin(), rows.end(), ascending);
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
