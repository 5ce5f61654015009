#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace kestrel::guest {

// The kestrel-virtual-mouse program as a child process: the mouse is plugged
// in when it starts, unplugged and plugged again on request, and unplugged
// for good when this object goes away (the kernel removes the devices as the
// program's uhid handles close). The kernel adds the devices in the
// background, so callers wait for the arrival notices before using them.
class VirtualMouseProcess {
public:
    // Null with `error` set when the program cannot be started.
    static std::unique_ptr<VirtualMouseProcess> start(const std::filesystem::path& program, std::string& error);
    ~VirtualMouseProcess();
    VirtualMouseProcess(const VirtualMouseProcess&) = delete;
    VirtualMouseProcess& operator=(const VirtualMouseProcess&) = delete;

    bool unplug();
    bool plug();

private:
    VirtualMouseProcess(pid_t pid, int control);
    bool command(std::string_view line);

    pid_t pid_;
    int control_; // the program's standard input
};

} // namespace kestrel::guest
