#pragma once
// The stash preview: the system's rich edit control showing a snippet with its
// Object Pascal coloured, still editable, and read back as plain text.

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/UniqueHandle.h"

namespace tavrill {

class RichEditLibrary {
public:
    // Loads Msftedit.dll (class "RICHEDIT50W"), or Riched20.dll ("RichEdit20W")
    // where the newer one is missing.
    RichEditLibrary();
    // The window class to create; nullptr when neither library could be loaded.
    const char* ClassName() const { return className_; }

private:
    static void Free(HMODULE module) { FreeLibrary(module); }
    UniqueHandle<HMODULE, &RichEditLibrary::Free> module_;
    const char* className_ = nullptr;
};

// Lifts the rich edit's length limit (32,767 characters by default) and turns
// off line wrapping, as in the plain preview.
void PrepareRichPreview(HWND richEdit);

// Replaces the control's text with `utf8` (ANSI bytes that are not UTF-8 are
// read in the ANSI code page), coloured by PascalTokens and with a snippet's placeholders
// in a colour of their own, with nothing to undo.
void SetHighlightedText(HWND richEdit, std::string_view utf8);

// The control's whole text as UTF-8, every line break as CR LF; no colour.
std::string RichEditText(HWND richEdit);

}  // namespace tavrill
