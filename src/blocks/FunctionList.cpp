#include "blocks/FunctionList.h"

#include <algorithm>

#include "base/Error.h"
#include "base/Files.h"
#include "base/TextEncoding.h"

namespace tavrill {
namespace {

unsigned char AsciiLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

}  // namespace

std::vector<std::string> DesignFunctionEntries() {
    return {"FileExists", "FormatDateTime('m/d/yyyy',", "IntToStr", "Lowercase",
            "StrToInt",   "Trim",                       "Uppercase"};
}

FunctionList::FunctionList() : entries_(DesignFunctionEntries()) {}

void FunctionList::Assign(std::vector<std::string> entries) {
    std::stable_sort(entries.begin(), entries.end(), LessIgnoringCase);
    entries_ = std::move(entries);
}

void FunctionList::Insert(std::string entry) {
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), entry, LessIgnoringCase);
    entries_.insert(at, std::move(entry));
}

bool FunctionList::AddIfMissing(std::string_view text) {
    // Exact matches sort among the case-insensitive equals, so only that run is searched.
    const auto [first, last] = std::equal_range(entries_.begin(), entries_.end(), text, LessIgnoringCase);
    if (std::find(first, last, text) != last) return false;
    Insert(std::string(text));
    return true;
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
        content += "\r\n";
    }
    return content;
}

void LoadFunctionList(FunctionList& list, const std::string& path) {
    if (!FileExists(path)) return;
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) throw CannotOpenFile(path);
    list.Assign(ParseFunctionList(TextFromFileBytes(*bytes)));
}

void SaveFunctionList(const FunctionList& list, const std::string& path) {
    if (!ReplaceFileBytes(path, FileBytesFromText(FunctionListFileContent(list.Entries()))))
        throw CannotCreateFile(path);
}

}  // namespace tavrill
