#include "stash/TemplateImport.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "base/Ascii.h"
#include "base/Files.h"
#include "base/Xml.h"
#include "stash/SnippetTemplate.h"
#include "stash/StashFile.h"
#include "stash/StashSearch.h"

namespace tavrill {
namespace {

constexpr std::string_view kBlanks = " \t\n\r";

std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) + 1 - first);
}

// Runs of blanks and line breaks as one blank: a stash description is one line.
std::string OneLine(std::string_view s) {
    std::string out;
    for (const char c : Trimmed(s)) {
        const bool blank = kBlanks.find(c) != std::string_view::npos;
        if (!blank) {
            out += c;
        } else if (out.back() != ' ') {  // never first: the text is trimmed
            out += ' ';
        }
    }
    return out;
}

std::string ChildText(const XmlElement& e, std::string_view child) {
    const XmlElement* c = e.Child(child);
    return c ? std::string(Trimmed(c->text)) : std::string();
}

// Of several <code> elements (one per language), the Object Pascal one.
const XmlElement* PascalCode(const XmlElement& t) {
    const XmlElement* first = nullptr;
    for (const XmlElement& c : t.children) {
        if (c.name != "code") continue;
        const std::string* language = c.Attribute("language");
        if (!language || EqualIgnoringAsciiCase(*language, "Delphi") ||
            EqualIgnoringAsciiCase(*language, "Pascal"))
            return &c;
        if (!first) first = &c;
    }
    return first;
}

std::string FileStem(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("\\/");
    fileName.remove_prefix(slash == std::string_view::npos ? 0 : slash + 1);
    return std::string(fileName.substr(0, fileName.rfind('.')));
}

