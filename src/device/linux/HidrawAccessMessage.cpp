#include "device/linux/HidrawAccessMessage.h"

#include <cerrno>
#include <filesystem>

namespace kestrel {

std::string hidrawAccessMessage(const std::string& nodePath, int errorCode)
{
    std::error_code existsError;
    if ((errorCode != EACCES && errorCode != EPERM) || !std::filesystem::exists(nodePath, existsError))
        return {};
    const std::string rule = kUdevRuleFileName;
    return "No permission to open " + nodePath + ". Install the udev rule " + rule +
           " (the install target puts it into " KESTREL_UDEV_RULES_DIR "; or copy it into /etc/udev/rules.d), "
           "run \"udevadm control --reload-rules && udevadm trigger\" as root and plug the mouse in again.";
}

} // namespace kestrel
