#include "app/endpoint/AbstractSocket.h"
#include "app/endpoint/NoticeEndpoint.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

using namespace kestrel;

TEST(NoticeEndpoint, TheSocketNameDependsOnTheUserAlone)
{
    EXPECT_EQ(NoticeEndpoint::socketName("1000"), "QX8-216Mutex.1000");
    EXPECT_EQ(NoticeEndpoint::socketName("S-1-5-21-7-1001"), "QX8-216Mutex.S-1-5-21-7-1001");
    // Whatever the session says about its runtime or temporary folder.
    const std::string before = NoticeEndpoint::socketNameForThisUser();
    EXPECT_EQ(before, NoticeEndpoint::socketName(std::to_string(getuid())));
    setenv("XDG_RUNTIME_DIR", "/somewhere/else", 1);
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(NoticeEndpoint::socketNameForThisUser(), before);
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("TMPDIR");
    EXPECT_EQ(NoticeEndpoint::socketNameForThisUser(), before);
}

TEST(NoticeEndpoint, AShowRequestIsTheWordShowOnALine)
{
    EXPECT_EQ(NoticeEndpoint::encodeShowRequest(), "show\n");
    EXPECT_TRUE(NoticeEndpoint::isShowRequest("show"));
    EXPECT_TRUE(NoticeEndpoint::isShowRequest(" show\t"));
    for (const char* other : {"", "Show", "shows", "show 1", "5 1", "sh ow"})
        EXPECT_FALSE(NoticeEndpoint::isShowRequest(other)) << other;
    EXPECT_FALSE(NoticeEndpoint::decode("show"));
}

namespace {

std::string uniqueName(const char* what)
{
    return std::string("kestrel-endpoint-test.") + what + '.' + std::to_string(getpid());
}

} // namespace

TEST(AbstractSocket, ANameIsHeldByOneSocketAndFreedWhenItCloses)
{
    const std::string name = uniqueName("held");
    const int first = AbstractSocket::listenOn(name, 4);
    ASSERT_NE(first, -1) << std::strerror(errno);
    EXPECT_EQ(AbstractSocket::listenOn(name, 4), -1);
    EXPECT_EQ(errno, EADDRINUSE);

    const int client = AbstractSocket::connectTo(name);
    ASSERT_NE(client, -1) << std::strerror(errno);
    EXPECT_EQ(AbstractSocket::peerUserId(client), getuid());
    ::close(client);

    // No file stays behind to make the next holder wait.
    ::close(first);
    const int second = AbstractSocket::listenOn(name, 4);
    EXPECT_NE(second, -1) << std::strerror(errno);
    ::close(second);
    EXPECT_EQ(AbstractSocket::connectTo(name), -1);
    EXPECT_EQ(errno, ECONNREFUSED);
}

TEST(AbstractSocket, SendLineDeliversToAHolderOfThisUserAndSaysWhenNobodyListens)
{
    const std::string name = uniqueName("send");
    bool nobodyListens = false;
    EXPECT_EQ(AbstractSocket::sendLine(name, "5 1\n", &nobodyListens), "nothing listens on @" + name);
    EXPECT_TRUE(nobodyListens);

    const int listening = AbstractSocket::listenOn(name, 4);
    ASSERT_NE(listening, -1) << std::strerror(errno);
    EXPECT_EQ(AbstractSocket::sendLine(name, "5 1\n", &nobodyListens), "");
    EXPECT_FALSE(nobodyListens);
    const int accepted = accept(listening, nullptr, nullptr);
    ASSERT_NE(accepted, -1) << std::strerror(errno);
    char received[8] = {};
    EXPECT_EQ(recv(accepted, received, sizeof received, 0), 4);
    EXPECT_STREQ(received, "5 1\n");
    ::close(accepted);
    ::close(listening);

    const std::string tooLong(200, 'x');
    EXPECT_EQ(AbstractSocket::listenOn(tooLong, 4), -1);
    EXPECT_NE(AbstractSocket::sendLine(tooLong, "5 1\n", &nobodyListens), "");
}

TEST(NoticeEndpoint, NoticesTravelAsOneLineOfTwoNumbers)
{
    EXPECT_EQ(NoticeEndpoint::encode({5, 1}), "5 1\n");
    EXPECT_EQ(NoticeEndpoint::encode({9, -12}), "9 -12\n");
    EXPECT_EQ(NoticeEndpoint::decode("5 1"), (Notice{5, 1}));
    EXPECT_EQ(NoticeEndpoint::decode("  14\t 0 "), (Notice{14, 0}));
    EXPECT_EQ(NoticeEndpoint::decode("9 -12"), (Notice{9, -12}));
    EXPECT_EQ(NoticeEndpoint::decode("+7 +2"), (Notice{7, 2}));
    EXPECT_EQ(NoticeEndpoint::decode("9 2147483647"), (Notice{9, 2147483647}));
    for (const char* bad : {"", "5", "5 1 2", "five 1", "5 one", "5 1x", "5 2147483648", "5 +-1", "0x5 1", "5,1"})
        EXPECT_FALSE(NoticeEndpoint::decode(bad)) << bad;
}
