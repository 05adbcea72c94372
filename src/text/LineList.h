#pragma once
// A text seen as a list of lines, the way the tool bar's hidden memo and the text boxes of the
// dialogs see it. Rows are cut only at CR LF; a lone CR or LF is an ordinary byte inside a row.
// Rewriting a line replaces the bytes of its row and leaves every CR LF where it was, so reading
// the text back never gains or loses a line break.
//
// The text is split into rows only when a line operation needs them and joined again only when
// the whole text is asked for, so a loop that rewrites every line costs time linear in the size
// of the text, and SetText followed by GetText costs no split at all.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrill {

// Turns every lone CR and every lone LF into CR LF; CR LF pairs stay as they are.
// "a\rb\nc\r\n" gives "a\r\nb\r\nc\r\n"; "\n\r" gives "\r\n\r\n".
std::string NormalizeLineBreaks(std::string_view text);

// The line count of a text: its rows, less one when the last row is empty.
// "" has 0 lines, "a" 1, "a\r\n" 1, "a\r\n\r\n" 2, "\r\n" 1.
std::ptrdiff_t CountLines(std::string_view text);

class LineList {
public:
    LineList() = default;
    explicit LineList(std::string text) { SetText(std::move(text)); }

    // Holds the text byte for byte.
    void SetText(std::string text);
    // The whole text as it now stands.
    const std::string& GetText() const;
    // Holds the empty text.
    void Clear() { SetText(std::string()); }

    // Reads the whole file and holds its text (base/TextEncoding.h: UTF-8 or the ANSI code
    // page, without a byte order mark) with lone CRs and lone LFs turned into CR LF.
    // Throws Error "Cannot open file <path>" when it cannot be read; the text is then unchanged.
    void LoadFile(const std::string& path);
    // Writes the whole text to the file, replacing any earlier content: pure ASCII byte for
    // byte, any other text as UTF-8 behind a byte order mark.
    // Throws Error "Cannot create file <path>" when it cannot be written.
    void SaveFile(const std::string& path) const;

    // The rows, less one when the last row is empty: the lines a loop over the text visits.
    std::ptrdiff_t LineCount() const;
    // CR LF pairs + 1; an empty text has one (empty) row.
    std::ptrdiff_t RowCount() const;

    // The bytes of row i without its line break; empty when there is no row i.
    std::string GetLine(std::ptrdiff_t i) const;
    // Replaces the bytes of row i; does nothing when there is no row i.
    void PutLine(std::ptrdiff_t i, std::string_view s);
    // Before row i when it exists ("s\r\n" in front of it); otherwise after row i - 1 when that
    // row exists and is not empty ("\r\ns" behind it); otherwise, and for i < 0, nothing.
    void InsertLine(std::ptrdiff_t i, std::string_view s);
    // InsertLine at LineCount(): a CR LF follows s when the text was empty or ended with CR LF.
    void AddLine(std::string_view s) { InsertLine(LineCount(), s); }
    // Removes row i and the CR LF after it; the last row loses only its bytes, and the CR LF in
    // front of it stays. Does nothing when there is no row i.
    void DeleteLine(std::ptrdiff_t i);
    // When from != to: GetLine(from), DeleteLine(from), InsertLine(to, that line).
    void MoveLine(std::ptrdiff_t from, std::ptrdiff_t to);

private:
    void EnsureRows() const;
    bool HasRow(std::ptrdiff_t i) const;
    // Rows may only hold bytes without CR LF; a line given with CR LF inside becomes several rows.
    void SpliceRows(std::ptrdiff_t first, std::ptrdiff_t count, std::string_view s);

    // Either text_ or rows_ (or both) is current; the other is rebuilt on demand.
    mutable std::string text_;
    mutable std::vector<std::string> rows_;
    mutable bool textCurrent_ = true;
    mutable bool rowsCurrent_ = false;
};

}  // namespace tavrill
