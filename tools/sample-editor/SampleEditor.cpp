// A stand-in for the IDE's code editor, for trying the tool bar without the IDE and for the
// end-to-end tests. The tool bar knows the editor only by its window classes: a top-level
// "TEditWindow" with a "TEditControl" among its children, or as the first child of a
// "TTabControl" child. The editor control is the system EDIT control registered under another
// name (a superclass), so it answers WM_COPY, WM_PASTE and WM_UNDO exactly as EDIT does, also
// when they come from another process.
//
//   sample-editor [--tab] [--tab-second] [--second] [file]
//
//   --tab         the editor control sits inside a "TTabControl" child, as its first child
//   --tab-second  like --tab, but another child comes first, so the tool bar must not find it
//   --second      a second editor control below the first in z-order (it starts empty)
//   file          opened as the text, byte for byte up to its first NUL byte

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/UniqueHandle.h"

namespace {

constexpr char kFrameClass[] = "TEditWindow";
constexpr char kTabClass[] = "TTabControl";
constexpr char kEditorClass[] = "TEditControl";
constexpr char kTabSheetClass[] = "TTabSheet";
constexpr int kTabStripHeight = 24;

constexpr char kUsage[] =
    "sample-editor [--tab] [--tab-second] [--second] [file]\r\n\r\n"
    "--tab\tthe editor control sits inside a TTabControl, as its first child\r\n"
    "--tab-second\tanother child comes first in the TTabControl\r\n"
    "--second\ta second editor control below the first\r\n"
    "file\topened as the text";

struct Options {
    bool tab = false;
    bool tabSecond = false;
    bool second = false;
    std::string file;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--tab") {
            o.tab = true;
        } else if (a == "--tab-second") {
            o.tab = o.tabSecond = true;
        } else if (a == "--second") {
            o.second = true;
        } else if (a.starts_with("--") || !o.file.empty()) {
            return std::nullopt;
        } else {
            o.file = a;
        }
    }
    return o;
}

std::string BaseName(const std::string& path) {
    auto cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// A file with Unix line ends only (no CR at all) gets CR LF, since EDIT shows a lone LF as
// a glyph; anything else is taken as it is, so a test sees exactly the bytes it wrote.
std::optional<std::string> LoadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.find('\r') != std::string::npos) return bytes;
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (char c : bytes) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return text;
}

// EDIT's own window procedure; the superclass hands everything it does not handle to it.
WNDPROC editProc = nullptr;

