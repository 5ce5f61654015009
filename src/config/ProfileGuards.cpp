#include "config/ProfileGuards.h"

#include "config/KeyFunctionCode.h"

namespace kestrel {

namespace {

bool groupHasLeftClick(const SettingsRecord& record, KeyGroup group)
{
    // All eight count, the one the page does not show as well.
    for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
        if (record.keyFunction(group, button) == static_cast<std::uint8_t>(KeyFunctionCode::LeftClick))
            return true;
    }
    return false;
}

bool anyStageInUse(const SettingsRecord& record)
{
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        if (record.isStageInUse(stage))
            return true;
    }
    return false;
}

} // namespace

std::vector<std::string> ProfileGuards::problems(const SettingsRecord& record)
{
    std::vector<std::string> problems;
    for (const KeyGroup group : keygroup::kAll) {
        if (!groupHasLeftClick(record, group))
            problems.push_back("buttons[" + std::to_string(keygroup::index(group))
                               + "]: no button is \"Left Click\"; each key group keeps at least one");
    }
    if (!anyStageInUse(record))
        problems.push_back("stages: no stage is enabled; at least one stays enabled");
    return problems;
}

} // namespace kestrel
