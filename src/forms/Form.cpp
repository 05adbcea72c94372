#include "forms/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <map>

#include "base/Error.h"
#include "base/Numbers.h"
#include "win32/Dpi.h"
#include "win32/Utf.h"

namespace tavrill {

HWND Form::ownerWindow_ = nullptr;

namespace {

// Registers the class once for the run; a second form of the same class finds it.
void RegisterFormClass(const char* className, WNDPROC proc) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring name = Widen(className);
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(instance, name.c_str(), &existing)) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.style = CS_DBLCLKS;
    if (!RegisterClassExW(&wc)) throw Error(std::string("Cannot register the window class ") + className);
}

// The number of characters the longer bound of a spin box's range takes.
int SpinTextLimit(int minimum, int maximum) {
    return static_cast<int>(std::max(std::to_string(minimum).size(), std::to_string(maximum).size()));
}

}  // namespace

// ---- helpers ---------------------------------------------------------------

UniqueFont CreatePointFont(int points, int weight, bool underline, const char* face, int dpi) {
    if (dpi == 0) {
        const ScreenDC screen{nullptr};
        dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    return UniqueFont{CreateFontW(FontHeight(points, dpi), 0, 0, 0, weight, FALSE, underline, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, Widen(face).c_str())};
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

void SetWindowTextBytes(HWND hwnd, std::string_view text) {
    SetWindowTextW(hwnd, Widen(text).c_str());
}

void SetFont(HWND control, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- Form ------------------------------------------------------------------

HFONT Form::DefaultFont(int dpi) {
    // One per resolution in use, kept for the whole run: every control at that resolution uses it.
    static std::map<int, UniqueFont> fonts;
    UniqueFont& font = fonts[dpi];
    if (!font) font = CreatePointFont(8, FW_NORMAL, false, "MS Sans Serif", dpi);
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Form::GiveFont(HWND control, UniqueFont& keeper, UniqueFont font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    keeper = std::move(font);
}

UniqueFont Form::PointFont(int points, int weight, bool underline, const char* face) const {
    return CreatePointFont(points, weight, underline, face, dpi_);
}

void Form::ShowErrorBox(std::string_view message) {
    const std::string text = std::string(message) + ".";
    ProgramModal modal;
    MessageBoxW(ownerWindow_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONSTOP);
}

Form::~Form() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

RECT Form::ToPixels(const Rect& r) const {
    const auto px = [this](int units) { return MulDiv(units, dpi_, kLayoutDpi); };
    return RECT{px(r.x), px(r.y), px(r.x + r.width), px(r.y + r.height)};
}

int Form::ToLayout(int pixels) const {
    return MulDiv(pixels, kLayoutDpi, dpi_);
}

void Form::Place(HWND control, const Rect& rect) {
    const RECT r = ToPixels(rect);
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    for (Placed& placed : placed_)
        if (placed.control == control) placed.rect = rect;
}

void Form::Create(const FormStyle& style) {
    RegisterFormClass(style.className, &Form::WindowProc);
    style_ = style;
    // Laid out for the monitor the form opens on: the primary one's middle when it is centred.
    const POINT middle{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    dpi_ = DpiAt(style.position.value_or(middle));
    const RECT r = FrameAround(ToPixels({0, 0, style.clientWidth, style.clientHeight}), style.style,
                               style.exStyle, dpi_);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const POINT at = style.position.value_or(
        POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2});
    hwnd_ = CreateWindowExW(style.exStyle, Widen(style.className).c_str(), Widen(style.caption).c_str(),
                            style.style, at.x, at.y, width, height, ownerWindow_, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw Error(std::string("Cannot create the window ") + style.caption);
    // The system has the last word on which monitor the new window is on.
    if (const int actual = WindowDpi(hwnd_); actual != dpi_) {
        dpi_ = actual;
        SizeFrame();
    }
}

void Form::SizeFrame() {
    const RECT r = FrameAround(ToPixels({0, 0, style_.clientWidth, style_.clientHeight}), style_.style,
                               style_.exStyle, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ApplyDpi(int dpi) {
    dpi_ = dpi;
    HFONT font = DefaultFont(dpi_);
    for (const Placed& placed : placed_) {
        const RECT r = ToPixels(placed.rect);
        MoveWindow(placed.control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        SetFont(placed.control, font);
    }
    // An up-down control sizes itself beside its box when it is attached to it.
    for (const Spin& spin : spins_)
        SendMessageW(spin.updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spin.edit), 0);
    OnDpiChanged();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND Form::AddControl(const char* className, const ControlArgs& args) {
    const RECT r = ToPixels(args.rect);
    // Made with the wide function, a control is a Unicode window: it shows and keeps any
    // character, which an ANSI window would squeeze into the code page on the way in.
    HWND child = CreateWindowExW(
        args.exStyle, Widen(className).c_str(), Widen(args.text).c_str(), WS_CHILD | WS_VISIBLE | args.style,
        r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr), nullptr);
    if (!child)
        throw Error(std::string("Cannot create the control ") + className + " " + std::string(args.text));
    SetFont(child, DefaultFont(dpi_));
    placed_.push_back({child, args.rect});
    return child;
}

HWND Form::AddLabel(const ControlArgs& args) {
    return AddControl("STATIC", args);
}

HWND Form::AddGroupBox(const ControlArgs& args) {
    ControlArgs box = args;
    box.style |= BS_GROUPBOX;
    return AddControl("BUTTON", box);
}

HWND Form::AddButton(const ButtonArgs& args) {
    if (args.isDefault) defaultButton_ = args.id;
    const DWORD kind = args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return AddControl("BUTTON",
                      {.id = args.id, .rect = args.rect, .text = args.text, .style = WS_TABSTOP | kind});
}

HWND Form::AddCheckBox(const ControlArgs& args) {
    ControlArgs box = args;
    box.style |= WS_TABSTOP | BS_AUTOCHECKBOX;
    return AddControl("BUTTON", box);
}

HWND Form::AddRadioButton(const RadioArgs& args) {
    const DWORD group = args.firstOfGroup ? WS_GROUP | WS_TABSTOP : 0;
    return AddControl(
        "BUTTON", {.id = args.id, .rect = args.rect, .text = args.text, .style = BS_AUTORADIOBUTTON | group});
}

HWND Form::AddEdit(const ControlArgs& args) {
    ControlArgs edit = args;
    edit.style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
    edit.exStyle |= WS_EX_CLIENTEDGE;
    return AddControl("EDIT", edit);
}

HWND Form::AddMemo(const MemoArgs& args) {
    DWORD style = WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!args.wordWrap) style |= ES_AUTOHSCROLL;
    if (args.scrollBars) style |= WS_VSCROLL | (args.wordWrap ? 0 : WS_HSCROLL);
    HWND memo =
        AddControl("EDIT", {.id = args.id, .rect = args.rect, .style = style, .exStyle = WS_EX_CLIENTEDGE});
    SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);  // no limit but memory
    return memo;
}

HWND Form::AddSpin(const SpinArgs& args) {
    const std::string value = std::to_string(args.value);
    HWND edit = AddEdit({.id = args.id, .rect = args.rect, .text = value});
    // A longer text cannot be a number of the range, and would only ask the reader to guess.
    SendMessageW(edit, EM_LIMITTEXT, SpinTextLimit(args.minimum, args.maximum), 0);
    HWND updown = AddControl("msctls_updown32",
                             {.style = UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS});
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(updown, UDM_SETRANGE32, static_cast<WPARAM>(args.minimum),
                 static_cast<LPARAM>(args.maximum));
    SendMessageW(updown, UDM_SETPOS32, 0, static_cast<LPARAM>(args.value));
    spins_.push_back({edit, updown, args.minimum, args.maximum});
    return edit;
}

HWND Form::AddComboBox(const ControlArgs& args) {
    ControlArgs combo = args;
    combo.style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    return AddControl("COMBOBOX", combo);
}

const Form::Spin* Form::FindSpin(HWND edit) const {
    for (const Spin& spin : spins_)
        if (spin.edit == edit) return &spin;
    return nullptr;
}

std::string Form::SpinText(HWND spin) const {
    // Only AddSpin's boxes are read this way; anything else is a programmer's error.
    const Spin* found = FindSpin(spin);
    if (!found) throw Error("Not a spin box");
    return std::to_string(ReadSpinValue(WindowText(spin), found->minimum, found->maximum));
}

void Form::ClampSpin(HWND edit) {
    // A number typed outside the range is pulled to the nearer bound when the box
    // loses the focus; anything that is not a number is left for the reader.
    const Spin* spin = FindSpin(edit);
    if (!spin) return;
    const std::string text = WindowText(edit);
    const size_t sign = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (sign == text.size()) return;
    if (!std::all_of(text.begin() + sign, text.end(), [](char c) { return c >= '0' && c <= '9'; })) return;
    const std::string value = std::to_string(ReadSpinValue(text, spin->minimum, spin->maximum));
    if (value != text) SetWindowTextBytes(edit, value);
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
            // The wide loop: typed characters reach the Unicode controls whole.
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                // Hand the quit message on to the main loop after closing.
                quit = got == 0;
                modalResult_ = IDCANCEL;
                break;
            }
            if (!IsDialogMessageW(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
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

void Form::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

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
        if (modal_)
            modalResult_ = IDCANCEL;
        else
            Hide();
    }
}

void Form::OnClose() {
    RememberFocus();
    if (modal_)
        modalResult_ = IDCANCEL;
    else
        Hide();
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
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
        case WM_DPICHANGED: {
            // Moved to a monitor of another resolution: laid out again for it, at the place
            // the system suggests, which keeps the form under the pointer. A form of fixed
            // size gets exactly its layout's size; one the user can size, the suggested size.
            ApplyDpi(HIWORD(wParam));
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (!(style_.style & WS_THICKFRAME)) SizeFrame();
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(defaultButton_, DC_HASDEFID);
        case WM_CLOSE:
            OnClose();
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // Store the object at the first message so every later one finds it.
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
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
