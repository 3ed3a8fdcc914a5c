// Plays a conformance table (the scenarios, or the windows' definitions) against the Win32
// front-end under Wine: tolvane.exe's own windows (the same library and resource script,
// started as tolvane.exe starts them but without the splash) in this process, where a
// recording printer and newpath can be reached. They are driven with the window messages a
// user's mouse and keys produce: a mouse message goes where Windows sends it, to the window
// holding the capture, else to the window under the point. Every step is posted from a
// timer, which also ticks inside the modal loops, and the state is read at the next tick at
// which the queue is empty and a window waits for input.
//
// usage: conformance_win32 TABLE OUTPUT
#include "scenario_table.h"

#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using conformance::Step;

struct Name {
    int id;
    const char* name;
};

// Every control and menu item by its name in the window definitions.
#define CONTROL(window, name)                                                                      \
    { IDC_##window##_##name, #name }
const Name kControls[] = {
    CONTROL(Form1, Frame1),       CONTROL(Form1, Picture1),     CONTROL(Form1, DrvListBox),
    CONTROL(Form1, Vendorlbl),    CONTROL(Form1, Versionlbl),   CONTROL(Form1, Label5),
    CONTROL(Form1, Descrlbl),     CONTROL(Form1, FileNamelbl),  CONTROL(Form1, Label4),
    CONTROL(Form1, Label3),       CONTROL(Form1, Label2),       CONTROL(Form1, Label1),
    CONTROL(changedir, Command2), CONTROL(changedir, Command1), CONTROL(changedir, Drive1),
    CONTROL(changedir, Dir1),     CONTROL(drvHelp, Command1),   CONTROL(drvHelp, Frame1),
    CONTROL(drvHelp, Label1),     CONTROL(drvHelp, Label2),     CONTROL(drvHelp, Label3),
    CONTROL(About, Command1),     CONTROL(About, Picture1),     CONTROL(About, Label6),
    CONTROL(About, Label5),       CONTROL(About, Label4),       CONTROL(About, Label3),
    CONTROL(About, Label2),       CONTROL(About, Label1),       CONTROL(QuilletEgg, Command1)};
#define MENU(name)                                                                                 \
    { IDM_##name, #name }
const Name kMenu[] = {MENU(DRVOnly),  MENU(DLLOnly),    MENU(vxdonly),  MENU(BothDLLDRV),
                      MENU(Filemen),  MENU(chdr),       MENU(printmen), MENU(SDriver),
                      MENU(ADrivers), {IDM_u1, "u(1)"}, MENU(Exitmen),  MENU(typemen),
                      MENU(Helpmen),  MENU(Helpme),     MENU(p),        MENU(AboutMe)};
const size_t kControlCount = sizeof kControls / sizeof *kControls;
const size_t kMenuCount = sizeof kMenu / sizeof *kMenu;

// Each window by its dialog procedure.
const struct {
    DLGPROC procedure;
    const char* name;
} kWindows[] = {{tolvane::Form1Proc, "Form1"},       {tolvane::changedirProc, "changedir"},
                {tolvane::drvHelpProc, "drvHelp"},   {tolvane::AboutProc, "About"},
                {tolvane::BrisklowProc, "Brisklow"}, {tolvane::QuilletEggProc, "QuilletEgg"}};

const char* windowName(HWND window) {
    const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(window, DWLP_DLGPROC));
    for (const auto& w : kWindows)
        if (w.procedure == procedure)
            return w.name;
    return nullptr;
}

std::string utf8(const std::string& ansi) {
    if (ansi.empty())
        return ansi;
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(),
                                                        static_cast<int>(ansi.size()), &wide[0],
                                                        static_cast<int>(wide.size()))));
    std::string out(wide.size() * 3, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                                       static_cast<int>(wide.size()), &out[0],
                                                       static_cast<int>(out.size()), NULL, NULL)));
    return out;
}

std::string text(HWND window) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(window, &s[0], static_cast<int>(s.size()))));
    return s;
}

std::vector<std::string> printed;
HWND form = NULL;

// The printer a scenario's "printer" steps make ready, missing or failing at the end.
std::string printerMode;
bool recOpen(void*) {
    return printerMode != "none";
}
void recPrintLine(void*, const char* text, size_t length) {
    printed.push_back("printed: " + utf8(std::string(text, length)));
}
// A printer out of paper says so in the system's words; the failing one gives no reason.
char paperReason[256];
bool recEnd(void*, const char** reason) {
    printed.push_back("printed: <end of document>");
    tolvane::describeError(ERROR_OUT_OF_PAPER, paperReason, sizeof paperReason);
    *reason = printerMode == "out-of-paper" ? paperReason : "";
    return printerMode == "ready";
}
const tolvane::PrinterSeam kRecorder = {nullptr,       &recOpen, nullptr,
                                        &recPrintLine, &recEnd,  nullptr};

