#include "forms/Form.h"

#include <commctrl.h>

#include <exception>

#include "base/Error.h"

namespace tavrill {

HWND Form::ownerWindow_ = nullptr;

namespace {

constexpr char kApplicationTitle[] = "Delphi Tavrill";

void RegisterFormClass(const char* className, WNDPROC proc) {
    WNDCLASSEXA existing{sizeof existing};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return;
    WNDCLASSEXA wc{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    wc.style = CS_DBLCLKS;
    RegisterClassExA(&wc);
}

}  // namespace

// ---- helpers ---------------------------------------------------------------

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void SetWindowTextBytes(HWND hwnd, std::string_view text) {
    const std::string z(text);  // the API wants a terminator
    SetWindowTextA(hwnd, z.c_str());
}

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- Form ------------------------------------------------------------------

HFONT Form::DefaultFont() {
    static HFONT font = [] {
        HDC screen = GetDC(nullptr);
        const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        HFONT f = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
        return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

void Form::ShowErrorBox(std::string_view message) {
    const std::string text = std::string(message) + ".";
    ProgramModal modal;
    MessageBoxA(ownerWindow_, text.c_str(), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

Form::~Form() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Form::Create(const FormStyle& style) {
    style_ = style;
    RegisterFormClass(style.className, &Form::WindowProc);
    RECT r{0, 0, style.clientWidth, style.clientHeight};
    AdjustWindowRectEx(&r, style.style, FALSE, style.exStyle);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    int x = style.x;
    int y = style.y;
    if (style.centred) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    hwnd_ = CreateWindowExA(style.exStyle, style.className, style.caption.c_str(), style.style, x, y, width,
                            height, ownerWindow_, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) throw Error("Cannot create the window " + style.caption);
}

HWND Form::AddControl(const char* cls, std::string_view text, DWORD style, int x, int y, int w, int h, int id,
                      DWORD exStyle) {
    const std::string z(text);
    HWND child = CreateWindowExA(exStyle, cls, z.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                 nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    return child;
}

HWND Form::AddLabel(std::string_view text, int x, int y, int w, int h, DWORD align) {
    return AddControl("STATIC", text, align, x, y, w, h, -1);
}

HWND Form::AddGroupBox(std::string_view text, int x, int y, int w, int h) {
    return AddControl("BUTTON", text, BS_GROUPBOX, x, y, w, h, -1);
}

HWND Form::AddButton(std::string_view text, int x, int y, int w, int h, int id, bool isDefault) {
    if (isDefault) defaultButton_ = id;
    return AddControl("BUTTON", text, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y, w, h,
                      id);
}

HWND Form::AddCheckBox(std::string_view text, int x, int y, int w, int h, int id) {
    return AddControl("BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, w, h, id);
}

HWND Form::AddRadioButton(std::string_view text, int x, int y, int w, int h, int id, bool firstOfGroup) {
    return AddControl("BUTTON", text, BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), x, y, w,
                      h, id);
}

HWND Form::AddEdit(int x, int y, int w, int h, int id) {
    return AddControl("EDIT", "", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, x, y, w, h, id, WS_EX_CLIENTEDGE);
}

HWND Form::AddMemo(int x, int y, int w, int h, int id, bool wordWrap, bool scrollBars) {
    DWORD style = WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!wordWrap) style |= ES_AUTOHSCROLL;
    if (scrollBars) style |= WS_VSCROLL | (wordWrap ? 0 : WS_HSCROLL);
    HWND memo = AddControl("EDIT", "", style, x, y, w, h, id, WS_EX_CLIENTEDGE);
    SendMessageA(memo, EM_SETLIMITTEXT, 0, 0);  // no limit but memory
    return memo;
}

HWND Form::AddSpin(int x, int y, int w, int h, int id, int minimum, int maximum, int value) {
    HWND edit = AddControl("EDIT", std::to_string(value), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, x, y, w, h,
                           id, WS_EX_CLIENTEDGE);
    HWND updown = CreateWindowExA(0, UPDOWN_CLASSA, "",
                                  WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                      UDS_NOTHOUSANDS,
                                  0, 0, 0, 0, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(updown, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
    SendMessageA(updown, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
    spins_.push_back({edit, minimum, maximum});
    return edit;
}

HWND Form::AddComboBox(int x, int y, int w, int h, int id, bool sorted) {
    return AddControl("COMBOBOX", "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                           (sorted ? CBS_SORT : 0),
                      x, y, w, h, id);
}

void Form::ClampSpin(HWND edit) {
    // A number typed outside the range is pulled to the nearer bound when the box
    // loses the focus; anything that is not a number is left for the reader.
    for (const Spin& spin : spins_) {
        if (spin.edit != edit) continue;
        const std::string text = WindowText(edit);
        size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
        if (i == text.size() || text.size() > 10) return;
        for (size_t j = i; j < text.size(); ++j)
            if (text[j] < '0' || text[j] > '9') return;
        const long long value = std::stoll(text);
        if (value < spin.minimum) SetWindowTextBytes(edit, std::to_string(spin.minimum));
        if (value > spin.maximum) SetWindowTextBytes(edit, std::to_string(spin.maximum));
    }
}

int Form::ShowModal() {
    OnShowing();
    modalResult_ = 0;
    modal_ = true;
    {
        ProgramModal modal(hwnd_);
        EnableWindow(hwnd_, TRUE);
        ShowWindow(hwnd_, SW_SHOW);
        Raise();
        SetForegroundWindow(hwnd_);
        MSG msg;
        bool quit = false;
        while (modalResult_ == 0) {
            const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                // Hand the quit message on to the main loop after closing.
                quit = got == 0;
                modalResult_ = IDCANCEL;
                break;
            }
            if (!IsDialogMessageA(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        ShowWindow(hwnd_, SW_HIDE);
        if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    }
    modal_ = false;
    return modalResult_;
}

void Form::Show() {
    if (!IsWindowVisible(hwnd_)) OnShowing();
    ShowWindow(hwnd_, SW_SHOW);
    Raise();
    SetForegroundWindow(hwnd_);
}

void Form::Raise() {
    // Harmless on Windows; under Wine a form shown again can otherwise stay drawn behind a
    // window raised since, although it is on top in the window order and has the keyboard.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Form::RememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
}

void Form::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED && code != 0) return;
    if (id == IDOK || id == IDCANCEL) RememberFocus();
    if (id == IDOK) {
        // The result is OK before the handler runs; the form closes whatever it did.
        modalResult_ = IDOK;
        OnOK();
        if (!modal_) Hide();
    } else if (id == IDCANCEL) {
        if (modal_) modalResult_ = IDCANCEL;
        else Hide();
    }
}

void Form::OnClose() {
    RememberFocus();
    if (modal_) modalResult_ = IDCANCEL;
    else Hide();
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_KILLFOCUS) ClampSpin(reinterpret_cast<HWND>(lParam));
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_ACTIVATE:
            // Instead of the default, which gives the keyboard to the form itself.
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus();
            } else if (focus_ && !IsIconic(hwnd_)) {
                SetFocus(focus_);
                return 0;
            }
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
        case DM_GETDEFID:
            return MAKELRESULT(defaultButton_, DC_HASDEFID);
        case WM_CLOSE:
            OnClose();
            return 0;
        default:
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // Store the object at the first message so every later one finds it.
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // No exception crosses into the window system: a handler's error ends the
    // handler and is shown in the error box, and the program goes on.
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unexpected error");
    }
    return 0;
}

}  // namespace tavrill
