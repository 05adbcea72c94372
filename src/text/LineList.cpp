#include "text/LineList.h"

#include <utility>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Rows.h"
#include "base/TextEncoding.h"

namespace tavrill {

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        // Copy the run up to the next CR or LF in one piece.
        std::size_t j = i;
        while (j < n && text[j] != '\r' && text[j] != '\n') ++j;
        out.append(text.data() + i, j - i);
        if (j == n) break;
        out += "\r\n";
        i = (text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ? j + 2 : j + 1;
    }
    return out;
}

std::ptrdiff_t CountLines(std::string_view text) {
    const std::size_t breaks = rows::CountBreaks(text);
    const bool lastRowEmpty = text.empty() || text.ends_with("\r\n");
    return static_cast<std::ptrdiff_t>(breaks + 1 - (lastRowEmpty ? 1 : 0));
}

void LineList::SetText(std::string text) {
    text_ = std::move(text);
    textCurrent_ = true;
    rows_.clear();
    rowsCurrent_ = false;
}

const std::string& LineList::GetText() const {
    if (!textCurrent_) {
        std::size_t size = 0;
        for (const std::string& row : rows_) size += row.size() + 2;
        text_.clear();
        text_.reserve(size - 2);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (i > 0) text_ += "\r\n";
            text_ += rows_[i];
        }
        textCurrent_ = true;
    }
    return text_;
}

void LineList::EnsureRows() const {
    if (rowsCurrent_) return;
    rows_.clear();
    rows_.reserve(rows::CountBreaks(text_) + 1);
    std::size_t start = 0;
    for (std::size_t cr = rows::FindBreak(text_, 0); cr != rows::kNone; cr = rows::FindBreak(text_, start)) {
        rows_.emplace_back(text_, start, cr - start);
        start = cr + 2;
    }
    rows_.emplace_back(text_, start);
    rowsCurrent_ = true;
}

void LineList::LoadFile(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) throw CannotOpenFile(path);
    SetText(NormalizeLineBreaks(TextFromFileBytes(*bytes)));
}

void LineList::SaveFile(const std::string& path) const {
    // Written beside the file and then put in its place, so that a failed save leaves the
    // earlier content whole instead of a truncated file.
    if (!ReplaceFileBytes(path, FileBytesFromText(GetText()))) throw CannotCreateFile(path);
}

std::ptrdiff_t LineList::RowCount() const {
    EnsureRows();
    return static_cast<std::ptrdiff_t>(rows_.size());
}

std::ptrdiff_t LineList::LineCount() const {
    EnsureRows();
    return RowCount() - (rows_.back().empty() ? 1 : 0);
}

bool LineList::HasRow(std::ptrdiff_t i) const {
    return i >= 0 && i < RowCount();
}

std::string LineList::GetLine(std::ptrdiff_t i) const {
    return HasRow(i) ? rows_[static_cast<std::size_t>(i)] : std::string();
}

void LineList::SpliceRows(std::ptrdiff_t first, std::ptrdiff_t count, std::string_view s) {
    const auto at = rows_.begin() + first;
    if (rows::FindBreak(s, 0) == rows::kNone) {
        if (count == 1) {
            at->assign(s);
        } else {
            rows_.insert(at, std::string(s));
        }
    } else {
        std::vector<std::string> pieces;
        std::size_t start = 0;
        for (std::size_t cr = rows::FindBreak(s, 0); cr != rows::kNone; cr = rows::FindBreak(s, start)) {
            pieces.emplace_back(s.substr(start, cr - start));
            start = cr + 2;
        }
        pieces.emplace_back(s.substr(start));
        const auto end = rows_.erase(at, at + count);
        rows_.insert(end, std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
    }
    textCurrent_ = false;
}

void LineList::PutLine(std::ptrdiff_t i, std::string_view s) {
    if (HasRow(i)) SpliceRows(i, 1, s);
}

void LineList::InsertLine(std::ptrdiff_t i, std::string_view s) {
    if (i < 0) return;
    if (HasRow(i)) {
        SpliceRows(i, 0, s);
    } else if (HasRow(i - 1) && !rows_[static_cast<std::size_t>(i - 1)].empty()) {
        SpliceRows(i, 0, s);
    }
}

void LineList::DeleteLine(std::ptrdiff_t i) {
    if (!HasRow(i)) return;
    if (HasRow(i + 1)) {
        rows_.erase(rows_.begin() + i);
    } else {
        rows_[static_cast<std::size_t>(i)].clear();
    }
    textCurrent_ = false;
}

void LineList::MoveLine(std::ptrdiff_t from, std::ptrdiff_t to) {
    if (from == to) return;
    const std::string line = GetLine(from);
    DeleteLine(from);
    InsertLine(to, line);
}

}  // namespace tavrill
