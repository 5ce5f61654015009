// kestrel-virtual-mouse: plugs a virtual mouse into the running kernel through
// uhid and answers its feature reports until it is terminated. Lines on
// standard input drive it: "unplug" removes the three devices, "plug" brings
// them back with the image they held, "faults PLAN" plants a fault plan whose
// exchanges count from the next one. Exiting unplugs the mouse. Faults are
// planted from the start as in the simulated mouse, from KESTREL_SIM_FAULTS.

#include "VirtualMouse.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <poll.h>
#include <unistd.h>

namespace {

using kestrel::SimulatedFaultPlan;
using kestrel::guest::VirtualMouse;

constexpr const char* kUhidNode = "/dev/uhid";
constexpr std::size_t kControlSlot = VirtualMouse::kDeviceCount;
constexpr std::string_view kFaultsCommand = "faults ";

// Plants the plan of a "faults PLAN" line; false when it is no plan.
bool plantFaults(VirtualMouse& mouse, std::string_view command)
{
    std::string error;
    const auto faults = SimulatedFaultPlan::parse(command.substr(kFaultsCommand.size()), error);
    if (!faults) {
        std::fprintf(stderr, "kestrel-virtual-mouse: %s\n", error.c_str());
        return false;
    }
    mouse.plantFromNow(*faults);
    return true;
}

// Carries out every complete line in `pending`; false on a failed plug.
bool runCommands(VirtualMouse& mouse, std::string& pending)
{
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        const std::string command = pending.substr(0, end);
        pending.erase(0, end + 1);
        std::string error;
        if (command == "unplug") {
            mouse.unplug();
        } else if (command.starts_with(kFaultsCommand)) {
            plantFaults(mouse, command);
        } else if (command == "plug" && !mouse.plug(error)) {
            std::fprintf(stderr, "kestrel-virtual-mouse: %s\n", error.c_str());
            return false;
        } else if (command != "plug") {
            std::fprintf(stderr, "kestrel-virtual-mouse: unknown command '%s'\n", command.c_str());
        }
    }
    return true;
}

// False once standard input has closed; the mouse then goes on serving.
bool readControl(VirtualMouse& mouse, std::string& pending, bool& failed)
{
    std::array<char, 256> buffer;
    const ssize_t received = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (received < 0 && errno == EINTR)
        return true;
    if (received <= 0)
        return false;
    pending.append(buffer.data(), static_cast<std::size_t>(received));
    failed = !runCommands(mouse, pending);
    return true;
}

int serve(VirtualMouse& mouse)
{
    std::array<pollfd, VirtualMouse::kDeviceCount + 1> watched{};
    for (std::size_t i = 0; i < VirtualMouse::kDeviceCount; ++i)
        watched[i] = {mouse.fd(i), POLLIN, 0};
    watched[kControlSlot] = {STDIN_FILENO, POLLIN, 0};

    std::string pending;
    bool failed = false;
    while (!failed) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("kestrel-virtual-mouse: poll");
            return 1;
        }
        for (std::size_t i = 0; i < VirtualMouse::kDeviceCount; ++i) {
            if (watched[i].revents & POLLIN)
                mouse.serve(i);
        }
        // A negative descriptor is skipped by poll: stdin is done with.
        if (watched[kControlSlot].revents && !readControl(mouse, pending, failed))
            watched[kControlSlot].fd = -1;
    }
    return 1;
}

} // namespace

int main()
{
    std::string error;
    const char* const planText = std::getenv(SimulatedFaultPlan::kVariable);
    const auto faults = SimulatedFaultPlan::parse(planText ? planText : "", error);
    if (!faults) {
        std::fprintf(stderr, "kestrel-virtual-mouse: %s\n", error.c_str());
        return 2;
    }
    const auto mouse = VirtualMouse::open(kUhidNode, *faults, error);
    if (!mouse || !mouse->plug(error)) {
        std::fprintf(stderr, "kestrel-virtual-mouse: %s\n", error.c_str());
        return 1;
    }
    return serve(*mouse);
}