// The window that takes input: the one visible and enabled top-level window of this thread.
BOOL CALLBACK findInputWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
HWND current() {
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), findInputWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The Select Path dialog, also while a message box is on top of it.
BOOL CALLBACK findSelectPath(HWND window, LPARAM found) {
    if (GetDlgItem(window, IDC_changedir_Dir1) == NULL)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The text of entry index of a list box (LB_) or combo box (CB_).
std::string entryText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    std::string s(static_cast<size_t>(SendMessageA(control, lengthMessage, index, 0)) + 1, '\0');
    s.resize(static_cast<size_t>(
        SendMessageA(control, textMessage, index, reinterpret_cast<LPARAM>(&s[0]))));
    return s;
}

std::string trimmed(const std::string& entry) {
    return entry.substr(std::min(entry.find_first_not_of(' '), entry.size()));
}

const char* nameOf(const Name* names, size_t count, int id) {
    for (size_t i = 0; i < count; ++i)
        if (names[i].id == id)
            return names[i].name;
    return nullptr;
}

int idOf(const Name* names, size_t count, HWND window, const std::string& name) {
    for (size_t i = 0; i < count; ++i)
        if (name == names[i].name && (window == NULL || GetDlgItem(window, names[i].id) != NULL))
            return names[i].id;
    return 0;
}

conformance::State state() {
    conformance::State s;
    if (form == NULL)
        return s;
    HWND list = GetDlgItem(form, IDC_Form1_DrvListBox);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        s.list.push_back(utf8(entryText(list, LB_GETTEXTLEN, LB_GETTEXT, i)));
    s.selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    const int labels[] = {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl,
                          IDC_Form1_Versionlbl};
    for (int i = 0; i < 4; ++i) {
        s.labels[i] = utf8(text(GetDlgItem(form, labels[i])));
        s.hidden[i] = !IsWindowVisible(GetDlgItem(form, labels[i]));
    }
    for (const Name& item : {kMenu[0], kMenu[1], kMenu[2], kMenu[3]})
        if ((GetMenuState(GetMenu(form), static_cast<UINT>(item.id), MF_BYCOMMAND) & MF_CHECKED) !=
            0)
            s.types += (s.types.empty() ? "" : " ") + std::string(item.name);
    s.newpath = utf8(tolvane::form1Text(tolvane::WindowText::Newpath));
    HWND selectPath = NULL;
    EnumThreadWindows(GetCurrentThreadId(), findSelectPath, reinterpret_cast<LPARAM>(&selectPath));
    if (selectPath != NULL) {
        HWND drives = GetDlgItem(selectPath, IDC_changedir_Drive1);
        const std::string drive =
            entryText(drives, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                      static_cast<int>(SendMessageA(drives, CB_GETCURSEL, 0, 0)));
        s.drive = {static_cast<char>(drive[0] & ~0x20), ':'};
        HWND dirs = GetDlgItem(selectPath, IDC_changedir_Dir1);
        for (int i = 0; i < static_cast<int>(SendMessageA(dirs, LB_GETCOUNT, 0, 0)); ++i)
            s.dirs.push_back(
                conformance::treeEntry(utf8(entryText(dirs, LB_GETTEXTLEN, LB_GETTEXT, i)), 0));
        s.openDir = static_cast<int>(SendMessageA(dirs, LB_GETCURSEL, 0, 0));
    }
    HWND window = current();
    const char* name = windowName(window);
    if (name == nullptr) {
        s.window = "MessageBox " + text(window);
        s.message = utf8(text(GetDlgItem(window, 0xFFFF)));
        return s;
    }
    HWND focus = GetFocus();
    const char* control = focus != NULL && GetParent(focus) == window
                              ? nameOf(kControls, kControlCount, GetDlgCtrlID(focus))
                              : nullptr;
    s.window = std::string(name) + " " + (control ? control : "-");
    return s;
}

void keys(bool shift, bool ctrl, bool alt) {
    BYTE keyboard[256] = {};
    keyboard[VK_SHIFT] = shift ? 0x80 : 0;
    keyboard[VK_CONTROL] = ctrl ? 0x80 : 0;
    keyboard[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keyboard);
}

