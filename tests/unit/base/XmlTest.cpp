#include "base/Xml.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

// name[attribute=value ...]"text"{children}: what a reader of the document sees, in one line.
std::string Shape(const XmlElement& e) {
    std::string s = e.name;
    for (const auto& [name, value] : e.attributes) s += "[" + name + "=" + value + "]";
    if (!e.text.empty()) s += "\"" + e.text + "\"";
    if (!e.children.empty()) {
        s += "{";
        for (const XmlElement& c : e.children) s += Shape(c);
        s += "}";
    }
    return s;
}

std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST(XmlTest, ReadsWhatTheMarkupSaysInAnyOfItsSpellings) {
    const struct {
        std::string bytes, shape;
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<!-- c --><a x='1' y=\"2\"/>\n<!-- after -->",
         "a[x=1][y=2]"},
        {"\xEF\xBB\xBF<a>t<!-- <b/> --><?pi x?>u</a >", "a\"tu\""},
        {"<a>&lt;&gt;&amp;&quot;&apos;&#65;&#x42;&#xe9;&#x1F600;</a>",
         "a\"<>&\"'AB\xC3\xA9\xF0\x9F\x98\x80\""},
        {"<a v='&amp;lt; \"x\"\t&#10;'/>", "a[v=&lt; \"x\" \n]"},
        {"<a><![CDATA[if a<b then |x| := 1; & ]] >]]></a>", "a\"if a<b then |x| := 1; & ]] >\""},
        {"<a>1\r\n2\r3<![CDATA[\r\n]]>&#13;</a>", "a\"1\n2\n3\n\r\""},
        {"<t:a xmlns:t='u'><b/><c>x</c><b/></t:a>", "t:a[xmlns:t=u]{bc\"x\"b}"},
        {Utf16("<a x='1'>\xE9</a>", false), "a[x=1]\"\xC3\xA9\""},  // the byte E9 as U+00E9
        {Utf16("<?xml version='1.0'?><a/>", true), "a"},
        {Utf16("<?xml?><a/>", false).substr(2), "a"},  // UTF-16 without a byte order mark
        {"<a>caf\xE9</a>", "a\"caf\xC3\xA9\""},        // not UTF-8: the ANSI code page
    };
    for (const auto& c : cases) {
        std::string why;
        const std::optional<XmlElement> root = ReadXml(c.bytes, &why);
        ASSERT_TRUE(root) << c.shape << ": " << why;
        EXPECT_EQ(Shape(*root), c.shape);
    }
}

TEST(XmlTest, RefusesWhatIsNotOneWellFormedElement) {
    std::string nested;
    for (int i = 0; i < 5000; ++i) nested += "<a>";
    const struct {
        std::string bytes, why;
    } cases[] = {
        {"", "no root element"},
        {"plain text", "no root element"},
        {"<!DOCTYPE a [<!ENTITY x \"xx\">]><a>&x;</a>", "a document type declaration"},
        {"<a><!ENTITY x 'y'></a>", "a declaration inside an element"},
        {"<a>&x;</a>", "an unknown entity &x;"},
        {"<a>&;</a>", "an unknown entity &;"},
        {"<a>&#x;</a>", "a bad character reference"},
        {"<a>&#0;&#xD800;</a>", "a character reference to no character"},
        {"<a>&#99999999999;</a>", "a bad character reference"},
        {"<a>&#x110000;</a>", "a character reference to no character"},
        {"<a>AT&T</a>", "a stray '&'"},
        {"<a><b></a></b>", "element <b> is closed by another name"},
        {"<a><![CDATA[x</a>", "an unclosed CDATA section"},
        {"<a x='1' x='2'/>", "attribute x given twice"},
        {"<a x=1/>", "an unquoted value"},
        {"<a x='<'/>", "'<' in an attribute value"},
        {"<a/><b/>", "a second root element"},
        {"<a/><!DOCTYPE a>", "a declaration after the root element"},
        {"<a/>x", "text after the root element"},
        {"<a>", "element <a> is not closed"},
        {std::string("\xFF\xFE<\0a", 5), "the UTF-16 text ends in half a character"},
        {"<<a/>", "a tag or attribute without a name"},
        {nested, "elements nested too deep"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(ReadXml(c.bytes, &why)) << c.why;
        EXPECT_EQ(why, c.why);
    }
}

TEST(XmlTest, EveryCutOfADocumentIsRefusedOrReadWithoutReadingPastIt) {
    const std::string doc = "<?xml version='1.0'?><r a=\"&amp;\"><!--c--><b><![CDATA[x]]>&#x41;</b><c/></r>";
    for (std::size_t n = 0; n < doc.size(); ++n) {
        // Read from a copy of exactly n bytes, so the sanitizer sees any read past its end.
        const std::string cut = doc.substr(0, n);
        EXPECT_FALSE(ReadXml(cut)) << cut;
    }
    EXPECT_TRUE(ReadXml(doc));
}

}  // namespace
}  // namespace tavrill
