// Random bytes through the snippet placeholders, the XML reader and the template import. Each
// check is a promise the stash makes to the user, so a failed one is a fault in the product.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/TextEncoding.h"
#include "base/Xml.h"
#include "stash/SnippetTemplate.h"
#include "stash/StashFile.h"
#include "stash/StashSearch.h"
#include "stash/TemplateImport.h"

#include "FuzzCheck.h"

namespace {

using namespace tavrill;

// Placeholders in any text: found where they are, and a text without any comes back unchanged.
void CheckExpansion(const std::string& code, const std::string& selection, std::size_t caret) {
    const TemplateValues values{.selection = selection, .date = "D", .user = "U", .file = "F"};
    const Expanded e = ExpandTemplate(code, values);
    const auto spans = PlaceholderSpans(code);
    CHECK(HasPlaceholders(code) == !spans.empty());
    if (spans.empty()) CHECK(e.text == code && !e.caret && TemplateInputs(code).empty());
    if (UsesSelection(code)) CHECK(!spans.empty());
    std::size_t end = 0;
    for (const auto& [at, length] : spans) {
        CHECK(at >= end && length >= 3 && at + length <= code.size() && code[at] == '%');
        end = at + length;
    }
    if (e.caret) CHECK(*e.caret <= e.text.size());
    CHECK(LeftPressesToCaret(code, caret) <= code.size() - std::min(caret, code.size()));

    const std::string file = FileNameFromTitle(code);
    if (!file.empty())
        CHECK(code.find(file) != std::string::npos && file.find_first_of("\\/") == std::string::npos);
}

// Literal text and placeholders put together come out as exactly what was put in.
void CheckBuilder(FuzzedDataProvider& data) {
    TemplateCodeBuilder builder;
    std::string expected;
    std::optional<std::size_t> caret;
    while (data.remaining_bytes() > 0) {
        switch (data.ConsumeIntegralInRange(0, 4)) {
            case 0:
                builder.Selection();
                expected += "S";
                break;
            case 1:
                builder.Caret();
                if (!caret) caret = expected.size();
                break;
            case 2: {
                const std::string caption = data.ConsumeRandomLengthString(8);
                builder.Input(caption, data.ConsumeRandomLengthString(8));
                expected += "I";
                break;
            }
            default: {
                const std::string text = data.ConsumeRandomLengthString(32);
                builder.Literal(text);
                expected += text;
            }
        }
    }
    const std::string code = builder.Code();
    TemplateValues values{.selection = "S"};
    values.inputs.assign(TemplateInputs(code).size(), "I");
    const Expanded e = ExpandTemplate(code, values);
    CHECK(e.text == expected);
    CHECK(e.caret == caret);
}

bool SameElement(const XmlElement& a, const XmlElement& b) {
    if (a.name != b.name || a.attributes != b.attributes || a.text != b.text) return false;
    if (a.children.size() != b.children.size()) return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!SameElement(a.children[i], b.children[i])) return false;
    return true;
}

std::string Escaped(std::string_view text, bool attribute) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '\r')
            out += "&#13;";
        else if (attribute && (c == '\n' || c == '\t'))
            out += c == '\n' ? "&#10;" : "&#9;";
        else
            out += c;
    }
    return out;
}

void Write(const XmlElement& e, std::string& out) {
    out += "<" + e.name;
    for (const auto& [name, value] : e.attributes) out += " " + name + "=\"" + Escaped(value, true) + "\"";
    out += ">" + Escaped(e.text, false);
    for (const XmlElement& child : e.children) Write(child, out);
    out += "</" + e.name + ">";
}

// Whatever the reader takes in, it reads the same again once written out plainly.
void CheckXml(const std::string& bytes) {
    const std::optional<XmlElement> root = ReadXml(bytes);
    if (!root) return;
    std::string again{kUtf8Bom};  // the text is taken byte for byte, as the first reading gave it
    Write(*root, again);
    const std::optional<XmlElement> reread = ReadXml(again);
    CHECK(reread && SameElement(*root, *reread));
}

// Any template gives snippets that can be written beside each other and beside what is there.
void CheckImport(FuzzedDataProvider& data, const std::string& bytes) {
    ImportTemplateFiles({{"a.xml", bytes}}, {});
    std::vector<CodeTemplate> templates;
    for (int i = data.ConsumeIntegralInRange(0, 4); i > 0; --i) {
        CodeTemplate t{.name = data.ConsumeRandomLengthString(12),
                       .description = data.ConsumeRandomLengthString(12)};
        for (int k = data.ConsumeIntegralInRange(0, 3); k > 0; --k)
            t.points.push_back({data.ConsumeRandomLengthString(6), data.ConsumeRandomLengthString(6),
                                data.ConsumeRandomLengthString(6)});
        t.delimiter = data.ConsumeRandomLengthString(2);
        t.code = data.ConsumeRandomLengthString(200);
        templates.push_back(std::move(t));
    }
    const std::vector<std::string> existing = {"a.pas", "A (2).pas"};
    std::unordered_set<std::string> names;
    for (const std::string& name : existing) names.insert(FoldCase(name));
    for (const ImportedSnippet& s : SnippetsFromTemplates(templates, existing)) {
        CHECK(names.insert(FoldCase(s.fileName)).second);
        CHECK(s.fileName.ends_with(".pas") && s.description.find_first_of("\r\n") == std::string::npos);
        const StashPath path = StashFilePath("c:\\stash\\", s.fileName);
        CHECK(!path.outside && path.path == "c:\\stash\\" + s.fileName);
        for (const TemplateInput& input : TemplateInputs(s.code))
            CHECK(!input.caption.empty() && input.caption.find_first_of("%=\r\n") == std::string::npos);
        ExpandTemplate(s.code, {.selection = "x\r\ny"});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::string text = data.ConsumeRandomLengthString(4096);
    const std::string selection = data.ConsumeRandomLengthString(64);
    CheckExpansion(text, selection, data.ConsumeIntegralInRange<std::size_t>(0, text.size() + 1));
    CheckXml(text);
    CheckImport(data, text);
    CheckBuilder(data);
    return 0;
}
