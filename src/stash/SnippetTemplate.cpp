#include "stash/SnippetTemplate.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_map>

#include "base/Ascii.h"
#include "base/TextEncoding.h"

namespace tavrill {
namespace {

enum class Kind { Selection, Input, Date, Time, Year, User, Guid, File, Unit, Caret, Percent };

struct Placeholder {
    Kind kind;
    std::size_t length;
    std::string_view caption, initial;
    bool hasInitial = false;
};

constexpr std::string_view kInputStart = "%INPUT:";

std::optional<Placeholder> PlaceholderAt(std::string_view code, std::size_t at) {
    static constexpr std::pair<std::string_view, Kind> kFixed[] = {
        {"%SELECTION%", Kind::Selection}, {"%DATE%", Kind::Date}, {"%TIME%", Kind::Time},
        {"%YEAR%", Kind::Year},           {"%USER%", Kind::User}, {"%GUID%", Kind::Guid},
        {"%FILE%", Kind::File},           {"%UNIT%", Kind::Unit}, {"%|%", Kind::Caret},
        {"%PERCENT%", Kind::Percent},
    };
    const std::string_view rest = code.substr(at);
    for (const auto& [text, kind] : kFixed)
        if (rest.starts_with(text)) return Placeholder{kind, text.size(), {}, {}};
    if (!rest.starts_with(kInputStart)) return std::nullopt;

    const auto runTo = [&](std::size_t from, std::string_view stops) {
        const std::size_t end = rest.find_first_of(stops, from);
        return end == std::string_view::npos ? rest.size() : end;
    };
    Placeholder p{Kind::Input, 0, {}, {}};
    std::size_t k = runTo(kInputStart.size(), "%=\r\n");
    if (k == kInputStart.size() || k == rest.size()) return std::nullopt;
    p.caption = rest.substr(kInputStart.size(), k - kInputStart.size());
    if (rest[k] == '=') {
        const std::size_t start = k + 1;
        k = runTo(start, "%\r\n");
        if (k == rest.size()) return std::nullopt;
        p.initial = rest.substr(start, k - start);
        p.hasInitial = true;
    }
    if (rest[k] != '%') return std::nullopt;
    p.length = k + 1;
    return p;
}

// Calls onText for each run of ordinary text (possibly empty) and onPlaceholder(p, offset) for
// each placeholder, in order.
template <class OnText, class OnPlaceholder>
void Scan(std::string_view code, OnText onText, OnPlaceholder onPlaceholder) {
    std::size_t textStart = 0;
    for (std::size_t i = code.find('%'); i != std::string_view::npos; i = code.find('%', i)) {
        if (const std::optional<Placeholder> p = PlaceholderAt(code, i)) {
            onText(code.substr(textStart, i - textStart));
            onPlaceholder(*p, i);
            i += p->length;
            textStart = i;
        } else {
            ++i;
        }
    }
    onText(code.substr(textStart));
}

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

void AppendSelection(std::string& out, std::string_view selection, bool breakFollows) {
    std::string indent;
    const std::size_t lastBreak = out.find_last_of("\r\n");
    for (const char c : std::string_view(out).substr(lastBreak == std::string::npos ? 0 : lastBreak + 1)) {
        if (c == '\t') {
            indent += '\t';
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {  // one blank per character
            indent += ' ';
        }
    }
    if (breakFollows) {
        if (selection.ends_with("\r\n")) {
            selection.remove_suffix(2);
        } else if (!selection.empty() && IsBreak(selection.back())) {
            selection.remove_suffix(1);
        }
    }
    for (std::size_t i = 0; i < selection.size();) {
        const char c = selection[i++];
        out += c;
        if (!IsBreak(c)) continue;
        if (c == '\r' && i < selection.size() && selection[i] == '\n') out += selection[i++];
        if (i < selection.size() && !IsBreak(selection[i])) out += indent;
    }
}

std::string Cleaned(std::string_view text, std::string_view unwanted) {
    std::string out(text);
    for (char& c : out)
        if (unwanted.find(c) != std::string_view::npos) c = ' ';
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') + 1 - first);
}

// The boxes, and for each %INPUT% of the code in order the index of its box.
struct InputBoxes {
    std::vector<TemplateInput> inputs;
    std::vector<std::size_t> boxOfEach;
};

InputBoxes FindInputs(std::string_view code) {
    InputBoxes boxes;
    std::unordered_map<std::string_view, std::size_t> byCaption;
    std::vector<bool> given;  // whether a placeholder gave the box its starting value
    Scan(
        code, [](std::string_view) {},
        [&](const Placeholder& p, std::size_t) {
            if (p.kind != Kind::Input) return;
            const auto [at, added] = byCaption.try_emplace(p.caption, boxes.inputs.size());
            const std::size_t box = at->second;
            if (added) {
                boxes.inputs.push_back({std::string(p.caption), std::string(p.initial)});
                given.push_back(p.hasInitial);
            } else if (p.hasInitial && !given[box]) {
                boxes.inputs[box].initial = std::string(p.initial);
                given[box] = true;
            }
            boxes.boxOfEach.push_back(box);
        });
    return boxes;
}

}  // namespace

std::vector<TemplateInput> TemplateInputs(std::string_view code) {
    return FindInputs(code).inputs;
}

void SetTemplateClock(TemplateValues& values, int year, int month, int day, int hour, int minute) {
    std::array<char, 64> buffer;
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d", year, month, day);
    values.date = buffer.data();
    std::snprintf(buffer.data(), buffer.size(), "%02d:%02d", hour, minute);
    values.time = buffer.data();
    std::snprintf(buffer.data(), buffer.size(), "%04d", year);
    values.year = buffer.data();
}

Expanded ExpandTemplate(std::string_view code, const TemplateValues& values) {
    const InputBoxes boxes = FindInputs(code);
    std::size_t inputsSeen = 0;
    Expanded result;
    std::string& out = result.text;
    out.reserve(code.size() + values.selection.size());
    Scan(
        code, [&](std::string_view text) { out += text; },
        [&](const Placeholder& p, std::size_t at) {
            switch (p.kind) {
                case Kind::Selection: {
                    const std::size_t after = at + p.length;
                    AppendSelection(out, values.selection, after < code.size() && IsBreak(code[after]));
                    break;
                }
                case Kind::Input: {
                    const std::size_t box = boxes.boxOfEach[inputsSeen++];
                    out += box < values.inputs.size() ? values.inputs[box] : boxes.inputs[box].initial;
                    break;
                }
                case Kind::Date:
                    out += values.date;
                    break;
                case Kind::Time:
                    out += values.time;
                    break;
                case Kind::Year:
                    out += values.year;
                    break;
                case Kind::User:
                    out += values.user;
                    break;
                case Kind::Guid:
                    out += values.guid;
                    break;
                case Kind::File:
                    out += values.file;
                    break;
                case Kind::Unit:
                    out += values.unit;
                    break;
                case Kind::Percent:
                    out += '%';
                    break;
                case Kind::Caret:
                    if (!result.caret) result.caret = out.size();
                    break;
            }
        });
    return result;
}

std::vector<std::pair<std::size_t, std::size_t>> PlaceholderSpans(std::string_view code) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    Scan(
        code, [](std::string_view) {},
        [&](const Placeholder& p, std::size_t at) { spans.emplace_back(at, p.length); });
    return spans;
}

bool HasPlaceholders(std::string_view code) {
    for (std::size_t i = code.find('%'); i != std::string_view::npos; i = code.find('%', i + 1))
        if (PlaceholderAt(code, i)) return true;
    return false;
}

bool UsesSelection(std::string_view code) {
    bool uses = false;
    Scan(
        code, [](std::string_view) {},
        [&](const Placeholder& p, std::size_t) { uses |= p.kind == Kind::Selection; });
    return uses;
}

std::string FileNameFromTitle(std::string_view title) {
    for (;;) {
        const std::size_t end = title.find_last_not_of(" \t*");
        title = title.substr(0, end == std::string_view::npos ? 0 : end + 1);
        const char close = title.empty() ? '\0' : title.back();
        const std::size_t open = close == ']'   ? title.rfind('[')
                                 : close == ')' ? title.rfind('(')
                                                : title.npos;
        if (open == std::string_view::npos) break;
        title = title.substr(0, open);
    }
    const std::size_t dot = title.rfind('.');
    if (dot == std::string_view::npos) return {};
    static constexpr std::string_view kExtensions[] = {".pas", ".dpr", ".pp", ".inc", ".dpk"};
    const std::string_view extension = title.substr(dot);
    if (std::none_of(std::begin(kExtensions), std::end(kExtensions),
                     [&](std::string_view e) { return EqualIgnoringAsciiCase(extension, e); }))
        return {};
    std::size_t start = 0;
    if (const std::size_t slash = title.find_last_of("\\/"); slash != std::string_view::npos) {
        start = slash + 1;
    } else if (const std::size_t dash = title.rfind(" - "); dash != std::string_view::npos) {
        start = dash + 3;
    }
    start = std::min(title.find_first_not_of(" \t*", start), dot);
    return start == dot ? std::string() : std::string(title.substr(start));
}

std::string UnitName(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.rfind('.')));
}

