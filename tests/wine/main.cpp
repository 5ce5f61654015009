// A helper for the tests that drive kestrel.exe under Wine. Wine draws every
// window of its virtual desktop into one X window, so X tools cannot tell the
// program's windows apart; this program asks the Windows side instead, and
// sends the device-change messages a plugged or unplugged mouse would cause.
//
//   kestrel-wine-probe hold
//       keeps the virtual desktop up (Wine closes it when its last program
//       ends) until the probe is ended
//   kestrel-wine-probe windows
//       one line per visible top-level window: left top width height class text
//   kestrel-wine-probe idle [TITLE]
//       waits until the program that made the top-level window titled TITLE
//       ("Gaming Mouse Setting"), shown or not, waits for input: its start-up is over
//   kestrel-wine-probe devicechange arrival|removal DEVICE_PATH [TITLE]
//       sends WM_DEVICECHANGE with a device-interface record naming DEVICE_PATH
//       to the top-level window titled TITLE ("Gaming Mouse Setting"), shown or not
//
// Exit codes: 0 done, 1 no such window or the message was not taken, 2 usage.
#include <windows.h>

#include <dbt.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kTextTimeoutMs = 500;
// A receiver busy with a modal message box answers late, or not at all.
constexpr UINT kSendTimeoutMs = 10000;
constexpr DWORD kIdleTimeoutMs = 20000;
constexpr const wchar_t* kMainWindowTitle = L"Gaming Mouse Setting";

std::wstring widen(const char* text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

// The window's text as the window itself reports it: a balloon's tooltip
// answers with its tip, which the text the system keeps for it lacks.
std::wstring windowText(HWND window)
{
    std::vector<wchar_t> buffer(1024, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
        return {};
    return std::wstring(buffer.data(), std::min<std::size_t>(copied, buffer.size() - 1));
}

std::wstring className(HWND window)
{
    std::vector<wchar_t> buffer(256, L'\0');
    const int length = GetClassNameW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Text with its line breaks as blanks, so that one window stays one line.
std::string oneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    }
    return text;
}

BOOL CALLBACK printVisibleWindow(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld %s %s\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                narrow(className(window)).c_str(), oneLine(narrow(windowText(window))).c_str());
    return TRUE;
}

int holdDesktop()
{
    // Using the desktop makes this process one of its programs.
    GetDesktopWindow();
    for (;;)
        Sleep(INFINITE);
}

int listWindows()
{
    EnumWindows(printVisibleWindow, 0);
    std::fflush(stdout);
    return 0;
}

HWND findWindow(const wchar_t* title)
{
    const HWND window = FindWindowW(nullptr, title);
    if (!window)
        std::fprintf(stderr, "kestrel-wine-probe: no window titled '%s'\n", narrow(title).c_str());
    return window;
}

int waitUntilIdle(const wchar_t* title)
{
    const HWND window = findWindow(title);
    if (!window)
        return 1;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) {
        std::fprintf(stderr, "kestrel-wine-probe: cannot open process %lu\n", processId);
        return 1;
    }
    const DWORD waited = WaitForInputIdle(process, kIdleTimeoutMs);
    CloseHandle(process);
    if (waited != 0) {
        std::fprintf(stderr, "kestrel-wine-probe: the program did not come to wait for input\n");
        return 1;
    }
    return 0;
}

// DEV_BROADCAST_DEVICEINTERFACE_W with the path and its zero after the
// header; the stated size covers all of it.
std::vector<std::byte> interfaceRecord(const std::wstring& path)
{
    const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    std::vector<std::byte> bytes(nameOffset + (path.size() + 1) * sizeof(wchar_t), std::byte{0});
    DEV_BROADCAST_DEVICEINTERFACE_W header{};
    header.dbcc_size = static_cast<DWORD>(bytes.size());
    header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // GUID_DEVINTERFACE_HID
    header.dbcc_classguid = GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    std::memcpy(bytes.data(), &header, nameOffset);
    std::memcpy(bytes.data() + nameOffset, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    return bytes;
}

int sendDeviceChange(const char* kind, const char* path, const wchar_t* title)
{
    WPARAM event = 0;
    if (std::strcmp(kind, "arrival") == 0)
        event = DBT_DEVICEARRIVAL;
    else if (std::strcmp(kind, "removal") == 0)
        event = DBT_DEVICEREMOVECOMPLETE;
    else {
        std::fprintf(stderr, "kestrel-wine-probe: unknown device change '%s'\n", kind);
        return 2;
    }
    const HWND window = findWindow(title);
    if (!window)
        return 1;
    std::vector<std::byte> record = interfaceRecord(widen(path));
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record.data()), SMTO_NORMAL,
                             kSendTimeoutMs, &answer)) {
        std::fprintf(stderr, "kestrel-wine-probe: the window did not take the message (error %lu)\n",
                     GetLastError());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "hold") == 0)
        return holdDesktop();
    if (argc == 2 && std::strcmp(argv[1], "windows") == 0)
        return listWindows();
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "idle") == 0)
        return waitUntilIdle(argc == 3 ? widen(argv[2]).c_str() : kMainWindowTitle);
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "devicechange") == 0) {
        const std::wstring title = argc == 5 ? widen(argv[4]) : std::wstring(kMainWindowTitle);
        return sendDeviceChange(argv[2], argv[3], title.c_str());
    }
    std::fprintf(stderr, "usage: kestrel-wine-probe hold\n"
                         "       kestrel-wine-probe windows\n"
                         "       kestrel-wine-probe idle [TITLE]\n"
                         "       kestrel-wine-probe devicechange arrival|removal DEVICE_PATH [TITLE]\n");
    return 2;
}