// A mouse message at a point on the screen, sent where Windows would send it. The second
// press of a double click is WM_LBUTTONDBLCLK for a window whose class asks for double
// clicks, and a plain press for any other.
void mouse(UINT message, WPARAM flags, POINT at) {
    HWND target = GetCapture() != NULL ? GetCapture() : WindowFromPoint(at);
    ScreenToClient(target, &at);
    if (message == WM_LBUTTONDBLCLK && (GetClassLongA(target, GCL_STYLE) & CS_DBLCLKS) == 0)
        message = WM_LBUTTONDOWN;
    PostMessageA(target, message, flags, MAKELPARAM(at.x, at.y));
}

// The modifiers "shift", "ctrl" and "alt" named in words ("-" for none), held from now on;
// the MK_ flags of those a mouse message carries.
WPARAM hold(const std::string& words) {
    const bool shift = words.find("shift") != std::string::npos;
    const bool ctrl = words.find("ctrl") != std::string::npos;
    keys(shift, ctrl, words.find("alt") != std::string::npos);
    return (shift ? MK_SHIFT : 0) | (ctrl ? MK_CONTROL : 0);
}

POINT centreOf(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(control, &p);
    return p;
}

void postKey(HWND to, WPARAM key) {
    PostMessageA(to, WM_KEYDOWN, key, 1);
    PostMessageA(to, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The control of that name in the window taking input; NULL, and a word on stderr (the
// state text then shows where the front-end went), when it has none.
HWND find(HWND window, const std::string& name) {
    const int id = idOf(kControls, kControlCount, window, name);
    HWND control = id != 0 ? GetDlgItem(window, id) : NULL;
    if (control == NULL)
        std::fprintf(stderr, "conformance_win32: no %s in \"%s\"\n", name.c_str(),
                     text(window).c_str());
    return control;
}

// ---- "define": the window taking input, as the table describes windows and controls ----

// A label shows plain text (SS_NOPREFIX); a focused push button is the default one.
std::string kindOf(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const std::string label = (style & SS_NOPREFIX) != 0 ? "label" : "label?";
    if (lstrcmpiA(name, "Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
            return label + " left";
        case SS_RIGHT:
            return label + " right";
        case SS_CENTER:
            return label + " centred";
        case SS_ETCHEDHORZ:
            return "frame";
        }
    } else if (lstrcmpiA(name, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return "frame";
        case BS_PUSHBUTTON:
            return "button";
        case BS_DEFPUSHBUTTON:
            return GetFocus() == control ? "button" : "default button";
        }
    } else if (lstrcmpiA(name, "ListBox") == 0) {
        return "list";
    } else if (lstrcmpiA(name, "ComboBox") == 0 && (style & 3) == CBS_DROPDOWNLIST) {
        return "drop-down list";
    } else if (lstrcmpiA(name, tolvane::kPictureBoxClass) == 0) {
        return "picture";
    }
    return "?";
}

// An etched line, which shows a frame's caption nowhere.
bool isLine(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0 &&
           (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ;
}

bool isGroupBox(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A picture box's bitmap (its caption names the resource) and size.
std::string captionOf(HWND control, const std::string& kind) {
    if (kind == "list" || kind == "drop-down list")
        return std::string();
    std::string caption = text(control);
    if (kind != "picture")
        return utf8(caption);
    BITMAP bitmap = {};
    GetObjectA(reinterpret_cast<HBITMAP>(GetWindowLongPtrA(control, 0)), sizeof bitmap, &bitmap);
    std::transform(caption.begin(), caption.end(), caption.begin(),
                   [](char c) { return static_cast<char>(c | 0x20); });
    return caption + " " + std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight);
}

// "-" for a control that shows no text.
std::string fontOf(HWND control, HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (font == NULL || isLine(control))
        return "-";
    if (font == reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)))
        return "default";
    LOGFONTA logical = {};
    GetObjectA(font, sizeof logical, &logical);
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return conformance::fontText(logical.lfFaceName, MulDiv(-logical.lfHeight, 7200, dpi),
                                 logical.lfItalic != 0, logical.lfWeight != FW_NORMAL);
}

// Fixed single, fixed dialog (no button on its title bar), sizable, or none.
std::string borderOf(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool dialogFrame = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0;
    if ((style & (WS_CAPTION | WS_THICKFRAME)) == 0)
        return dialogFrame ? "?" : "none";
    if ((style & WS_THICKFRAME) != 0)
        return "sizable";
    if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_MAXIMIZEBOX) != 0)
        return "?";
    if (!dialogFrame)
        return "fixed single";
    return (style & (WS_SYSMENU | WS_MINIMIZEBOX)) == 0 ? "fixed dialog" : "?";
}

