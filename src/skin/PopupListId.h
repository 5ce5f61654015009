#pragma once

#include <cstdint>
#include <optional>

namespace kestrel {

// Names one popup list. Each kind of list is its own value, so the function
// list of a drop-down and the DPI sub-list beside it can never be taken for
// one another, whatever drop-down number is asked for.
class PopupListId {
public:
    enum class Kind : std::uint8_t { FunctionList, DpiSubList, LightingModeList, LightingParameterList, DialogChoiceList };

    // The function list of key drop-down `dropDown` (1..7).
    static constexpr PopupListId functionList(int dropDown) { return {Kind::FunctionList, dropDown}; }
    static constexpr PopupListId dpiSubList() { return {Kind::DpiSubList, 0}; }
    static constexpr PopupListId lightingModeList() { return {Kind::LightingModeList, 0}; }
    static constexpr PopupListId lightingParameterList() { return {Kind::LightingParameterList, 0}; }
    // The one choice list of a sub-dialog.
    static constexpr PopupListId dialogChoiceList() { return {Kind::DialogChoiceList, 0}; }

    constexpr Kind kind() const { return kind_; }
    // The drop-down a function list belongs to; nothing for the other lists.
    constexpr std::optional<int> dropDown() const
    {
        return kind_ == Kind::FunctionList ? std::optional<int>(dropDown_) : std::nullopt;
    }

    friend constexpr bool operator==(const PopupListId&, const PopupListId&) = default;
    // Any strict order will do; it lets the ids key an ordered map.
    friend constexpr bool operator<(const PopupListId& a, const PopupListId& b)
    {
        return a.kind_ != b.kind_ ? a.kind_ < b.kind_ : a.dropDown_ < b.dropDown_;
    }

private:
    constexpr PopupListId(Kind kind, int dropDown) : kind_(kind), dropDown_(dropDown) {}

    Kind kind_;
    int dropDown_;
};

} // namespace kestrel
