#pragma once
// Placeholders in a snippet's code, filled in as the snippet goes into the editor. A placeholder
// is one of these exact upper-case forms; every other "%" is ordinary text, so a snippet without
// them goes into the editor byte for byte as saved:
//
//   %SELECTION%            the editor's selection, lines after its first indented like the placeholder
//   %INPUT:caption%        asked for in a dialog, one box per caption
//   %INPUT:caption=value%  the same, the box starting with `value`
//   %DATE% %TIME% %YEAR%   yyyy-mm-dd, hh:mm, yyyy
//   %USER% %GUID%          the Windows user name, a new GUID {8-4-4-4-12} (one per paste)
//   %FILE% %UNIT%          the editor's file name, with and without its extension
//   %|%                    where the caret goes
//   %PERCENT%              a "%" that would otherwise start one of the above
//
// A caption is not empty and holds no "%", "=" or line break; a starting value holds no "%" or
// line break.
//
// Everything here is pure: the clock, the user name, the GUID and the window title come in as values.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrill {

struct TemplateInput {
    std::string caption;
    std::string initial;  // the starting value of the first %INPUT% with this caption that gives one
};

// The boxes the dialog shows: one per caption, in the order the captions first appear.
std::vector<TemplateInput> TemplateInputs(std::string_view code);

struct TemplateValues {
    std::string selection, date, time, year, user, guid, file, unit;
    // What the user typed, parallel to TemplateInputs(code); a missing one is its starting value.
    std::vector<std::string> inputs;
};

// date, time and year from the clock's reading.
void SetTemplateClock(TemplateValues& values, int year, int month, int day, int hour, int minute);

struct Expanded {
    std::string text;
    // The byte offset in `text` of the first %|%; nothing without one. Later ones are dropped.
    std::optional<std::size_t> caret;
};

// The code with every placeholder replaced. The selection's lines after the first are indented
// by the text before the placeholder on its line, each character as a blank (a tab as a tab);
// empty lines stay empty. A selection that ends with a line break, at a placeholder that a line
// break follows, loses its own, so that selected whole lines do not gain an empty one; at the end
// of the code it keeps it, since the line after the selection would otherwise join its last.
Expanded ExpandTemplate(std::string_view code, const TemplateValues& values);

bool HasPlaceholders(std::string_view code);
bool UsesSelection(std::string_view code);

// Each placeholder as (byte offset, length), in order, for the preview to colour.
std::vector<std::pair<std::size_t, std::size_t>> PlaceholderSpans(std::string_view code);

// The file name an editor window's title shows, when the title ends in a Pascal source name
// (.pas, .dpr, .pp, .inc, .dpk in any letter case) after its decorations ("*", "[modified]",
// "(read only)"); the name's folder and anything before " - " are left out. "" otherwise.
std::string FileNameFromTitle(std::string_view title);

// The file name without its extension.
std::string UnitName(std::string_view fileName);

// How many presses of Left take the caret from the end of `text` to byte offset `caret`, as an
// editor counting UTF-16 units does: CR LF is one press, a character beyond U+FFFF two, any
// other character (or a byte that is not UTF-8) one.
std::size_t LeftPressesToCaret(std::string_view text, std::size_t caret);

// Template code made of literal text and placeholders. A "%" of the literal text that would
// start a placeholder where it stands is written as %PERCENT%, so the code expands to exactly
// the text and placeholders that were put in.
class TemplateCodeBuilder {
public:
    void Literal(std::string_view text);
    void Selection() { Generated("%SELECTION%"); }
    void Caret() { Generated("%|%"); }
    // Characters a caption or starting value cannot hold become blanks; a caption left empty
    // becomes "?". A starting value holding "%" is dropped: the box then starts empty.
    void Input(std::string_view caption, std::string_view initial);

    std::string Code() const;

private:
    void Generated(std::string_view placeholder);

    std::string code_;
    std::vector<bool> literal_;  // per byte of code_
};

}  // namespace tavrill
