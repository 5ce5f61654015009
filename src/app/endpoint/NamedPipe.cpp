#include "app/endpoint/NamedPipe.h"

#include <windows.h>

#include <sddl.h>

#include <memory>
#include <optional>
#include <vector>

namespace kestrel {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle adopt(HANDLE handle)
{
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::string describe(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result;
    for (DWORD i = 0; i < length; ++i)
        result += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result.empty() ? "system error " + std::to_string(error) : result;
}

// The user a process token belongs to, as text; nullopt when it cannot be read.
std::optional<std::string> tokenUserSid(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return std::nullopt;
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    char* text = nullptr;
    if (!ConvertSidToStringSidA(user->User.Sid, &text))
        return std::nullopt;
    std::string sid(text);
    LocalFree(text);
    return sid;
}

std::optional<std::string> processUserSid(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return std::nullopt;
    const Handle owned(token);
    return tokenUserSid(token);
}

std::optional<std::string> pipeServerUserSid(HANDLE pipe)
{
    ULONG serverId = 0;
    if (!GetNamedPipeServerProcessId(pipe, &serverId))
        return std::nullopt;
    const Handle server(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId));
    if (!server)
        return std::nullopt;
    return processUserSid(server.get());
}

std::wstring pipePath(std::string_view name)
{
    std::wstring path = L"\\\\.\\pipe\\";
    for (const char c : name)
        path += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

} // namespace

std::string NamedPipe::ownUserSid()
{
    return processUserSid(GetCurrentProcess()).value_or(std::string());
}

std::string NamedPipe::sendLine(std::string_view name, std::string_view line, bool* nobodyListens,
                                unsigned waitMilliseconds)
{
    if (nobodyListens)
        *nobodyListens = false;
    const std::wstring path = pipePath(name);
    const std::string shown = "\\\\.\\pipe\\" + std::string(name);
    Handle pipe;
    for (bool waited = false;; waited = true) {
        pipe = adopt(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (pipe)
            break;
        const DWORD error = GetLastError();
        // Every instance is taken by another sender: wait once for one to be free.
        if (error == ERROR_PIPE_BUSY && !waited && WaitNamedPipeW(path.c_str(), waitMilliseconds))
            continue;
        if (error == ERROR_FILE_NOT_FOUND) {
            if (nobodyListens)
                *nobodyListens = true;
            return "nothing listens on " + shown;
        }
        return "cannot reach " + shown + ": " + describe(error);
    }
    // Anyone may create a pipe of this name; only a process of this user is told anything.
    const std::optional<std::string> serverUser = pipeServerUserSid(pipe.get());
    if (!serverUser || *serverUser != ownUserSid())
        return shown + " is held by another user's process";
    DWORD written = 0;
    if (!WriteFile(pipe.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
        return "the line did not reach " + shown + ": " + describe(GetLastError());
    return {};
}

} // namespace kestrel
