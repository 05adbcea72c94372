#pragma once
// The stash browser: a search box and the order choice over the stash folder's
// files on the left, the selected one's text, coloured, on the right, COPY to
// hand the snippet to the editor and the Delete key to remove a file. One
// instance lives for the whole run; each showing starts afresh, with the order
// chosen last. What it shows and does is StashBrowserModel's; this class only
// keeps the controls in step with it.
//
// The list shows the folder's listing at once; descriptions and the search's
// reach over the files' text fill in as the stash reader reads them.
//
// Keys in the search box: typing filters the list at once and selects the best
// match; Down moves into the list (on its first row when nothing is selected);
// Enter copies the selected snippet like COPY, and does nothing while nothing
// is selected, so a stray Enter never replaces the editor's selection with
// nothing; Esc empties a box that holds text and otherwise closes the browser
// as Esc always has.

#include "app/CommandUi.h"
#include "app/StashBrowser.h"
#include "forms/Form.h"
#include "forms/StashReader.h"
#include "win32/RichPreview.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

// The rich edit library is the first base: loaded before the preview is made,
// freed only after Form has destroyed the window.
class TfrmStash : private RichEditLibrary, public Form, public StashBrowser {
public:
    // The reader, shared with the palette, outlives the browser.
    TfrmStash(BridgeHost& host, StashReader& reader);

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
    void txtSearch_Change();
    void txtSearchKeyDown();  // Down
    void chkOrder_Click();
    void butImport_Click();

    void FillList();
    void IndexGrew();  // more files read
    // After the model changed its rows or selection: the list and the preview follow.
    void ShowModel(const std::vector<std::size_t>& rowsBefore, std::optional<std::size_t> selectedBefore);
    void ShowPreview(std::string_view text);
    // Places the controls for a client area of this size in layout units.
    void Layout(int width, int height);
    void OnDpiChanged() override;
    void LoadGlyphsAndFont();  // for the form's resolution
    void DrawItem(const DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK SearchBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    StashReader& reader_;
    StashBrowserModel model_;
    std::optional<std::string> copied_;
    bool showing_ = false;             // form_show is emptying the search box
    std::vector<std::string> listed_;  // the names the list box holds, top first

    HWND Label1_ = nullptr;
    HWND txtSearch_ = nullptr;
    HWND chkByName_ = nullptr;
    HWND chkNewest_ = nullptr;
    HWND file1_ = nullptr;
    HWND butCopy_ = nullptr;
    HWND butCancel_ = nullptr;
    HWND butImport_ = nullptr;
    HWND Label2_ = nullptr;
    HWND Memo1_ = nullptr;
    UniqueFont previewFont_;
    UniqueBitmap programGlyph_;
    UniqueBitmap fileGlyph_;
};

}  // namespace tavrill
