#include "forms/fTemplate.h"

#include <algorithm>

#include "win32/SystemValues.h"

namespace tavrill {
namespace {

constexpr int kFirstBox = 101;
constexpr int kWidth = 320;
constexpr int kMargin = 8;
constexpr int kRowHeight = 46;  // a label and its box
// Beyond this many boxes the dialog would outgrow a small screen; each then gets less room.
constexpr int kRowsAtFullHeight = 12;

}  // namespace

TfrmTemplate::TfrmTemplate(const std::vector<TemplateInput>& inputs) {
    const int count = static_cast<int>(inputs.size());
    const int step =
        count > kRowsAtFullHeight ? std::max(40, kRowHeight * kRowsAtFullHeight / count) : kRowHeight;
    const int buttonsTop = kMargin + count * step + 4;
    Create({.className = "TfrmTemplate",
            .caption = "Fill in the template",
            .clientWidth = kWidth,
            .clientHeight = buttonsTop + 25 + kMargin});
    const int inner = kWidth - 2 * kMargin;
    for (int i = 0; i < count; ++i) {
        const TemplateInput& input = inputs[static_cast<std::size_t>(i)];
        const int top = kMargin + i * step;
        // The caption is the snippet's text, not ours: an "&" in it is shown, not made an access key.
        AddLabel({.rect = {kMargin, top + 2, inner, 14}, .text = input.caption + ":", .style = SS_NOPREFIX});
        HWND box = AddEdit({.id = kFirstBox + i, .rect = {kMargin, top + 18, inner, 21}});
        SetWindowTextBytes(box, input.initial);
        boxes_.push_back(box);
    }
    AddButton({.id = IDOK, .rect = {kWidth / 2 - 83, buttonsTop, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {kWidth / 2 + 8, buttonsTop, 75, 25}, .text = "&Cancel"});
    if (!boxes_.empty()) {
        SetInitialFocus(boxes_.front());
        // The starting value selected, so typing replaces it.
        SendMessageW(boxes_.front(), EM_SETSEL, 0, -1);
    }
}

std::optional<std::vector<std::string>> TfrmTemplate::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    std::vector<std::string> typed;
    for (HWND box : boxes_) typed.push_back(WindowText(box));
    return typed;
}

std::optional<std::vector<std::string>> TemplateWindows::AskTemplateInputs(
    const std::vector<TemplateInput>& inputs) {
    TfrmTemplate frmTemplate(inputs);  // a fresh one every time
    return frmTemplate.Run();
}

TemplateValues TemplateWindows::SystemValues(TemplateNeeds needs) {
    return ReadSystemValues(needs);
}

}  // namespace tavrill
