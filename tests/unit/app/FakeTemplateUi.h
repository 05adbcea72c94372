#pragma once
// Filling in a snippet without windows: scripted answers (nothing for Cancel), and a note of the
// system values asked for.
#include "app/SnippetInsert.h"

namespace tavrill::testing {

struct FakeTemplateUi : TemplateUi {
    std::optional<std::vector<std::string>> answers;
    std::vector<TemplateNeeds> read;
    std::optional<std::vector<std::string>> AskTemplateInputs(const std::vector<TemplateInput>&) override {
        return answers;
    }
    TemplateValues SystemValues(TemplateNeeds needs) override {
        read.push_back(needs);
        TemplateValues v{.user = "ada", .guid = "{G}"};
        SetTemplateClock(v, 2026, 3, 7, 9, 5);
        return v;
    }
};

}  // namespace tavrill::testing
