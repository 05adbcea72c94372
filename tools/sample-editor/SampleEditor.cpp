// A stand-in for the IDE's code editor, for trying the tool bar without the IDE and for the
// end-to-end tests. The tool bar knows the editor only by its window classes: a top-level
// "TEditWindow" with a "TEditControl" among its children, or as the first child of a
// "TTabControl" child; or, docked, a "TEditControl" deep inside the IDE's main window. The
// editor control is the system EDIT control registered under another name (a superclass), so
// it answers WM_COPY, WM_PASTE and WM_UNDO exactly as EDIT does, also when they come from
// another process.
//
//   sample-editor [--tab] [--tab-second] [--second] [--docked] [--unicode] [--keys-only]
//                 [--other] [file]
//
//   --tab         the editor control sits inside a "TTabControl" child, as its first child
//   --tab-second  like --tab, but another child comes first, so the tool bar must not find it
//   --second      a second editor control below the first in z-order (it starts empty)
//   --docked      the docked layout: "TAppBuilder" > "TEditorDockPanel" > "TEditWindow" >
//                 "TPanel" > "TPanel" > "TEditControl", beside an inspector panel
//   --unicode     a Unicode editor control (the wide functions); the file is read as UTF-8
//   --keys-only   the control ignores WM_COPY, WM_PASTE and WM_UNDO from other threads and
//                 programs, and copies, pastes and undoes only on Ctrl+Insert, Shift+Insert
//                 and Ctrl+Z (its own keyboard handling)
//   --other       an editor that is not the IDE: every window class is "Window"
//   file          opened as the text, byte for byte up to its first NUL byte (UTF-8 with
//                 --unicode, a byte order mark skipped)
//
// The editor control carries the window property "SampleEditorControl", by which the
// end-to-end tests find it in any layout.

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/UniqueHandle.h"
#include "win32/Utf.h"

