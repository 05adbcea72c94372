#pragma once
// Bringing the IDE's code templates into the stash. A template file is XML: a root element
// <codetemplate> holding <template name="..."> elements, each with a <description>, <point name="...">
// elements (a <hint> and a starting <text>) and a <code delimiter="|"> element whose text marks a
// point as |name|. Each template becomes a snippet whose placeholders (SnippetTemplate.h) do what
// the IDE's points did: |selected| becomes %SELECTION%, |end| %|%, |*| (an indentation mark) two
// blanks, a doubled delimiter one delimiter, and every other point %INPUT:hint=text%, the same
// box wherever the point recurs. Scripts are ignored, so the points they would fill are asked.

#include <string>
#include <string_view>
#include <vector>

namespace tavrill {

struct TemplatePoint {
    std::string name, hint, text;
};

struct CodeTemplate {
    std::string name;
    std::string description;
    std::vector<TemplatePoint> points;
    std::string code;  // as the file holds it, line ends LF
    std::string delimiter = "|";
};

// The templates of one file that have code, or an error text naming `fileName` when the bytes
// are not XML, their root is not <codetemplate>, or no template in it has code.
struct TemplateFileRead {
    std::vector<CodeTemplate> templates;
    std::string error;  // empty when read
};
TemplateFileRead ReadTemplateFile(std::string_view fileName, std::string_view bytes);

// A snippet to write into the stash.
struct ImportedSnippet {
    std::string fileName;     // "name.pas", a file name the stash folder does not hold yet
    std::string description;  // one line
    std::string code;         // lines end CR LF
};

// The template's code as snippet code: points as placeholders, a "%" that would read as one
// written as %PERCENT%, line ends CR LF, blank lines at the start and blanks at the end dropped.
std::string SnippetCode(const CodeTemplate& t);

// The snippets for the templates, named after them. A name the stash already holds
// (`existingFileNames`, as the stash folder lists them; letter case ignored) or one given earlier
// in the list gets " (2)", " (3)", ... so no file is ever overwritten. Characters Windows does not
// allow in a file name become "_", and so does "=", which would end a shortcut's key in the settings.
std::vector<ImportedSnippet> SnippetsFromTemplates(const std::vector<CodeTemplate>& templates,
                                                   const std::vector<std::string>& existingFileNames);

struct TemplateFile {
    std::string name;   // as the user should read it in a message
    std::string bytes;  // the whole file
};

// Several files at once: the snippets of every readable file, and one error text for each file
// that is not a template file, none of whose templates are among the snippets.
struct TemplateImport {
    std::vector<ImportedSnippet> snippets;
    std::vector<std::string> errors;
};
TemplateImport ImportTemplateFiles(const std::vector<TemplateFile>& files,
                                   const std::vector<std::string>& existingFileNames);

// Writes the snippets into the stash folder (ending with a backslash). A file that has appeared
// there since the names were chosen is left alone. The file names that were not written.
std::vector<std::string> SaveImportedSnippets(std::string_view stashFolder,
                                              const std::vector<ImportedSnippet>& snippets);

}  // namespace tavrill
