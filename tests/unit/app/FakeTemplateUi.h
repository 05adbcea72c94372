#pragma once
// The windows' side of filling in a snippet: answers the inputs with a script, or cancels, and
// notes which system values were asked for.

#include <optional>
#include <string>
#include <vector>

#include "app/SnippetInsert.h"

namespace tavrill::testing {

struct FakeTemplateUi : TemplateUi {
    std::optional<std::vector<std::string>> answers;  // nothing: Cancel
    std::vector<TemplateInput> asked;
    std::vector<TemplateNeeds> read;

    std::optional<std::vector<std::string>> AskTemplateInputs(
        const std::vector<TemplateInput>& inputs) override {
        asked = inputs;
        return answers;
    }
    TemplateValues SystemValues(TemplateNeeds needs) override {
        read.push_back(needs);
        TemplateValues v;
        if (needs.clock) SetTemplateClock(v, 2026, 3, 7, 9, 5);
        if (needs.user) v.user = "ada";
        if (needs.guid) v.guid = "{G}";
        return v;
    }
};

}  // namespace tavrill::testing