std::vector<DWORD> pixelsOf(HICON icon) {
    std::vector<DWORD> pixels(32 * 32);
    ICONINFO info = {};
    if (icon == NULL || !GetIconInfo(icon, &info))
        return {};
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof format.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(NULL);
    GetDIBits(screen, info.hbmColor, 0, 32, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// The icon resource whose 32 x 32 image the window shows, and the sizes it holds.
std::string iconOf(HWND window) {
    const Name icons[] = {{IDI_Form1, "form1"},
                          {IDI_changedir, "changedir"},
                          {IDI_drvHelp, "help"},
                          {IDI_About, "about"},
                          {IDI_Brisklow, "splash"}};
    const auto shown = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (shown == NULL)
        return "no icon";
    for (const Name& icon : icons) {
        HANDLE resource =
            LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(icon.id), IMAGE_ICON, 32, 32, 0);
        const bool same = pixelsOf(static_cast<HICON>(resource)) == pixelsOf(shown);
        DestroyIcon(static_cast<HICON>(resource));
        if (!same)
            continue;
        // The group's directory: a count at offset 4, then 14 bytes an image, its width first.
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(
            NULL, FindResourceA(NULL, MAKEINTRESOURCEA(icon.id), MAKEINTRESOURCEA(14)))));
        std::vector<int> sizes;
        for (int n = 0; n < (group[4] | group[5] << 8); ++n)
            sizes.push_back(group[6 + 14 * n] == 0 ? 256 : group[6 + 14 * n]);
        std::sort(sizes.rbegin(), sizes.rend());
        std::string text = std::string("icon ") + icon.name;
        for (int size : sizes)
            text += " " + std::to_string(size);
        return text;
    }
    return "icon ?";
}

void menuLines(HMENU menu, int depth, std::vector<std::string>* out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[128] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = sizeof caption;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        const char* name = nameOf(kMenu, kMenuCount, static_cast<int>(info.wID));
        std::string text = (info.fType & MFT_SEPARATOR) != 0 ? "-" : utf8(caption);
        std::string shortcut;
        if (text.find('\t') != std::string::npos) {
            shortcut = " (shortcut " + text.substr(text.find('\t') + 1) + ")";
            text.erase(text.find('\t'));
        }
        out->push_back("menu: " + std::string(static_cast<size_t>(depth), '>') +
                       (name ? name : "?") + " " + text +
                       ((info.fState & MFS_CHECKED) != 0 ? " (checked)" : "") +
                       ((info.fState & MFS_DISABLED) != 0 ? " (disabled)" : "") + shortcut);
        if (info.hSubMenu != NULL)
            menuLines(info.hSubMenu, depth + 1, out);
    }
}

void define(HWND window, std::vector<std::string>* out) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&client), 2);
    RECT outer;
    GetWindowRect(window, &outer);
    const tolvane::SplashPosition centre =
        tolvane::centredSplashPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       outer.right - outer.left, outer.bottom - outer.top);
    std::string place = conformance::twipsPlace(client.left, client.top, client.right - client.left,
                                                client.bottom - client.top);
    if (outer.left == centre.left && outer.top == centre.top)
        place = "centred" + place.substr(place.rfind(' '));
    const char* name = windowName(window);
    out->push_back(std::string("window: ") + (name ? name : "?") + " | " + utf8(text(window)) +
                   " | " + place + " | " + borderOf(window) + " | " + iconOf(window));
    // The controls in their order; one inside a frame (a group box around it) is placed in it.
    RECT frame = {};
    std::string frameName;
    int tab = 0;
    for (HWND c = GetWindow(window, GW_CHILD); c != NULL; c = GetWindow(c, GW_HWNDNEXT), ++tab) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(NULL, window, reinterpret_cast<POINT*>(&r), 2);
        const std::string kind = kindOf(c);
        const char* control = nameOf(kControls, kControlCount, GetDlgCtrlID(c));
        std::string line = "control: " + std::string(control ? control : "?");
        RECT inside;
        if (!frameName.empty() && IntersectRect(&inside, &frame, &r) && EqualRect(&inside, &r)) {
            line += " in " + frameName;
            OffsetRect(&r, -frame.left, -frame.top);
        } else if (isGroupBox(c)) {
            frame = r;
            frameName = control ? control : "?";
        }
        out->push_back(line + " | " + kind + " | " + captionOf(c, kind) + " | " +
                       conformance::twipsPlace(r.left, r.top, r.right - r.left, r.bottom - r.top) +
                       " | " + fontOf(c, window) + " | tab " + std::to_string(tab));
    }
    std::string stops = "tab stops:";
    HWND first = GetNextDlgTabItem(window, NULL, FALSE);
    for (HWND c = first; c != NULL;) {
        const char* control = nameOf(kControls, kControlCount, GetDlgCtrlID(c));
        stops += std::string(" ") + (control ? control : "?");
        c = GetNextDlgTabItem(window, c, FALSE);
        if (c == first)
            break;
    }
    out->push_back(stops);
    if (GetMenu(window) != NULL)
        menuLines(GetMenu(window), 0, out);
}