namespace {

constexpr char kTabClass[] = "TTabControl";
constexpr char kTabSheetClass[] = "TTabSheet";
constexpr char kPanelClass[] = "TPanel";
constexpr char kDockPanelClass[] = "TEditorDockPanel";
constexpr char kOtherClass[] = "Window";
constexpr char kControlProperty[] = "SampleEditorControl";
constexpr int kTabStripHeight = 24;
constexpr int kInspectorWidth = 150;

constexpr char kUsage[] =
    "sample-editor [--tab] [--tab-second] [--second] [--docked] [--unicode] [--keys-only] [--other] "
    "[file]\r\n\r\n"
    "--tab\tthe editor control sits inside a TTabControl, as its first child\r\n"
    "--tab-second\tanother child comes first in the TTabControl\r\n"
    "--second\ta second editor control below the first\r\n"
    "--docked\tthe editor docked in the IDE's main window\r\n"
    "--unicode\ta Unicode editor control; the file is UTF-8\r\n"
    "--keys-only\tcopy, paste and undo only from the keyboard\r\n"
    "--other\tnot the IDE: every class is Window\r\n"
    "file\topened as the text";

struct Options {
    bool tab = false;
    bool tabSecond = false;
    bool second = false;
    bool docked = false;
    bool unicode = false;
    bool keysOnly = false;
    bool other = false;
    std::string file;
};

// The class names of one run: --other makes them all "Window".
struct Classes {
    const char* frame;
    const char* editor;
    const char* tab;
    const char* panel;
};

Classes ClassesFor(const Options& o) {
    if (o.other) return {kOtherClass, kOtherClass, kOtherClass, kOtherClass};
    return {o.docked ? "TAppBuilder" : "TEditWindow", "TEditControl", kTabClass, kPanelClass};
}

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
        } else if (a == "--docked") {
            o.docked = true;
        } else if (a == "--unicode") {
            o.unicode = true;
        } else if (a == "--keys-only") {
            o.keysOnly = true;
        } else if (a == "--other") {
            o.other = true;
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

// EDIT's own window procedure, ANSI or wide; the superclass hands everything it does not
// handle to it. A sample tool, so its few settings are plain statics.
WNDPROC editProc = nullptr;
bool unicodeEditor = false;
bool keysOnly = false;

LRESULT CallEdit(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return unicodeEditor ? CallWindowProcW(editProc, hwnd, msg, wp, lp)
                         : CallWindowProcA(editProc, hwnd, msg, wp, lp);
}

void NoteFocus(HWND editor);

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COPY:
        case WM_CUT:
        case WM_PASTE:
        case WM_UNDO:
            // EDIT sends WM_UNDO to itself on Ctrl+Z, from its own thread; only requests from
            // other threads are ignored.
            if (keysOnly && InSendMessage()) return 0;
            break;
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
    return CallEdit(hwnd, msg, wp, lp);
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

// --other: one class "Window" for the frame, the panel and the editor control, as some class
// libraries register it. Each window is told apart by what it was created as.
enum class Kind { Frame, Panel, Editor };
std::map<HWND, Kind> kinds;
Kind creating = Kind::Frame;

class EditorWindow {
public:
    explicit EditorWindow(const Options& options) : options_(options), classes_(ClassesFor(options)) {}

    bool Create(HINSTANCE instance, const std::string& title, const std::string& text) {
        instance_ = instance;
        const std::string caption = options_.docked ? "Project1 - " + title : title;
        creating = Kind::Frame;
        frame_ = CreateWindowExA(0, classes_.frame, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 240, 60, 640, 420, nullptr, nullptr, instance, this);
        if (!frame_) return false;

        font_.reset(CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                FIXED_PITCH | FF_MODERN, "Courier New"));
        HWND parent = frame_;
        if (options_.docked) {
            // The IDE's main window: an inspector on the left, the editor docked beside it, the
            // editor window holding its control a few panels down.
            inspector_ = Child(classes_.panel, frame_);
            dock_ = Child(kDockPanelClass, frame_);
            dockedWindow_ = Child("TEditWindow", dock_);
            outerPanel_ = Child(classes_.panel, dockedWindow_);
            parent = innerPanel_ = Child(classes_.panel, outerPanel_);
        } else if (options_.other) {
            parent = innerPanel_ = Child(classes_.panel, frame_);
        }
        if (options_.tab) {
            tab_ = Child(classes_.tab, parent);
            parent = tab_;
            if (options_.tabSecond) sheet_ = Child(kTabSheetClass, tab_);
        }
        editors_.push_back(CreateEditor(parent, text));
        if (options_.second) editors_.push_back(CreateEditor(parent, ""));
        for (HWND e : editors_) {
            if (!e) return false;
        }
        SetPropA(editors_.front(), kControlProperty, reinterpret_cast<HANDLE>(1));
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
    HWND Child(const char* cls, HWND parent) {
        creating = Kind::Panel;
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                               nullptr, instance_, nullptr);
    }

    HWND CreateEditor(HWND parent, const std::string& text) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
        creating = Kind::Editor;
        HWND e = unicodeEditor ? CreateWindowExW(WS_EX_CLIENTEDGE, tavrill::Widen(classes_.editor).c_str(),
                                                 L"", style, 0, 0, 0, 0, parent, nullptr, instance_, nullptr)
                               : CreateWindowExA(WS_EX_CLIENTEDGE, classes_.editor, "", style, 0, 0, 0, 0,
                                                 parent, nullptr, instance_, nullptr);
        if (!e) return nullptr;
        SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        SendMessageA(e, EM_SETLIMITTEXT, 0, 0);  // as much as EDIT can hold, not 30000 bytes
        if (unicodeEditor) {
            SetWindowTextW(e, tavrill::Widen(text).c_str());
        } else {
            SetWindowTextA(e, text.c_str());
        }
        SendMessageA(e, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageA(e, EM_SETMODIFY, FALSE, 0);
        return e;
    }

    // Makes `child` fill its parent's client area, and returns that area.
    static RECT Fill(HWND child) {
        RECT rc;
        GetClientRect(GetParent(child), &rc);
        MoveWindow(child, 0, 0, rc.right, rc.bottom, TRUE);
        GetClientRect(child, &rc);
        return rc;
    }

    void Layout() {
        if (editors_.empty()) return;
        RECT rc;
        GetClientRect(frame_, &rc);
        if (options_.docked) {
            MoveWindow(inspector_, 0, 0, kInspectorWidth, rc.bottom, TRUE);
            MoveWindow(dock_, kInspectorWidth, 0, rc.right - kInspectorWidth, rc.bottom, TRUE);
            Fill(dockedWindow_);
            Fill(outerPanel_);
        }
        if (innerPanel_) rc = Fill(innerPanel_);
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
    Classes classes_;
    HINSTANCE instance_ = nullptr;
    HWND frame_ = nullptr;
    HWND inspector_ = nullptr;
    HWND dock_ = nullptr;
    HWND dockedWindow_ = nullptr;
    HWND outerPanel_ = nullptr;
    HWND innerPanel_ = nullptr;
    HWND tab_ = nullptr;
    HWND sheet_ = nullptr;
    std::vector<HWND> editors_;
    HWND lastEditor_ = nullptr;
    tavrill::UniqueFont font_;
};

void NoteFocus(HWND editor) {
    if (EditorWindow* self = EditorWindow::FromFrame(GetAncestor(editor, GA_ROOT))) self->NoteFocus(editor);
}

LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto [it, added] = kinds.try_emplace(hwnd, creating);
    const Kind kind = it->second;
    if (msg == WM_NCDESTROY) kinds.erase(hwnd);
    switch (kind) {
        case Kind::Frame:
            return EditorWindow::FrameProc(hwnd, msg, wp, lp);
        case Kind::Editor:
            return EditorProc(hwnd, msg, wp, lp);
        case Kind::Panel:
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterEditorClass(HINSTANCE instance, const char* name) {
    if (unicodeEditor) {
        WNDCLASSEXW edit{};
        edit.cbSize = sizeof edit;
        if (!GetClassInfoExW(nullptr, L"EDIT", &edit)) return false;
        editProc = edit.lpfnWndProc;
        edit.lpfnWndProc = EditorProc;
        edit.hInstance = instance;
        const std::wstring wide = tavrill::Widen(name);
        edit.lpszClassName = wide.c_str();
        return RegisterClassExW(&edit) != 0;
    }
    WNDCLASSEXA edit{};
    edit.cbSize = sizeof edit;
    if (!GetClassInfoExA(nullptr, "EDIT", &edit)) return false;
    editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = EditorProc;
    edit.hInstance = instance;
    edit.lpszClassName = name;
    return RegisterClassExA(&edit) != 0;
}

bool RegisterOtherClass(HINSTANCE instance) {
    WNDCLASSEXA edit{};
    edit.cbSize = sizeof edit;
    if (!GetClassInfoExA(nullptr, "EDIT", &edit)) return false;
    editProc = edit.lpfnWndProc;
    unicodeEditor = false;
    WNDCLASSEXA window{};
    window.cbSize = sizeof window;
    window.style = CS_DBLCLKS;
    window.lpfnWndProc = OtherProc;
    window.cbWndExtra = edit.cbWndExtra;  // the editor's state lives there
    window.hInstance = instance;
    window.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window.lpszClassName = kOtherClass;
    return RegisterClassExA(&window) != 0;
}

bool RegisterClasses(HINSTANCE instance, const Options& options) {
    if (options.other) return RegisterOtherClass(instance);
    const Classes classes = ClassesFor(options);
    if (!RegisterEditorClass(instance, classes.editor)) return false;

    WNDCLASSEXA frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = EditorWindow::FrameProc;
    frame.hInstance = instance;
    frame.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frame.lpszClassName = classes.frame;
    if (!RegisterClassExA(&frame)) return false;

    WNDCLASSEXA tab = frame;
    tab.lpfnWndProc = TabProc;
    tab.hIcon = nullptr;
    tab.lpszClassName = kTabClass;
    if (!RegisterClassExA(&tab)) return false;

    WNDCLASSEXA sheet = tab;
    sheet.lpfnWndProc = DefWindowProcA;
    sheet.hbrBackground = GetSysColorBrush(COLOR_BTNSHADOW);
    sheet.lpszClassName = kTabSheetClass;
    if (!RegisterClassExA(&sheet)) return false;

    // The docked layout's plain containers.
    WNDCLASSEXA panel = sheet;
    panel.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    for (const char* name : {kPanelClass, kDockPanelClass, "TEditWindow"}) {
        if (!options.docked && name != kPanelClass) continue;
        panel.lpszClassName = name;
        if (!RegisterClassExA(&panel)) return false;
    }
    return true;
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
    unicodeEditor = options->unicode;
    keysOnly = options->keysOnly;
    if (options->unicode && std::string_view(text).starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    if (!RegisterClasses(instance, *options)) return 1;

    EditorWindow window(*options);
    if (!window.Create(instance, options->file.empty() ? "Untitled" : BaseName(options->file), text))
        return 1;
    ShowWindow(window.Frame(), show);
    UpdateWindow(window.Frame());

    MSG msg;
    // The wide loop, so that typed characters reach a Unicode control whole.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
