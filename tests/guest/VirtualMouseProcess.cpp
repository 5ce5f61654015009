#include "VirtualMouseProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrel::guest {

std::unique_ptr<VirtualMouseProcess> VirtualMouseProcess::start(const std::filesystem::path& program,
                                                                std::string& error)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    const std::string path = program.string();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[0]);
    if (spawned != 0) {
        ::close(pipeEnds[1]);
        error = "cannot start " + path + ": " + std::strerror(spawned);
        return nullptr;
    }
    return std::unique_ptr<VirtualMouseProcess>(new VirtualMouseProcess(pid, pipeEnds[1]));
}

VirtualMouseProcess::VirtualMouseProcess(pid_t pid, int control)
    : pid_(pid), control_(control)
{
}

VirtualMouseProcess::~VirtualMouseProcess()
{
    ::close(control_);
    ::kill(pid_, SIGTERM);
    // Once the child is reaped its uhid handles are closed and the devices gone.
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool VirtualMouseProcess::unplug()
{
    return command("unplug\n");
}

bool VirtualMouseProcess::plug()
{
    return command("plug\n");
}

bool VirtualMouseProcess::command(std::string_view line)
{
    return ::write(control_, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

} // namespace kestrel::guest
