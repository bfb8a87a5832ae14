// The window the Windows desktop tests drive: a frameless 200 x 200 window at
// (100, 100), titled "Morrowlark Target" (or ML_TARGET_TITLE, see TargetTitle), class
// "MorrowlarkTarget", with a hidden child window of class "TargetChild". It paints four
// coloured quadrants and a 16 x 16 pattern, and writes every click and key it
// receives to the log file:
//   desktop_target.exe LOG
// Beside it, a framed window titled "Morrowlark Editor" holds an edit control. The
// editor's title shows the control's text (line ends as "|") after every change, so
// a script can wait for what it typed to arrive; closing the editor logs the text.
// The log lines are those of the X11 target; a key is named by its lower-case
// letter or digit (else "vkN"), and its scan code is bits 16 to 23 of lParam. No
// modifiers follow a key: posted messages leave the keyboard state as it is. The
// system key messages (keys under Alt, and F10) log as syskey-down and syskey-up.
#include <windows.h>

#include <cstdio>

#include "target_picture.h"

namespace {

std::FILE* gLog = nullptr;
HWND gEdit = nullptr;

constexpr const char* kEditorTitle = "Morrowlark Editor";
constexpr const char* kEditorClass = "MorrowlarkEditor";
constexpr int kTextLimit = 200;

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (const Area& area : kTargetAreas) {
        HBRUSH brush = CreateSolidBrush(RGB(area.colour.red, area.colour.green, area.colour.blue));
        RECT rect{area.x, area.y, area.x + area.width, area.y + area.height};
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    for (int y = 0; y < kPatternSide; ++y) {
        for (int x = 0; x < kPatternSide; ++x) {
            const Rgb c = PatternColour(x, y);
            SetPixel(dc, kPatternX + x, kPatternY + y, RGB(c.red, c.green, c.blue));
        }
    }
    EndPaint(window, &paint);
}

void LogLine(const char* format, int a, int b) {
    std::fprintf(gLog, format, a, b);
    std::fflush(gLog);
}

void LogKey(const char* what, WPARAM key, LPARAM lParam) {
    const int scan = static_cast<int>((lParam >> 16) & 0xFF);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        const char name = static_cast<char>(key >= 'A' ? key - 'A' + 'a' : key);
        std::fprintf(gLog, "%s %c scan %d\n", what, name, scan);
    } else {
        std::fprintf(gLog, "%s vk%d scan %d\n", what, static_cast<int>(key), scan);
    }
    std::fflush(gLog);
}

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_LBUTTONDOWN: LogLine("left-down %d %d\n", x, y); return 0;
    case WM_LBUTTONUP: LogLine("left-up %d %d\n", x, y); return 0;
    case WM_RBUTTONDOWN: LogLine("right-down %d %d\n", x, y); return 0;
    case WM_RBUTTONUP: LogLine("right-up %d %d\n", x, y); return 0;
    case WM_LBUTTONDBLCLK: LogLine("left-double %d %d\n", x, y); return 0;
    case WM_MBUTTONDOWN: LogLine("middle-down %d %d\n", x, y); return 0;
    case WM_MBUTTONUP: LogLine("middle-up %d %d\n", x, y); return 0;
    case WM_MBUTTONDBLCLK: LogLine("middle-double %d %d\n", x, y); return 0;
    case WM_MOUSEWHEEL:
        std::fprintf(gLog, "wheel %d at screen %d %d\n", GET_WHEEL_DELTA_WPARAM(wParam), x, y);
        std::fflush(gLog);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON) LogLine("move %d %d left\n", x, y);
        return 0;
    case WM_KEYDOWN: LogKey("key-down", wParam, lParam); return 0;
    case WM_KEYUP: LogKey("key-up", wParam, lParam); return 0;
    // Logged and kept from the default handling, which would act on Alt+F4 or F10.
    case WM_SYSKEYDOWN: LogKey("syskey-down", wParam, lParam); return 0;
    case WM_SYSKEYUP: LogKey("syskey-up", wParam, lParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The edit control's text with its line ends shown as "|".
void ShowTextInTitle(HWND editor) {
    char text[kTextLimit + 1] = {};
    GetWindowTextA(gEdit, text, sizeof text);
    char title[kTextLimit + 32];
    int length = std::snprintf(title, sizeof title, "%s: ", kEditorTitle);
    for (const char* c = text; *c != '\0' && length < static_cast<int>(sizeof title) - 1; ++c) {
        if (*c == '\r') continue;
        title[length++] = *c == '\n' ? '|' : *c;
    }
    title[length] = '\0';
    SetWindowTextA(editor, title);
}

LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) ShowTextInTitle(window);
        return 0;
    case WM_SETFOCUS: SetFocus(gEdit); return 0;
    case WM_CLOSE: {
        char text[kTextLimit + 1] = {};
        GetWindowTextA(gEdit, text, sizeof text);
        std::fprintf(gLog, "editor closed with: %s\n", text);
        std::fflush(gLog);
        DestroyWindow(window);
        return 0;
    }
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void CreateEditor() {
    HWND editor = CreateWindowExA(0, kEditorClass, kEditorTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    gEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0, 280, 150,
                            editor, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(gEdit, EM_LIMITTEXT, kTextLimit, 0);
}

bool Register(const char* className, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (gLog = std::fopen(argv[1], "w")) == nullptr) {
        std::fprintf(stderr, "usage: desktop_target LOG\n");
        return 2;
    }
    if (!Register(kTargetClass, TargetProcedure) || !Register(kChildClass, DefWindowProcA) ||
        !Register(kEditorClass, EditorProcedure)) {
        return 1;
    }
    CreateEditor();
    HWND window = CreateWindowExA(0, kTargetClass, TargetTitle().c_str(), WS_POPUP | WS_VISIBLE, kTargetX, kTargetY,
                                  kTargetSide, kTargetSide, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) return 1;
    CreateWindowExA(0, kChildClass, "", WS_CHILD, 0, 0, 10, 10, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    std::fprintf(gLog, "ready\n");
    std::fflush(gLog);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
