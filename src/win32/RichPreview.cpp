#include "win32/RichPreview.h"

#include <richedit.h>

#include <vector>

#include "stash/SnippetTemplate.h"
#include "text/PascalTokens.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

struct Look {
    COLORREF colour;
    DWORD effects;  // CFE_BOLD, CFE_ITALIC
};

Look LookOf(PascalKind kind) {
    switch (kind) {
        case PascalKind::Reserved:
            return {RGB(0, 0, 128), CFE_BOLD};
        case PascalKind::Comment:
            return {RGB(0, 128, 0), CFE_ITALIC};
        case PascalKind::Directive:
            return {RGB(0, 128, 128), 0};
        case PascalKind::String:
        case PascalKind::Character:
            return {RGB(0, 0, 255), 0};
        case PascalKind::Number:
            return {RGB(128, 0, 128), 0};
        case PascalKind::Identifier:
            break;
    }
    return {RGB(0, 0, 0), 0};
}

// A placeholder stands out from every kind of Pascal token, inside strings and comments too.
constexpr Look kPlaceholderLook{RGB(192, 80, 0), CFE_BOLD};

void Format(HWND richEdit, DWORD scope, Look look) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC;
    cf.crTextColor = look.colour;
    cf.dwEffects = look.effects;
    SendMessageW(richEdit, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
}

LRESULT TextLength(HWND richEdit, DWORD flags) {
    GETTEXTLENGTHEX length{flags | GTL_PRECISE | GTL_NUMCHARS, 1200};
    return SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
}

// Byte offsets of the text as positions in the control: UTF-16 units, and CR LF
// one position where the control keeps a line break as one character.
class Positions {
public:
    Positions(std::string_view text, bool utf8, bool crLfIsOne)
        : t_(text), utf8_(utf8), crLfIsOne_(crLfIsOne) {}
    LONG At(size_t offset) {  // offsets only grow from one call to the next
        for (; byte_ < offset && byte_ < t_.size(); ++byte_) {
            const auto b = static_cast<unsigned char>(t_[byte_]);
            if (b == '\n' && crLfIsOne_ && byte_ > 0 && t_[byte_ - 1] == '\r') continue;
            if (utf8_ && (b & 0xC0) == 0x80) continue;  // a continuation byte
            position_ += (utf8_ && b >= 0xF0) ? 2 : 1;  // beyond U+FFFF: a surrogate pair
        }
        return position_;
    }

private:
    std::string_view t_;
    bool utf8_, crLfIsOne_;
    size_t byte_ = 0;
    LONG position_ = 0;
};

}  // namespace

RichEditLibrary::RichEditLibrary() {
    // https://learn.microsoft.com/windows/win32/controls/about-rich-edit-controls#rich-edit-version-41
    module_.reset(LoadLibraryW(L"Msftedit.dll"));
    if (module_) {
        className_ = "RICHEDIT50W";
        return;
    }
    module_.reset(LoadLibraryW(L"Riched20.dll"));
    if (module_) className_ = "RichEdit20W";
}

void PrepareRichPreview(HWND richEdit) {
    SendMessageW(richEdit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // https://learn.microsoft.com/windows/win32/controls/em-settargetdevice: a line width of 1 means no
    // wrapping.
    SendMessageW(richEdit, EM_SETTARGETDEVICE, 0, 1);
}

void SetHighlightedText(HWND richEdit, std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    const bool isUtf8 = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                            static_cast<int>(utf8.size()), nullptr, 0) > 0;
    SendMessageW(richEdit, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(richEdit, wide.c_str());
    Format(richEdit, SCF_ALL, LookOf(PascalKind::Identifier));
    const bool crLfIsOne = TextLength(richEdit, 0) < static_cast<LRESULT>(wide.size());
    Positions positions(utf8, isUtf8 || utf8.empty(), crLfIsOne);
    for (const PascalSpan& span : PascalTokens(utf8)) {
        if (span.kind == PascalKind::Identifier) continue;
        CHARRANGE range{};
        range.cpMin = positions.At(span.offset);
        range.cpMax = positions.At(span.offset + span.length);
        SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        Format(richEdit, SCF_SELECTION, LookOf(span.kind));
    }
    // Over the tokens' colours: a placeholder inside a string or comment is still filled in.
    Positions placeholderPositions(utf8, isUtf8 || utf8.empty(), crLfIsOne);
    for (const auto& [offset, length] : PlaceholderSpans(utf8)) {
        CHARRANGE range{};
        range.cpMin = placeholderPositions.At(offset);
        range.cpMax = placeholderPositions.At(offset + length);
        SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        Format(richEdit, SCF_SELECTION, kPlaceholderLook);
    }
    CHARRANGE start{};
    SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    SendMessageW(richEdit, EM_EMPTYUNDOBUFFER, 0, 0);  // colouring is not an edit to take back
    SendMessageW(richEdit, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(richEdit, nullptr, TRUE);
}

std::string RichEditText(HWND richEdit) {
    const LRESULT length = TextLength(richEdit, GTL_USECRLF);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;  // UTF-16
    const LRESULT copied = SendMessageW(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

}  // namespace tavrill