bool IsIdentifier(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// The code less its blank first lines and its blanks at the end.
std::string_view CodeBody(std::string_view code) {
    const std::size_t first = code.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t lineStart = code.find_last_of('\n', first);
    code.remove_prefix(lineStart == std::string_view::npos ? 0 : lineStart + 1);
    return code.substr(0, code.find_last_not_of(kBlanks) + 1);
}

std::string LowerAscii(std::string_view s) {
    std::string lower(s);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

// The box each point is asked in: its hint, or its name without one. Two points with the same
// hint must not share a box, so each gets its name beside the hint.
std::vector<std::string> Captions(const std::vector<TemplatePoint>& points) {
    std::vector<std::string> captions;
    std::unordered_map<std::string, int> uses;
    for (const TemplatePoint& p : points) ++uses[captions.emplace_back(p.hint.empty() ? p.name : p.hint)];
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (uses[captions[i]] > 1) captions[i] += " (" + points[i].name + ")";
    return captions;
}

// "=" is allowed by Windows, but would end the key of the snippet's line in [Shortcuts].
std::string SafeFileStem(std::string_view name) {
    std::string stem;
    for (const char c : name) {
        const bool forbidden = static_cast<unsigned char>(c) < 0x20 ||
                               std::string_view("<>:\"/\\|?*=").find(c) != std::string_view::npos;
        stem += forbidden ? '_' : c;
    }
    // Windows drops trailing dots and blanks from a file name.
    const std::size_t end = stem.find_last_not_of(". ");
    stem.erase(end == std::string::npos ? 0 : end + 1);
    stem.erase(0, std::min(stem.find_first_not_of(' '), stem.size()));
    if (stem.empty()) return "template";
    static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    const std::string_view device = std::string_view(stem).substr(0, stem.find('.'));
    const bool port = device.size() == 4 && (EqualIgnoringAsciiCase(device.substr(0, 3), "COM") ||
                                             EqualIgnoringAsciiCase(device.substr(0, 3), "LPT"));
    if ((port && device[3] >= '1' && device[3] <= '9') ||
        std::any_of(std::begin(kDevices), std::end(kDevices),
                    [&](std::string_view d) { return EqualIgnoringAsciiCase(device, d); }))
        stem.insert(0, "_");
    return stem;
}

}  // namespace

TemplateFileRead ReadTemplateFile(std::string_view fileName, std::string_view bytes) {
    TemplateFileRead read;
    std::string why;
    const std::optional<XmlElement> root = ReadXml(bytes, &why);
    if (!root) {
        read.error = std::string(fileName) + " is not a code template file: it is not XML (" + why + ")";
        return read;
    }
    if (root->name != "codetemplate") {
        read.error = std::string(fileName) + " is not a code template file: it holds <" + root->name + ">";
        return read;
    }
    for (const XmlElement& t : root->children) {
        const XmlElement* code = t.name == "template" ? PascalCode(t) : nullptr;
        if (!code || CodeBody(code->text).empty()) continue;
        CodeTemplate ct;
        const std::string* name = t.Attribute("name");
        ct.name = name && !Trimmed(*name).empty() ? std::string(Trimmed(*name)) : FileStem(fileName);
        ct.description = ChildText(t, "description");
        for (const XmlElement& p : t.children) {
            const std::string* pointName = p.Attribute("name");
            if (p.name != "point" || !pointName) continue;
            ct.points.push_back({*pointName, OneLine(ChildText(p, "hint")), ChildText(p, "text")});
        }
        ct.code = code->text;
        if (const std::string* d = code->Attribute("delimiter"); d && !d->empty()) ct.delimiter = *d;
        read.templates.push_back(std::move(ct));
    }
    if (read.templates.empty()) read.error = std::string(fileName) + " holds no code template with code";
    return read;
}

std::string SnippetCode(const CodeTemplate& t) {
    const std::vector<std::string> captions = Captions(t.points);
    std::unordered_map<std::string, std::size_t> declared;  // the first point of each name
    for (std::size_t i = 0; i < t.points.size(); ++i) declared.try_emplace(LowerAscii(t.points[i].name), i);
    const std::string_view d = t.delimiter.empty() ? std::string_view("|") : std::string_view(t.delimiter);
    const std::string_view code = CodeBody(t.code);
    TemplateCodeBuilder b;
    std::string literal;
    const auto flush = [&] {
        b.Literal(literal);
        literal.clear();
    };
    // Each name as a point: false when the name is none, and the delimiter is then plain text.
    const auto point = [&](std::string_view name) {
        const auto found = declared.find(LowerAscii(name));
        if (EqualIgnoringAsciiCase(name, "selected")) {
            flush();
            b.Selection();
        } else if (EqualIgnoringAsciiCase(name, "end")) {
            flush();
            b.Caret();
        } else if (name == "*") {
            literal += "  ";
        } else if (found != declared.end()) {
            flush();
            b.Input(captions[found->second], t.points[found->second].text);
        } else if (IsIdentifier(name)) {
            flush();
            b.Input(name, "");
        } else {
            return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < code.size();) {
        const std::string_view rest = code.substr(i);
        if (rest.starts_with(d)) {
            if (rest.substr(d.size()).starts_with(d)) {
                literal += d;
                i += 2 * d.size();
                continue;
            }
            const std::size_t close = rest.find(d, d.size());
            if (close != std::string_view::npos && point(rest.substr(d.size(), close - d.size()))) {
                i += close + d.size();
                continue;
            }
        }
        if (code[i] == '\n' && (i == 0 || code[i - 1] != '\r')) literal += '\r';
        literal += code[i++];
    }
    flush();
    return b.Code();
}

std::vector<ImportedSnippet> SnippetsFromTemplates(const std::vector<CodeTemplate>& templates,
                                                   const std::vector<std::string>& existingFileNames) {
    std::unordered_set<std::string> taken;
    for (const std::string& name : existingFileNames) taken.insert(FoldCase(name));
    std::unordered_map<std::string, int> nextNumber;  // past the numbers a name has been given already
    std::vector<ImportedSnippet> snippets;
    for (const CodeTemplate& t : templates) {
        const std::string stem = SafeFileStem(t.name);
        std::string fileName = stem + ".pas";
        int& n = nextNumber.try_emplace(FoldCase(stem), 2).first->second;
        while (taken.contains(FoldCase(fileName))) fileName = stem + " (" + std::to_string(n++) + ").pas";
        taken.insert(FoldCase(fileName));
        snippets.push_back({std::move(fileName), OneLine(t.description), SnippetCode(t)});
    }
    return snippets;
}

TemplateImport ImportTemplateFiles(const std::vector<TemplateFile>& files,
                                   const std::vector<std::string>& existingFileNames) {
    TemplateImport import;
    std::vector<CodeTemplate> templates;
    for (const TemplateFile& f : files) {
        TemplateFileRead read = ReadTemplateFile(f.name, f.bytes);
        if (!read.error.empty()) {
            import.errors.push_back(std::move(read.error));
            continue;
        }
        for (CodeTemplate& t : read.templates) templates.push_back(std::move(t));
    }
    import.snippets = SnippetsFromTemplates(templates, existingFileNames);
    return import;
}

std::vector<std::string> SaveImportedSnippets(std::string_view stashFolder,
                                              const std::vector<ImportedSnippet>& snippets) {
    std::vector<std::string> notWritten;
    for (const ImportedSnippet& s : snippets) {
        const StashPath target = StashFilePath(stashFolder, s.fileName);
        if (target.outside || FileExists(target.path) ||
            !SaveStashFile(target, StashFileContent(s.description, s.code)))
            notWritten.push_back(s.fileName);
    }
    return notWritten;
}

}  // namespace tavrill