std::size_t LeftPressesToCaret(std::string_view text, std::size_t caret) {
    std::size_t presses = 0;
    for (std::size_t i = caret; i < text.size();) {
        if (text.substr(i).starts_with(kCrLf)) {
            ++presses;
            i += 2;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const bool whole = length > 1 && IsValidUtf8(text.substr(i, length));
        presses += whole && length == 4 ? 2 : 1;
        i += whole ? length : 1;
    }
    return presses;
}

void TemplateCodeBuilder::Literal(std::string_view text) {
    code_ += text;
    literal_.insert(literal_.end(), text.size(), true);
}

void TemplateCodeBuilder::Generated(std::string_view placeholder) {
    code_ += placeholder;
    literal_.insert(literal_.end(), placeholder.size(), false);
}

void TemplateCodeBuilder::Input(std::string_view caption, std::string_view initial) {
    std::string cleanCaption = Cleaned(caption, "%=\r\n");
    if (cleanCaption.empty()) cleanCaption = "?";
    const std::string cleanInitial =
        initial.find('%') == std::string_view::npos ? Cleaned(initial, "\r\n") : "";
    Generated(std::string(kInputStart) + cleanCaption + (cleanInitial.empty() ? "" : "=" + cleanInitial) +
              "%");
}

std::string TemplateCodeBuilder::Code() const {
    std::string out;
    out.reserve(code_.size());
    for (std::size_t i = 0; i < code_.size(); ++i) {
        if (code_[i] == '%' && literal_[i] && PlaceholderAt(code_, i)) {
            out += "%PERCENT%";
        } else {
            out += code_[i];
        }
    }
    return out;
}

}  // namespace tavrill
