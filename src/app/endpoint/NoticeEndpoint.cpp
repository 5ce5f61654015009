#include "app/endpoint/NoticeEndpoint.h"

#include <charconv>
#include <string>

#if defined(_WIN32)
#include "app/endpoint/NamedPipe.h"
#else
#include "app/endpoint/AbstractSocket.h"
#endif

namespace kestrel {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string currentUserId()
{
#if defined(_WIN32)
    return NamedPipe::ownUserSid();
#else
    return std::to_string(AbstractSocket::ownUserId());
#endif
}

} // namespace

std::string NoticeEndpoint::socketName(std::string_view userId)
{
    return std::string(kMutexName) + '.' + std::string(userId);
}

std::string NoticeEndpoint::socketNameForThisUser()
{
    return socketName(currentUserId());
}

std::string NoticeEndpoint::sendLine(std::string_view name, std::string_view line, bool* nobodyListens)
{
#if defined(_WIN32)
    return NamedPipe::sendLine(name, line, nobodyListens);
#else
    return AbstractSocket::sendLine(name, line, nobodyListens);
#endif
}

std::string NoticeEndpoint::encode(Notice notice)
{
    return std::to_string(notice.kind) + ' ' + std::to_string(notice.value) + '\n';
}

std::optional<Notice> NoticeEndpoint::decode(std::string_view line)
{
    const std::string_view text = trimmed(line);
    const auto gap = text.find_first_of(kBlanks);
    if (gap == std::string_view::npos)
        return std::nullopt;
    const auto kind = parseNumber(text.substr(0, gap));
    const auto value = parseNumber(trimmed(text.substr(gap)));
    if (!kind || !value)
        return std::nullopt;
    return Notice{*kind, *value};
}

std::string NoticeEndpoint::encodeShowRequest()
{
    return std::string(kShowRequest) + '\n';
}

bool NoticeEndpoint::isShowRequest(std::string_view line)
{
    return trimmed(line) == kShowRequest;
}

std::optional<int> NoticeEndpoint::parseNumber(std::string_view text)
{
    // from_chars takes a minus sign but no plus sign.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace kestrel
