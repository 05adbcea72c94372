#pragma once
// "Function call": picks or takes the name of the function to wrap around the
// selection, and remembers every name it is given in the function list, which
// lives in "fnlist.dat" from one run to the next. One instance for the whole run;
// a sizeable window.

#include <string>

#include "app/CommandUi.h"
#include "blocks/FunctionList.h"
#include "forms/BlockDialog.h"

namespace tavrill {

inline constexpr char kFunctionListFile[] = "fnlist.dat";

class TfrmFnCall : public BlockDialogForm, public FnCallDialog {
public:
    explicit TfrmFnCall(const std::string& programFolder);
    // Writes the function list back; an error is shown, not thrown.
    ~TfrmFnCall() override;

    std::optional<std::string> Run() override;

private:
    void FormCreate();
    void FormDestroy();
    void OnOK() override { butOKClick(); }
    void butOKClick();
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the controls for a client area of this size in layout units.
    void Layout(int width, int height);
    void FillCombo();

    std::string path_;
    FunctionList list_;
    HWND label1_ = nullptr;
    HWND groupBox2_ = nullptr;
    HWND combo1_ = nullptr;
    HWND butOK_ = nullptr;
    HWND butCancel_ = nullptr;
};

}  // namespace tavrill
