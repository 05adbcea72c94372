#pragma once
// A small reader for the XML files other programs leave for us to import. It keeps what such a
// file says (elements, attributes, character data) and nothing of how it says it. It refuses
// document type declarations rather than expanding entities, so a file cannot make it grow a
// text without bound, and it reads any bytes at all without crashing or reading past them.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrill {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in the order written
    std::vector<XmlElement> children;
    // The character data directly inside, CDATA sections included, in document order; comments
    // and child elements add nothing. Line ends are LF, as XML prescribes for every reader.
    std::string text;

    // The value of the attribute, or nothing without one.
    const std::string* Attribute(std::string_view attributeName) const;
    // The first child of that name, or nothing.
    const XmlElement* Child(std::string_view childName) const;
};

// The document's root element, all text UTF-8. Read as UTF-16 when the bytes start with its byte
// order mark (either order) or with "<?" in UTF-16; else as UTF-8, behind a byte order mark or
// not; bytes that are not UTF-8 are taken in the ANSI code page, as the program's own files are.
// Nothing when the bytes are not one well-formed element (with an optional declaration, comments
// and processing instructions around it); `whyNot` then receives a short reason in English.
std::optional<XmlElement> ReadXml(std::string_view bytes, std::string* whyNot = nullptr);

}  // namespace tavrill
