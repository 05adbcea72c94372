#include "forms/fFnCall.h"

#include <exception>

#include "base/Error.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kCombo1 = 101 };

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 150;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TfrmFnCall::TfrmFnCall(const std::string& programFolder) : path_(programFolder + kFunctionListFile) {
    Create({.className = "TfrmFnCall",
            .caption = "Function call",
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
            .exStyle = WS_EX_CONTROLPARENT,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .position = POINT{260, 200}});

    // In tab order: OK, Cancel, then the name. Layout places them.
    label1_ =
        AddLabel({.text = "By selecting or typing a function name here, it will add the function name and "
                          "parentheses around your current block of code.",
                  .style = SS_CENTER | SS_NOPREFIX});
    butOK_ = AddButton({.id = IDOK, .text = "&OK", .isDefault = true});
    butCancel_ = AddButton({.id = IDCANCEL, .text = "&Cancel"});
    groupBox2_ = AddGroupBox({.text = "  Function to call  "});
    combo1_ = AddComboBox({.id = kCombo1});
    SendMessageW(combo1_, CB_LIMITTEXT, 0, 0);  // names of any length pass whole
    SetWindowTextBytes(combo1_, "trim");
    Layout(kClientWidth, kClientHeight);
    SetInitialFocus(butOK_);
    FormCreate();
}

TfrmFnCall::~TfrmFnCall() {
    // Runs while the program ends; nothing may escape a destructor.
    try {
        FormDestroy();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    }
}

void TfrmFnCall::FormCreate() {
    // The design entries stay when the file cannot be read.
    try {
        LoadFunctionList(list_, path_);
    } catch (const Error& e) {
        ShowErrorBox(e.what());
    }
    FillCombo();
}

void TfrmFnCall::FormDestroy() {
    SaveFunctionList(list_, path_);
}

void TfrmFnCall::FillCombo() {
    // The list keeps its own order; the combo box only shows it.
    const std::string text = WindowText(combo1_);
    SendMessageW(combo1_, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : list_.Entries())
        SendMessageW(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    SetWindowTextBytes(combo1_, text);
}

void TfrmFnCall::butOKClick() {
    if (list_.AddIfMissing(WindowText(combo1_))) FillCombo();
}

std::optional<std::string> TfrmFnCall::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return WindowText(combo1_);
}

void TfrmFnCall::Layout(int width, int height) {
    const int inner = std::max(width - 2 * kMargin, 60);
    const int buttonsTop = std::max(height - kMargin - kButtonHeight, 100);
    Place(label1_, {kMargin, kMargin, inner, 42});
    Place(groupBox2_, {kMargin, 54, inner, 50});
    // A drop-down combo box's height includes its opened list.
    Place(combo1_, {2 * kMargin, 72, inner - 2 * kMargin, 200});
    const int left = (width - 2 * kButtonWidth - 2 * kMargin) / 2;
    Place(butOK_, {left, buttonsTop, kButtonWidth, kButtonHeight});
    Place(butCancel_, {left + kButtonWidth + 2 * kMargin, buttonsTop, kButtonWidth, kButtonHeight});
}

LRESULT TfrmFnCall::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && wParam != SIZE_MINIMIZED) {
        Layout(ToLayout(LOWORD(lParam)), ToLayout(HIWORD(lParam)));
        return 0;
    }
    return BlockDialogForm::HandleMessage(msg, wParam, lParam);
}

}  // namespace tavrill