void NoteFocus(HWND editor);

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            // The IDE's editor selects everything on Ctrl+A; older EDIT controls do not.
            if (wp == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
                SendMessageA(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wp == 1) return 0;  // the Ctrl+A character would only beep
            break;
        case WM_SETFOCUS:
            NoteFocus(hwnd);
            break;
    }
    return CallWindowProcA(editProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT strip;
        GetClientRect(hwnd, &strip);
        strip.bottom = kTabStripHeight;
        FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
        char title[MAX_PATH] = "";
        GetWindowTextA(GetAncestor(hwnd, GA_ROOT), title, sizeof title);
        RECT tab{4, 3, 4 + 8 * static_cast<LONG>(lstrlenA(title)) + 24, kTabStripHeight};
        FillRect(dc, &tab, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &tab, GetSysColorBrush(COLOR_BTNSHADOW));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, title, -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class EditorWindow {
public:
    explicit EditorWindow(const Options& options) : options_(options) {}

    bool Create(HINSTANCE instance, const std::string& title, const std::string& text) {
        frame_ = CreateWindowExA(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 240,
                                 60, 640, 420, nullptr, nullptr, instance, this);
        if (!frame_) return false;

        font_.reset(CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                FIXED_PITCH | FF_MODERN, "Courier New"));
        HWND parent = frame_;
        if (options_.tab) {
            tab_ = CreateWindowExA(0, kTabClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                   frame_, nullptr, instance, nullptr);
            parent = tab_;
            if (options_.tabSecond) {
                sheet_ = CreateWindowExA(0, kTabSheetClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, tab_,
                                         nullptr, instance, nullptr);
            }
        }
        editors_.push_back(CreateEditor(instance, parent, text));
        if (options_.second) editors_.push_back(CreateEditor(instance, parent, ""));
        for (HWND e : editors_) {
            if (!e) return false;
        }
        // Children are created at the bottom of their siblings' z-order, which is the order the
        // tool bar walks; say so explicitly rather than rely on it.
        HWND above = sheet_;
        for (HWND e : editors_) {
            if (above) SetWindowPos(e, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = e;
        }
        Layout();
        lastEditor_ = editors_.front();
        return true;
    }

    HWND Frame() const { return frame_; }

    static EditorWindow* FromFrame(HWND frame) {
        return reinterpret_cast<EditorWindow*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    }

    // The frame gives the focus back to the editor the user worked in last.
    void NoteFocus(HWND editor) { lastEditor_ = editor; }

    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        EditorWindow* self = FromFrame(hwnd);
        switch (msg) {
            case WM_SIZE:
                if (self) self->Layout();
                return 0;
            case WM_SETFOCUS:
                if (self && self->lastEditor_) SetFocus(self->lastEditor_);
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

private:
    HWND CreateEditor(HINSTANCE instance, HWND parent, const std::string& text) {
        HWND e = CreateWindowExA(WS_EX_CLIENTEDGE, kEditorClass, "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                                     ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                 0, 0, 0, 0, parent, nullptr, instance, nullptr);
        if (!e) return nullptr;
        SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        SendMessageA(e, EM_SETLIMITTEXT, 0, 0);  // as much as EDIT can hold, not 30000 bytes
        SetWindowTextA(e, text.c_str());
        SendMessageA(e, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageA(e, EM_SETMODIFY, FALSE, 0);
        return e;
    }

    void Layout() {
        if (editors_.empty()) return;
        RECT rc;
        GetClientRect(frame_, &rc);
        int top = 0;
        if (tab_) {
            MoveWindow(tab_, 0, 0, rc.right, rc.bottom, TRUE);
            if (sheet_) MoveWindow(sheet_, rc.right - 120, 0, 120, kTabStripHeight, TRUE);
            top = kTabStripHeight;
        }
        int height = rc.bottom - top;
        int firstHeight = editors_.size() > 1 ? height * 3 / 5 : height;
        MoveWindow(editors_[0], 0, top, rc.right, firstHeight, TRUE);
        if (editors_.size() > 1)
            MoveWindow(editors_[1], 0, top + firstHeight, rc.right, height - firstHeight, TRUE);
    }

    Options options_;
    HWND frame_ = nullptr;
    HWND tab_ = nullptr;
    HWND sheet_ = nullptr;
    std::vector<HWND> editors_;
    HWND lastEditor_ = nullptr;
    tavrill::UniqueFont font_;
};

void NoteFocus(HWND editor) {
    if (EditorWindow* self = EditorWindow::FromFrame(GetAncestor(editor, GA_ROOT))) self->NoteFocus(editor);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXA edit{};
    edit.cbSize = sizeof edit;
    if (!GetClassInfoExA(nullptr, "EDIT", &edit)) return false;
    editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = EditorProc;
    edit.hInstance = instance;
    edit.lpszClassName = kEditorClass;
    if (!RegisterClassExA(&edit)) return false;

    WNDCLASSEXA frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = EditorWindow::FrameProc;
    frame.hInstance = instance;
    frame.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frame.lpszClassName = kFrameClass;
    if (!RegisterClassExA(&frame)) return false;

    WNDCLASSEXA tab = frame;
    tab.lpfnWndProc = TabProc;
    tab.hIcon = nullptr;
    tab.lpszClassName = kTabClass;
    if (!RegisterClassExA(&tab)) return false;

    WNDCLASSEXA sheet = frame;
    sheet.lpfnWndProc = DefWindowProcA;
    sheet.hIcon = nullptr;
    sheet.hbrBackground = GetSysColorBrush(COLOR_BTNSHADOW);
    sheet.lpszClassName = kTabSheetClass;
    return RegisterClassExA(&sheet) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    auto options = ParseOptions(__argc, __argv);
    if (!options) {
        MessageBoxA(nullptr, kUsage, "Sample editor", MB_OK | MB_ICONINFORMATION);
        return 2;
    }
    std::string text;
    if (!options->file.empty()) {
        auto loaded = LoadText(options->file);
        if (!loaded) {
            std::string message = "Cannot open file " + options->file + ".";
            MessageBoxA(nullptr, message.c_str(), "Sample editor", MB_OK | MB_ICONSTOP);
            return 1;
        }
        text = std::move(*loaded);
    }
    if (!RegisterClasses(instance)) return 1;

    EditorWindow window(*options);
    if (!window.Create(instance, options->file.empty() ? "Untitled" : BaseName(options->file), text))
        return 1;
    ShowWindow(window.Frame(), show);
    UpdateWindow(window.Frame());

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