// Asks the message loop to show the splash as the start does (the step itself must not wait
// in its modal loop); a posted message comes before the next tick.
constexpr UINT kShowSplash = WM_APP + 100;

void act(const Step& step, conformance::Layout& layout) {
    const std::vector<std::string>& a = step.args;
    if (layout.fileStep(step, &printed))
        return;
    HWND window = current();
    keys(false, false, false);
    if (a[0] == "printer") {
        printerMode = a[1];
    } else if (a[0] == "start") {
        const tolvane::Form1Options options = {false, &kRecorder};
        form = tolvane::createForm1(options);
        tolvane::loadForm1(form);
    } else if (a[0] == "menu") {
        PostMessageA(form, WM_COMMAND, MAKEWPARAM(idOf(kMenu, kMenuCount, NULL, a[1]), 0), 0);
    } else if (a[0] == "key") {
        // "shift+tab": the modifiers, then the key.
        const std::string name = a[1].substr(a[1].rfind('+') + 1);
        hold(a[1]);
        const WPARAM key = name == "down"     ? VK_DOWN
                           : name == "up"     ? VK_UP
                           : name == "tab"    ? VK_TAB
                           : name == "space"  ? VK_SPACE
                           : name == "escape" ? VK_ESCAPE
                                              : VK_RETURN;
        postKey(GetFocus() != NULL ? GetFocus() : window, key);
    } else if (a[0] == "click" || a[0] == "dclick" || a[0] == "ok" || a[0] == "cancel") {
        const std::string name = a[0] == "ok" ? "Command1" : a[0] == "cancel" ? "Command2" : a[1];
        HWND control = find(window, name);
        if (control == NULL)
            return;
        const POINT at = centreOf(control);
        mouse(WM_LBUTTONDOWN, MK_LBUTTON, at);
        mouse(WM_LBUTTONUP, 0, at);
        if (a[0] == "dclick") {
            mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            mouse(WM_LBUTTONUP, 0, at);
        }
    } else if (a[0] == "pick") {
        HWND list = GetDlgItem(form, IDC_Form1_DrvListBox);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (entryText(list, LB_GETTEXTLEN, LB_GETTEXT, i) != a[2])
                continue;
            const WPARAM flags = hold(a[1]);
            RECT r;
            SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(list, &at);
            mouse(WM_LBUTTONDOWN, flags | MK_LBUTTON, at);
            mouse(WM_LBUTTONUP, flags, at);
            return;
        }
        std::fprintf(stderr, "conformance_win32: no entry %s\n", a[2].c_str());
    } else if (a[0] == "press" || a[0] == "release") {
        const bool left = a[1] == "left";
        const WPARAM flags = hold(a[2]);
        HWND control = find(window, a[3]);
        if (control == NULL)
            return;
        POINT at = {std::atoi(a[4].c_str()) / 15, std::atoi(a[5].c_str()) / 15};
        ClientToScreen(control, &at);
        if (a[0] == "press")
            mouse(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, flags | (left ? MK_LBUTTON : MK_RBUTTON),
                  at);
        else
            mouse(left ? WM_LBUTTONUP : WM_RBUTTONUP, flags, at);
    } else if (a[0] == "drive") {
        HWND drives = GetDlgItem(window, IDC_changedir_Drive1);
        SetFocus(drives);
        const std::string letter = {static_cast<char>(a[1][0] | 0x20), ':'};
        SendMessageA(drives, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(letter.c_str()));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_changedir_Drive1, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(drives));
    } else if (a[0] == "close") {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (a[0] == "define") {
        define(window, &printed);
    } else if (a[0] == "splash") {
        PostThreadMessageA(GetCurrentThreadId(), kShowSplash, 0, 0);
    } else if (a[0] == "open" || a[0] == "select") {
        HWND dirs = GetDlgItem(window, IDC_changedir_Dir1);
        const int count = static_cast<int>(SendMessageA(dirs, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (trimmed(entryText(dirs, LB_GETTEXTLEN, LB_GETTEXT, i)) != a[1])
                continue;
            SendMessageA(dirs, LB_SETTOPINDEX, i, 0);
            RECT r;
            SendMessageA(dirs, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(dirs, &at);
            mouse(WM_LBUTTONDOWN, MK_LBUTTON, at);
            mouse(WM_LBUTTONUP, 0, at);
            if (a[0] == "open") {
                mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                mouse(WM_LBUTTONUP, 0, at);
            }
            return;
        }
        std::fprintf(stderr, "conformance_win32: no directory %s\n", a[1].c_str());
    } else {
        std::fprintf(stderr, "conformance_win32: unknown step: %s\n", step.line.c_str());
    }
}

// One scenario's run, stepped by the timer.
struct Run {
    const conformance::Scenario* scenario;
    conformance::Transcript* transcript;
    conformance::Layout* layout;
    size_t next;
    bool pending;
    bool busy;
};
Run run;

// How many messages the main loop is handling, its timer's own left out. A tick inside one
// while the main window still takes input comes from a command that lets pending events run
// midway (Print All Drivers does, between hiding the labels and printing): the command is
// not done, so the state is not read and no step is taken yet. On a loaded machine such a
// command can outlast the timer's period.
int handling = 0;

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    // No window takes input while one is being opened (a modal loop shows its window at
    // its first idle moment, which may come after a tick): wait for it.
    if (run.busy || (form != NULL && current() == NULL))
        return;
    if (handling > 0 && form != NULL && current() == form)
        return;
    run.busy = true;
    if (run.pending) {
        run.transcript->stepDone(run.scenario->steps[run.next - 1], state(), &printed);
        run.pending = false;
    }
    if (run.next < run.scenario->steps.size()) {
        act(run.scenario->steps[run.next++], *run.layout);
        run.pending = true;
    } else if (HWND window = current(); window != NULL && window != form) {
        EndDialog(window, 0); // what the table left open
    } else if (form != NULL) {
        DestroyWindow(form); // ends the message loop
        form = NULL;
    }
    run.busy = false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: conformance_win32 TABLE OUTPUT\n");
        return 2;
    }
    std::vector<conformance::Scenario> scenarios;
    std::string error;
    if (!conformance::readTable(argv[1], &scenarios, &error)) {
        std::fprintf(stderr, "conformance_win32: %s\n", error.c_str());
        return 2;
    }
    tolvane::registerPictureBoxClass(GetModuleHandleA(NULL));
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string all;
    for (const conformance::Scenario& scenario : scenarios) {
        CreateDirectoryA((std::string(windows) + "\\system").c_str(), NULL);
        conformance::Transcript transcript(scenario);
        {
            conformance::Layout layout("C:", '\\');
            if (!layout.make(scenario.layout, &error)) {
                std::fprintf(stderr, "conformance_win32: %s\n", error.c_str());
                return 1;
            }
            run = {&scenario, &transcript, &layout, 0, false, false};
            printerMode = "ready";
            const DWORD started = GetTickCount();
            const UINT_PTR timer = SetTimer(NULL, 0, 40, tick);
            MSG message;
            while (GetMessageA(&message, NULL, 0, 0) > 0) {
                if (GetTickCount() - started > 60000) {
                    std::fprintf(stderr, "conformance_win32: %s: timed out\n",
                                 scenario.header[0].c_str());
                    return 1;
                }
                if (message.hwnd == NULL && message.message == kShowSplash) {
                    tolvane::showBrisklow(form);
                    continue;
                }
                const bool timer = message.message == WM_TIMER;
                handling += timer ? 0 : 1;
                if (form == NULL || !IsDialogMessageA(form, &message)) {
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                }
                handling -= timer ? 0 : 1;
            }
            KillTimer(NULL, timer);
            SetCurrentDirectoryA(windows); // off the scenario's directories before they go
        }
        all += transcript.text();
    }
    return conformance::writeText(argv[2], all) ? 0 : 1;
}
