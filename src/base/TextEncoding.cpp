#include "base/TextEncoding.h"

#include <algorithm>
#include <cstdint>

namespace tavrill {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the sequence that starts at `i`, or 0 when it is not well formed.
size_t SequenceLength(std::string_view s, size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return 1;
    size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;  // a continuation byte, an overlong two-byte lead, or beyond Unicode
    }
    if (s.size() - i < length) return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if (!IsContinuation(c)) return 0;
        code = (code << 6) | (c & 0x3Fu);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t n = SequenceLength(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

FileEncoding DetectFileEncoding(std::string_view bytes) {
    return bytes.starts_with(kUtf8Bom) || IsValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Ansi;
}

std::string TextFromFileBytes(std::string_view bytes) {
    if (DetectFileEncoding(bytes) == FileEncoding::Ansi) return DecodeAnsi(bytes);
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    return std::string(bytes);
}

std::string FileBytesFromText(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    std::string bytes;
    bytes.reserve(kUtf8Bom.size() + text.size());
    return bytes.append(kUtf8Bom).append(text);
}

}  // namespace tavrill
