#pragma once
// The stash browser: the stash folder's files on the left, the selected one's
// text on the right, COPY to hand the snippet to the editor and the Delete key
// to remove a file. One instance lives for the whole run; each showing starts
// afresh. What it shows and does is StashBrowserModel's; this class only keeps
// the controls in step with it.

#include "app/StashCommands.h"
#include "forms/Form.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

class TfrmStash : public Form, public StashBrowser {
public:
    TfrmStash(BridgeHost& host, std::string stashFolder);

    std::optional<std::string> Run() override;

private:
    void OnShowing() override { form_show(); }
    void OnOK() override { butCopy_Click(); }
    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void form_show();
    void file1_Click();
    void file1_dblclick();
    void butCopy_Click();
    void file1KeyDown(WORD key);

    void FillList();
    // Places the controls for a client area of this size in layout units.
    void Layout(int width, int height);
    void DrawItem(const DRAWITEMSTRUCT& item);

    StashBrowserModel model_;
    std::optional<std::string> copied_;

    HWND Label1_ = nullptr;
    HWND file1_ = nullptr;
    HWND butCopy_ = nullptr;
    HWND butCancel_ = nullptr;
    HWND Label2_ = nullptr;
    HWND Memo1_ = nullptr;
    UniqueFont previewFont_;
    UniqueBitmap programGlyph_;
    UniqueBitmap fileGlyph_;
};

}  // namespace tavrill
