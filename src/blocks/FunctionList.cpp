#include "blocks/FunctionList.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/TextEncoding.h"

namespace tavrill {

std::vector<std::string> DesignFunctionEntries() {
    return {"FileExists", "FormatDateTime('m/d/yyyy',", "IntToStr", "Lowercase", "StrToInt", "Trim",
            "Uppercase"};
}

FunctionList::FunctionList() : entries_(DesignFunctionEntries()) {
}

void FunctionList::Assign(std::vector<std::string> entries) {
    std::stable_sort(entries.begin(), entries.end(), LessIgnoringAsciiCase);
    entries_ = std::move(entries);
}

void FunctionList::Insert(std::string entry) {
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), entry, LessIgnoringAsciiCase);
    entries_.insert(at, std::move(entry));
}

bool FunctionList::AddIfMissing(std::string_view text) {
    // Exact matches sort among the case-insensitive equals, so only that run is searched.
    const auto [first, last] =
        std::equal_range(entries_.begin(), entries_.end(), text, LessIgnoringAsciiCase);
    if (std::find(first, last, text) != last) return false;
    Insert(std::string(text));
    return true;
}

std::optional<std::string> FunctionList::ContentToSave() const {
    if (!stored_) return std::nullopt;
    std::string content = FunctionListFileContent(entries_);
    if (content == *stored_) return std::nullopt;
    return content;
}

std::vector<std::string> ParseFunctionList(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string FunctionListFileContent(const std::vector<std::string>& entries) {
    std::string content;
    for (const std::string& e : entries) {
        content += e;
        content += kCrLf;
    }
    return content;
}

void LoadFunctionList(FunctionList& list, const std::string& path) {
    if (!FileExists(path)) return;
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        list.SetStored(std::nullopt);
        throw CannotOpenFile(path);
    }
    std::string text = TextFromFileBytes(*bytes);
    list.Assign(ParseFunctionList(text));
    list.SetStored(std::move(text));
}

void SaveFunctionList(FunctionList& list, const std::string& path) {
    std::optional<std::string> content = list.ContentToSave();
    if (!content) return;
    if (!ReplaceFileBytes(path, FileBytesFromText(*content))) throw CannotCreateFile(path);
    list.SetStored(std::move(content));
}

}  // namespace tavrill
