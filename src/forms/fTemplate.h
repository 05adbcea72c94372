#pragma once
// "Fill in the template": one labelled box per %INPUT:caption% of a snippet, in the order the
// captions first appear, each starting with its value. Made afresh for every snippet, since the
// boxes are the snippet's own.

#include <string>
#include <vector>

#include "app/SnippetInsert.h"
#include "forms/Form.h"

namespace tavrill {

class TfrmTemplate : public Form {
public:
    explicit TfrmTemplate(const std::vector<TemplateInput>& inputs);
    // What the boxes hold on OK, in the order of the inputs; nothing on Cancel.
    std::optional<std::vector<std::string>> Run();

private:
    std::vector<HWND> boxes_;
};

// The tool bar's side of filling in a snippet: the dialog and the values Windows knows.
class TemplateWindows : public TemplateUi {
public:
    std::optional<std::vector<std::string>> AskTemplateInputs(
        const std::vector<TemplateInput>& inputs) override;
    TemplateValues SystemValues(TemplateNeeds needs) override;
};

}  // namespace tavrill
