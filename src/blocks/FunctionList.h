#pragma once
// The remembered function names of the call wrapper, kept in "fnlist.dat" in the
// program folder from one run to the next: one entry per line, sorted without
// regard to letter case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrill {

class FunctionList {
public:
    // Starts with the design entries, which serve until a file is read.
    FunctionList();

    const std::vector<std::string>& Entries() const { return entries_; }

    // Replaces every entry; the list orders them.
    void Assign(std::vector<std::string> entries);

    // Inserts at the sorted place; among entries equal without regard to case
    // the new one goes last.
    void Insert(std::string entry);

    // Adds the text unless an entry is exactly equal to it (case counting, blanks
    // counting). True when it was added.
    bool AddIfMissing(std::string_view text);

    // What the end of the run is to write to the file (FunctionListFileContent), or nothing when
    // the file must stay as it is: it could not be read at start, so writing would replace the
    // user's list, or it already holds exactly these bytes.
    std::optional<std::string> ContentToSave() const;

    // Remembers what the file holds, as read or written, as text (base/TextEncoding.h): a file of an
    // earlier version in the ANSI code page is rewritten only when the list itself has changed.
    // Nothing for a file that could not be read.
    void SetStored(std::optional<std::string> fileContent) { stored_ = std::move(fileContent); }

private:
    std::vector<std::string> entries_;
    std::optional<std::string> stored_ = std::string();  // a missing file holds nothing
};

// The design entries, in their order.
std::vector<std::string> DesignFunctionEntries();

// The file's lines: cut at CR LF, lone CR and lone LF; a final line break makes
// no extra entry; a NUL byte ends the text.
std::vector<std::string> ParseFunctionList(std::string_view bytes);

// Every entry followed by CR LF, the last one included.
std::string FunctionListFileContent(const std::vector<std::string>& entries);

// Reads the file into the list, in UTF-8 or the ANSI code page (base/TextEncoding.h). A missing file is the
// normal first run and leaves the list as it is; a file that exists but cannot be read throws CannotOpenFile,
// also leaving the list as it is, and is then never written.
void LoadFunctionList(FunctionList& list, const std::string& path);

// Writes the list when ContentToSave says so (pure ASCII byte for byte, else UTF-8 with a byte
// order mark), replacing the file only once the
// new content is complete, so that a failed write never loses the previous
// list. Throws CannotCreateFile.
void SaveFunctionList(FunctionList& list, const std::string& path);

}  // namespace tavrill
