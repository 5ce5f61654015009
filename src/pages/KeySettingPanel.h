#pragma once

#include "pages/KeyAssignments.h"
#include "pages/KeyFunctionDialogs.h"
#include "pages/PageHost.h"

#include "skin/PopupListId.h"

#include <optional>

class QListWidget;

namespace kestrel {

class PopupListSet;

// The key setting section of the basic page: seven drop-down boxes, one per
// shown mouse button, whose function lists assign the button's function in
// the key group shown; the DPI sub-list that opens beside "DPI Switch"; the
// "Mode A" and "Mode B" buttons; and "Default". A click on the only
// "Left Click" button of its group is refused with a warning. Every change
// goes to the working settings record and the key captions only.
class KeySettingPanel {
public:
    static constexpr int kDpiSwitchRow = 5;

    explicit KeySettingPanel(const PageContext& context);

    // Replaces both key groups' captions by the default ones (no write).
    void setDefaultCaptions();
    // A caption missing from str.ini becomes what choosing the button's
    // function would have written; the next Apply stores it.
    void fillMissingCaptions();

    void dropDownClicked(int k);
    // Whether the popup list with this identifier belongs to this section.
    static bool ownsList(PopupListId id);
    void listChosen(PopupListId id);
    void listRowHovered(PopupListId id, int row);
    void showKeyGroup(KeyGroup group);
    void restoreDefaults();

private:
    PopupListSet& lists() const;
    KeyAssignments assignments() const;
    // The open function list's drop-down number, if a function list exists.
    std::optional<int> existingFunctionList() const;
    void closeFunctionList(int k);

    void functionChosen(int k, int row);
    // "Shift" for the button, unless it is not allowed; false when refused.
    bool chooseShift(int button);
    void dpiSwitchChosen(int row);
    void openDpiSubList(const QListWidget& functionList);
    static int widestRow(const QFont& font, const QStringList& rows);

    void warnLeftKeyRequired();
    void redrawDropDown(int k);
    void redrawKeyGroup();

    PageContext context_;
    KeyFunctionDialogs dialogs_;
};

} // namespace kestrel
