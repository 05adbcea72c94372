#pragma once
// The about box: product name, version, the maker's notice and web address.
// Not modal: the tool bar stays usable while it is open.

#include "Version.h"
#include "forms/Form.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

inline constexpr char kVersionLine[] = "Version " TAVRILL_VERSION_TEXT;

class TfrmAbout : public Form {
public:
    TfrmAbout();

private:
    void OnShowing() override { form_show(); }
    void OnOK() override { butOKClick(); }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override;

    void form_show();
    void butOKClick() { Hide(); }

    HWND programIcon_ = nullptr;
    HWND productName_ = nullptr;
    HWND labVer_ = nullptr;
    HWND label1_ = nullptr;
    HWND butOK_ = nullptr;
    UniqueFont boldUnderlined_, bold_, large_;
    UniqueIcon icon_;
};

}  // namespace tavrill
