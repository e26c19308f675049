// The keyboard: real key events to the window that has the focus, as a person's keyboard sends
// them, and a wait until the window's thread has taken them.
#include "person.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// Key releases the thread under the hook took from its queue.
volatile LONG g_releases = 0;

LRESULT CALLBACK CountReleases(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        (message->message == WM_KEYUP || message->message == WM_SYSKEYUP))
        InterlockedIncrement(&g_releases);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INPUT KeyEvent(WORD key, WCHAR character, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character != 0 ? character : static_cast<WORD>(MapVirtualKeyW(key, 0));
    input.ki.dwFlags = (character != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Sends `events` to the foreground window's thread and waits until it took every release (or
// the window closed) and finished with them: its next sent message is handled only then, by the
// window in front after them.
bool Send(std::vector<INPUT> events) {
    HWND front = GetForegroundWindow();
    DWORD thread = GetWindowThreadProcessId(front, nullptr);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountReleases, nullptr, thread);
    LONG expected = g_releases;
    for (const INPUT& event : events)
        expected += (event.ki.dwFlags & KEYEVENTF_KEYUP) != 0 ? 1 : 0;
    bool taken = hook != nullptr &&
                 SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) ==
                     events.size() &&
                 WaitUntil([&] { return g_releases >= expected || !IsWindow(front); });
    UnhookWindowsHookEx(hook);
    // The window in front after the keys (a dialog they opened is shown once its loop has
    // nothing else to do) has handled what came before this message.
    return taken && WaitUntil([] {
               HWND now = GetForegroundWindow();
               DWORD_PTR result = 0;
               return now == nullptr || (SendMessageTimeoutW(now, WM_NULL, 0, 0, SMTO_NORMAL,
                                                             kPatienceMs, &result) != 0 &&
                                         IsWindowVisible(now));
           });
}

} // namespace

bool PressKeys(UINT key, std::initializer_list<UINT> held) {
    std::vector<INPUT> events;
    for (UINT modifier : held)
        events.push_back(KeyEvent(static_cast<WORD>(modifier), 0, false));
    events.push_back(KeyEvent(static_cast<WORD>(key), 0, false));
    events.push_back(KeyEvent(static_cast<WORD>(key), 0, true));
    for (auto modifier = held.end(); modifier != held.begin();)
        events.push_back(KeyEvent(static_cast<WORD>(*--modifier), 0, true));
    return Send(events);
}

bool TypeKeys(LPCWSTR text) {
    std::vector<INPUT> events;
    for (; *text != 0; ++text) {
        events.push_back(KeyEvent(0, *text, false));
        events.push_back(KeyEvent(0, *text, true));
    }
    return Send(events);
}

namespace {

UINT KeyNamed(const std::string& name) {
    static const std::pair<const char*, UINT> kKeys[] = {
        {"Tab", VK_TAB},    {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Space", VK_SPACE},
        {"Up", VK_UP},      {"Down", VK_DOWN},    {"Left", VK_LEFT},  {"Right", VK_RIGHT},
        {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT},    {"Home", VK_HOME},  {"End", VK_END}};
    for (const auto& key : kKeys)
        if (name == key.first)
            return key.second;
    return static_cast<UINT>(name[0]);
}

} // namespace

bool PressKeys(const std::string& keys) {
    size_t times = keys.find('*');
    if (times != std::string::npos) {
        int count = std::stoi(keys.substr(times + 1));
        return PressKeys(keys.substr(0, times)) &&
               (count <= 1 || PressKeys(keys.substr(0, times + 1) + std::to_string(count - 1)));
    }
    if (keys[0] == '\'')
        return TypeKeys(std::wstring(keys.begin() + 1, keys.end()).c_str());
    size_t plus = keys.find('+');
    if (plus == std::string::npos)
        return PressKeys(KeyNamed(keys));
    std::string held = keys.substr(0, plus);
    UINT modifier = held == "Shift" ? VK_SHIFT : held == "Ctrl" ? VK_CONTROL : VK_MENU;
    return PressKeys(KeyNamed(keys.substr(plus + 1)), {modifier});
}

HWND Focus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    HWND front = GetForegroundWindow();
    if (front == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info))
        return nullptr;
    // The focus is in one of an IP address control's fields, its own child windows.
    WCHAR kind[32] = {};
    HWND parent = info.hwndFocus != nullptr ? GetParent(info.hwndFocus) : nullptr;
    if (parent != nullptr && GetClassNameW(parent, kind, ARRAYSIZE(kind)) != 0 &&
        lstrcmpW(kind, WC_IPADDRESSW) == 0)
        return parent;
    return info.hwndFocus;
}
