#include "base/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>

namespace tavrill {
namespace {

TEST(TextEncodingTest, FilesOfEarlierVersionsReadAsAnsiEverythingElseAsUtf8) {
    const std::string bom(kUtf8Bom);
    const struct {
        const char* why;
        std::string bytes;
        FileEncoding encoding;
        // Bytes from 0xA0 on: Latin-1 (the Linux build) and code page 1252 agree. Nothing where the
        // ANSI reading has bytes from 0x80 to 0x9F, which the two read differently.
        std::optional<std::string> text;
    } cases[] = {
        {"empty", "", FileEncoding::Utf8, ""},
        {"pure ASCII", "a := 1;\r\n", FileEncoding::Utf8, "a := 1;\r\n"},
        {"UTF-8: Czech, Greek, a check mark, beyond the basic plane", "Počet Ωμέγα ✓ \xF0\x9F\x98\x80",
         FileEncoding::Utf8, "Počet Ωμέγα ✓ \xF0\x9F\x98\x80"},
        {"a lead byte of EF that is no mark", "\xEF\xBC\x81", FileEncoding::Utf8, "\xEF\xBC\x81"},
        {"the byte order mark is dropped", bom + "//TAVRILL:d\r\n", FileEncoding::Utf8, "//TAVRILL:d\r\n"},
        {"a mark decides even before bad bytes", bom + "\xE8", FileEncoding::Utf8, "\xE8"},
        {"only the first mark is the file's", bom + bom, FileEncoding::Utf8, bom},
        {"code page 1252", "s := 'caf\xE9 cr\xE8me';", FileEncoding::Ansi, "s := 'café crème';"},
        {"a stray continuation byte", "a\xA9", FileEncoding::Ansi, "a©"},
        {"an overlong slash", "\xC0\xAF", FileEncoding::Ansi, "\xC3\x80\xC2\xAF"},
        {"a surrogate", "\xED\xA0\x80", FileEncoding::Ansi, std::nullopt},
        {"an overlong four-byte form", "\xF0\x81\x80\x80", FileEncoding::Ansi, std::nullopt},
        {"beyond U+10FFFF", "\xF4\xA0\xA0\xA0", FileEncoding::Ansi, "ô\xC2\xA0\xC2\xA0\xC2\xA0"},
        {"a sequence cut off at the end", "\xE2\xA0", FileEncoding::Ansi, "â\xC2\xA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectFileEncoding(c.bytes), c.encoding) << c.why;
        if (c.text) {
            EXPECT_EQ(TextFromFileBytes(c.bytes), *c.text) << c.why;
        }
    }
}

TEST(TextEncodingTest, AsciiIsWrittenAsEverAnyOtherTextBehindAByteOrderMark) {
    for (const std::string& text : {std::string(), std::string("begin\r\nend;"), std::string("a\0b", 3)})
        EXPECT_EQ(FileBytesFromText(text), text);
    for (const std::string& text : {std::string("Počet := 'Ωμέγα ✓';\r\n"), std::string(kUtf8Bom),
                                    std::string("\xF0\x9F\x98\x80"), std::string("\x80")}) {
        EXPECT_EQ(FileBytesFromText(text), std::string(kUtf8Bom) + text);
        EXPECT_EQ(TextFromFileBytes(FileBytesFromText(text)), text) << "round trip";
    }
}

}  // namespace
}  // namespace tavrill
