#include "base/Xml.h"

#include <algorithm>
#include <cstdint>

#include "base/TextEncoding.h"

namespace tavrill {
namespace {

// Deeper than any file we import nests, shallow enough that the recursion stays well within a
// thread's stack whatever the input.
constexpr int kMaxDepth = 200;

struct Malformed {
    std::string reason;
};

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// An unpaired surrogate becomes U+FFFD, as the system's own conversions make it.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) throw Malformed{"the UTF-16 text ends in half a character"};
    const auto unit = [&](std::size_t i) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 2 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    return out;
}

std::string DecodedText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf8FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return Utf8FromUtf16(bytes.substr(2), true);
    if (bytes.starts_with(std::string_view("<\0?\0", 4))) return Utf8FromUtf16(bytes, false);
    if (bytes.starts_with(std::string_view("\0<\0?", 4))) return Utf8FromUtf16(bytes, true);
    return TextFromFileBytes(bytes);
}

// CR LF and a lone CR become LF before anything else is read.
std::string WithLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    return out;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameByte(char c) {
    return !IsSpace(c) && std::string_view("<>/=\"'&!?;").find(c) == std::string_view::npos;
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    XmlElement Document() {
        Misc(true);
        if (!At("<")) throw Malformed{"no root element"};
        XmlElement root = Element(0);
        Misc(false);
        if (pos_ < text_.size())
            throw Malformed{At("<") ? "a second root element" : "text after the root element"};
        return root;
    }

private:
    bool At(std::string_view s) const { return text_.substr(pos_).starts_with(s); }

    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    }

    // Moves past the next `end`; the construct it closes is left open otherwise.
    void SkipPast(std::string_view end, const char* what) {
        const std::size_t at = text_.find(end, pos_);
        if (at == std::string_view::npos) throw Malformed{std::string("an unclosed ") + what};
        pos_ = at + end.size();
    }

    // What may stand before and after the root: blanks, comments, processing instructions (the
    // declaration among them), but no document type.
    void Misc(bool prolog) {
        for (;;) {
            SkipSpace();
            if (At("<?")) {
                SkipPast("?>", "processing instruction");
            } else if (At("<!--")) {
                pos_ += 4;
                SkipPast("-->", "comment");
            } else if (At("<!")) {
                throw Malformed{prolog ? "a document type declaration"
                                       : "a declaration after the root element"};
            } else {
                return;
            }
        }
    }

    std::string Name() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsNameByte(text_[pos_])) ++pos_;
        if (pos_ == start) throw Malformed{"a tag or attribute without a name"};
        return std::string(text_.substr(start, pos_ - start));
    }

    void Expect(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) throw Malformed{std::string("'") + c + "' expected"};
        ++pos_;
    }

    // After "&": one of the five predefined entities or a character reference.
    void Reference(std::string& out) {
        const std::size_t semicolon = text_.find(';', pos_);
        if (semicolon == std::string_view::npos || semicolon - pos_ > 12) throw Malformed{"a stray '&'"};
        const std::string_view ref = text_.substr(pos_, semicolon - pos_);
        pos_ = semicolon + 1;
        static constexpr std::pair<std::string_view, char> kNamed[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [name, c] : kNamed) {
            if (ref == name) {
                out += c;
                return;
            }
        }
        if (!ref.starts_with('#')) throw Malformed{"an unknown entity &" + std::string(ref) + ";"};
        const bool hex = ref.starts_with("#x");
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty()) throw Malformed{"a bad character reference"};
        std::uint32_t code = 0;
        for (const char d : digits) {
            int v = -1;
            if (d >= '0' && d <= '9') v = d - '0';
            if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
            if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
            if (v < 0 || code > 0x10FFFF) throw Malformed{"a bad character reference"};
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE ||
            code == 0xFFFF)
            throw Malformed{"a character reference to no character"};
        AppendUtf8(out, code);
    }

    std::string AttributeValue() {
        if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
            throw Malformed{"an unquoted value"};
        const char quote = text_[pos_++];
        std::string value;
        for (;;) {
            if (pos_ >= text_.size()) throw Malformed{"an unclosed attribute value"};
            const char c = text_[pos_++];
            if (c == quote) return value;
            if (c == '<') throw Malformed{"'<' in an attribute value"};
            if (c == '&') {
                Reference(value);
            } else {
                value += IsSpace(c) ? ' ' : c;  // written blanks of any kind read as blanks
            }
        }
    }

    // Sorted rather than compared pairwise, so that a tag with thousands of attributes costs no more
    // than reading them.
    static void RefuseRepeatedAttributes(const XmlElement& e) {
        std::vector<std::string_view> names;
        for (const auto& attribute : e.attributes) names.push_back(attribute.first);
        std::sort(names.begin(), names.end());
        const auto twice = std::adjacent_find(names.begin(), names.end());
        if (twice != names.end()) throw Malformed{"attribute " + std::string(*twice) + " given twice"};
    }

    // At "<" of a start tag.
    XmlElement Element(int depth) {
        if (depth >= kMaxDepth) throw Malformed{"elements nested too deep"};
        ++pos_;
        XmlElement e;
        e.name = Name();
        for (;;) {
            const std::size_t before = pos_;
            SkipSpace();
            if (At("/>") || At(">")) break;
            if (pos_ == before) throw Malformed{"a bad start tag <" + e.name + ">"};
            std::string name = Name();
            SkipSpace();
            Expect('=');
            SkipSpace();
            std::string value = AttributeValue();
            e.attributes.emplace_back(std::move(name), std::move(value));
        }
        RefuseRepeatedAttributes(e);
        if (At("/>")) {
            pos_ += 2;
        } else {
            ++pos_;
            Content(e, depth);
        }
        return e;
    }

    void Content(XmlElement& e, int depth) {
        for (;;) {
            if (pos_ >= text_.size()) throw Malformed{"element <" + e.name + "> is not closed"};
            if (At("</")) {
                pos_ += 2;
                if (Name() != e.name) throw Malformed{"element <" + e.name + "> is closed by another name"};
                SkipSpace();
                Expect('>');
                return;
            }
            if (At("<![CDATA[")) {
                const std::size_t start = pos_ + 9;
                pos_ = start;
                SkipPast("]]>", "CDATA section");
                e.text.append(text_.substr(start, pos_ - 3 - start));
            } else if (At("<!--")) {
                pos_ += 4;
                SkipPast("-->", "comment");
            } else if (At("<?")) {
                SkipPast("?>", "processing instruction");
            } else if (At("<!")) {
                throw Malformed{"a declaration inside an element"};
            } else if (At("<")) {
                e.children.push_back(Element(depth + 1));
            } else if (text_[pos_] == '&') {
                ++pos_;
                Reference(e.text);
            } else {
                const std::size_t end = text_.find_first_of("<&", pos_);
                const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
                e.text.append(text_.substr(pos_, stop - pos_));
                pos_ = stop;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

const std::string* XmlElement::Attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName) return &value;
    return nullptr;
}

const XmlElement* XmlElement::Child(std::string_view childName) const {
    for (const XmlElement& child : children)
        if (child.name == childName) return &child;
    return nullptr;
}

std::optional<XmlElement> ReadXml(std::string_view bytes, std::string* whyNot) {
    try {
        const std::string text = WithLfLineEnds(DecodedText(bytes));
        return Reader(text).Document();
    } catch (const Malformed& m) {
        if (whyNot) *whyNot = m.reason;
        return std::nullopt;
    }
}

}  // namespace tavrill
