#include "stash/TemplateImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "base/Files.h"
#include "stash/SnippetTemplate.h"
#include "stash/StashFile.h"

namespace tavrill {
namespace {

// The shapes the IDE ships: points with hints and starting texts, a script, a surround template,
// a code element per language, another delimiter.
constexpr std::string_view kShipped = R"(<?xml version="1.0" encoding="utf-8" ?>
<codetemplate xmlns="http://example.com/codetemplates" version="1.0.0">
  <template name="forb" invoke="manual">
    <description>for loop
        with begin</description>
    <author>someone</author>
    <point name="ident"><text>I</text><hint>collection index</hint></point>
    <point name="from"><hint>start</hint><text>0</text></point>
    <point name="to"><text>List.Count - 1</text></point>
    <script language="Delphi" onenter="false">Declare(|ident|);</script>
    <code language="Delphi" context="methodbody" delimiter="|"><![CDATA[
for |ident| := |from| to |to| do
begin
|*||selected||end|
end;
]]>
    </code>
  </template>
  <template name="fmt" surround="true">
    <point name="a"><hint>type</hint></point>
    <point name="b" editable="false"><hint>type</hint><text>50%</text><script>x</script></point>
    <code language="C">/* c */</code>
    <code language="Delphi" delimiter="$">s := Format('%d%DATE%', [$a$]); $$ $b$ $ c $ $n$ $selected$</code>
  </template>
  <template name="empty"><description>no code</description></template>
</codetemplate>
)";

TEST(TemplateImportTest, PointsBecomePlaceholdersThatDoWhatTheIdesPointsDid) {
    const TemplateImport import = ImportTemplateFiles({{"loops.xml", std::string(kShipped)}}, {});
    ASSERT_TRUE(import.errors.empty());
    ASSERT_EQ(import.snippets.size(), 2u);
    const ImportedSnippet& forb = import.snippets[0];
    EXPECT_EQ(forb.fileName, "forb.pas");
    EXPECT_EQ(forb.description, "for loop with begin");
    EXPECT_EQ(forb.code,
              "for %INPUT:collection index=I% := %INPUT:start=0% to %INPUT:to=List.Count - 1% do\r\n"
              "begin\r\n  %SELECTION%%|%\r\nend;");
    const ImportedSnippet& fmt = import.snippets[1];
    EXPECT_EQ(fmt.description, "");
    // Two points with one hint are two boxes; a "%" the IDE meant as text stays text.
    EXPECT_EQ(fmt.code,
              "s := Format('%d%PERCENT%DATE%', [%INPUT:type (a)%]); $ %INPUT:type (b)% $ c $ %INPUT:n% "
              "%SELECTION%");
    EXPECT_EQ(ExpandTemplate(fmt.code, {.selection = "S", .inputs = {"A", "B", "N"}}).text,
              "s := Format('%d%DATE%', [A]); $ B $ c $ N S");
}

TEST(TemplateImportTest, AFileThatIsNotATemplateFileIsNamedAndNothingOfItIsImported) {
    const TemplateImport import = ImportTemplateFiles(
        {
            {"broken.xml", "<codetemplate><template name='x'><code>a</code></template>"},
            {"project.dproj", "<Project><template name='x'><code>a</code></template></Project>"},
            {"empty.xml", "<codetemplate><template name='x'><code> \n </code></template></codetemplate>"},
            {"unit1.pas", "unit Unit1;"},
            {"C:\\t\\good.xml", "<codetemplate><template><code>b</code></template></codetemplate>"},
        },
        {});
    EXPECT_EQ(import.errors, (std::vector<std::string>{
                                 "broken.xml is not a code template file: it is not XML (element "
                                 "<codetemplate> is not closed)",
                                 "project.dproj is not a code template file: it holds <Project>",
                                 "empty.xml holds no code template with code",
                                 "unit1.pas is not a code template file: it is not XML (no root element)",
                             }));
    ASSERT_EQ(import.snippets.size(), 1u);
    EXPECT_EQ(import.snippets[0].fileName, "good.pas");  // no name: the file's
    EXPECT_EQ(import.snippets[0].code, "b");
}

TEST(TemplateImportTest, NamesNeverOverwriteAndAreFileNamesWindowsAccepts) {
    std::vector<CodeTemplate> templates;
    for (const char* name : {"forb", "FORB", "a/b:c?=", "con", "Lpt1.x", "x. ", " ..", "\x01"})
        templates.push_back({.name = name, .code = "c"});
    std::string names;
    for (const ImportedSnippet& s : SnippetsFromTemplates(templates, {"forb.pas", "Forb (2).pas", "x.txt"}))
        names += s.fileName + "|";
    EXPECT_EQ(names, "forb (3).pas|FORB (4).pas|a_b_c__.pas|_con.pas|_Lpt1.x.pas|x.pas|template.pas|_.pas|");

    testing::TempFolder stash;
    std::ofstream(stash.path / "a.pas") << "mine";
    const std::vector<ImportedSnippet> rows = {{"a.pas", "d", "x"}, {"b.c.pas", "d", "y"}};
    EXPECT_EQ(SaveImportedSnippets(stash.Folder(), rows), std::vector<std::string>{"a.pas"});
    EXPECT_EQ(ReadFileBytes((stash.path / "a.pas").string()), "mine");
    EXPECT_EQ(ReadFileBytes((stash.path / "b.c.pas").string()), StashFileContent("d", "y"));
}

}  // namespace
}  // namespace tavrill
