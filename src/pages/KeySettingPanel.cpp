#include "pages/KeySettingPanel.h"

#include "config/FunctionCaption.h"

#include "skin/BasicPageFrame.h"
#include "skin/HoverItems.h"
#include "skin/MainWindowLayout.h"
#include "skin/MainWindowSkin.h"
#include "skin/PopupListLook.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QStringList>

#include <algorithm>
#include <array>

namespace kestrel {

namespace {

constexpr int kDpiSubListSize = 60;
// The list's border, its rows' padding and the item margins of the style.
constexpr int kDpiSubListTextMargin = 20;
const QString kWarningCaption = QStringLiteral("Warning");

// The DPI sub-list's rows, the same in every language, and the modes they give.
constexpr const auto& kDpiSubListRows = FunctionCaption::kDpiSwitchCaptions;
constexpr std::array<DpiSwitchMode, 3> kDpiSubListModes{DpiSwitchMode::Up, DpiSwitchMode::Down,
                                                        DpiSwitchMode::Loop};

} // namespace

KeySettingPanel::KeySettingPanel(const PageContext& context)
    : context_(context), dialogs_(context.host, context.window)
{
}

PopupListSet& KeySettingPanel::lists() const { return context_.skin.lists(); }

KeyAssignments KeySettingPanel::assignments() const
{
    return KeyAssignments(context_.host.settings(), context_.host.captions());
}

void KeySettingPanel::setDefaultCaptions()
{
    context_.host.captions() = StrIniSettings::defaultCaptions(context_.host.language());
}

void KeySettingPanel::fillMissingCaptions()
{
    PageHost& host = context_.host;
    StrIniSettings::Captions& captions = host.captions();
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < keygroup::kButtonCount; ++button) {
            std::string& caption = captions[keygroup::slot(group, button)];
            if (caption.empty())
                caption = FunctionCaption::of(host.settings(), group, button, host.language(), host.texts(),
                                              host.sensorType());
        }
    }
}

bool KeySettingPanel::ownsList(PopupListId id)
{
    return id.kind() == PopupListId::Kind::DpiSubList || id.kind() == PopupListId::Kind::FunctionList;
}

std::optional<int> KeySettingPanel::existingFunctionList() const
{
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k) {
        if (lists().exists(PopupListId::functionList(k)))
            return k;
    }
    return std::nullopt;
}

void KeySettingPanel::closeFunctionList(int k)
{
    // The DPI sub-list only lives beside an open function list.
    lists().close(PopupListId::dpiSubList());
    lists().close(PopupListId::functionList(k));
}

void KeySettingPanel::dropDownClicked(int k)
{
    const PopupListId id = PopupListId::functionList(k);
    if (lists().openFlag(id)) {
        closeFunctionList(k);
        return;
    }
    // At most one function list is open at a time.
    for (int other = 1; other <= mainlayout::kKeyDropDownCount; ++other) {
        if (other != k)
            closeFunctionList(other);
    }
    const KeyAssignments keys = assignments();
    if (keys.isOnlyLeftClick(keys.shownGroup(), k - 1)) {
        warnLeftKeyRequired();
        return;
    }
    if (!lists().exists(id)) {
        QStringList rows;
        for (const std::string& text : context_.host.texts().keyFunctions)
            rows.append(QString::fromStdString(text));
        const QFont& font = context_.skin.style().normalFont;
        PopupListLook::forWindow(lists().create(id, mainlayout::functionList(k), rows, font), font);
    }
    lists().setOpenFlag(id, true);
}

void KeySettingPanel::warnLeftKeyRequired()
{
    context_.host.prompter().showMessage(&context_.window,
                                         QString::fromStdString(context_.host.texts().leftKeyRequired),
                                         kWarningCaption);
}

void KeySettingPanel::listChosen(PopupListId id)
{
    const int row = lists().currentRow(id);
    if (row < 0)
        return;
    if (id == PopupListId::dpiSubList())
        dpiSwitchChosen(row);
    else if (const std::optional<int> k = id.dropDown())
        functionChosen(*k, row);
}

void KeySettingPanel::functionChosen(int k, int row)
{
    // "DPI Switch" is chosen in the DPI sub-list; a click on its row does nothing.
    if (row == kDpiSwitchRow || row >= kKeyFunctionCount)
        return;
    const int button = k - 1;
    const auto code = static_cast<KeyFunctionCode>(row);
    if (code == KeyFunctionCode::Shift) {
        const bool assigned = chooseShift(button);
        closeFunctionList(k);
        if (assigned)
            redrawDropDown(k);
        return;
    }
    KeyAssignments keys = assignments();
    const KeyGroup group = keys.shownGroup();
    std::optional<std::string> caption = context_.host.texts().keyFunction(code);
    // The list has done its part once a row is chosen; it would otherwise
    // stay open under the sub-dialog for as long as that runs.
    closeFunctionList(k);
    if (KeyFunctionDialogs::opensDialog(code))
        caption = dialogs_.run(code, group, button);
    if (!caption)
        return;
    keys.assign(group, button, code, *caption);
    redrawDropDown(k);
}

bool KeySettingPanel::chooseShift(int button)
{
    KeyAssignments keys = assignments();
    const KeyGroup group = keys.shownGroup();
    // One "Shift" per group; the shown group is the one tested.
    if (keys.groupHasShift(group))
        return false;
    // "Shift" takes the button in both groups: it must not take the other
    // group's only "Left Click".
    const KeyGroup other = keygroup::other(group);
    if (keys.isOnlyLeftClick(other, button)) {
        warnLeftKeyRequired();
        return false;
    }
    keys.assignShift(button, context_.host.texts().keyFunction(KeyFunctionCode::Shift));
    return true;
}

void KeySettingPanel::listRowHovered(PopupListId id, int row)
{
    if (!id.dropDown())
        return;
    const bool exists = lists().exists(PopupListId::dpiSubList());
    if (row == kDpiSwitchRow && !exists) {
        if (const QListWidget* list = lists().list(id))
            openDpiSubList(*list);
    } else if (row != kDpiSwitchRow && exists) {
        lists().close(PopupListId::dpiSubList());
    }
}

int KeySettingPanel::widestRow(const QFont& font, const QStringList& rows)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& row : rows)
        widest = std::max(widest, metrics.horizontalAdvance(row));
    return widest;
}

void KeySettingPanel::openDpiSubList(const QListWidget& functionList)
{
    // Its top-left corner at the right end of the "DPI Switch" row.
    const QRect row = functionList.visualItemRect(functionList.item(kDpiSwitchRow));
    const QPoint corner = functionList.viewport()->mapTo(&context_.window, QPoint(row.right() + 1, row.top()));
    QStringList rows;
    for (const char* text : kDpiSubListRows)
        rows.append(QString::fromLatin1(text));
    const QFont& font = context_.skin.style().normalFont;
    // 60 pixels square by design; wider when the font would cut "DPI Loop".
    const int width = std::max(kDpiSubListSize, widestRow(font, rows) + kDpiSubListTextMargin);
    const QRect rect(corner, QSize(width, kDpiSubListSize));
    QListWidget& list = lists().create(PopupListId::dpiSubList(), rect, rows, font);
    PopupListLook::forWindow(list, font);
    list.raise();
}

void KeySettingPanel::dpiSwitchChosen(int row)
{
    const std::optional<int> k = existingFunctionList();
    if (!k || row >= static_cast<int>(kDpiSubListModes.size())) {
        lists().close(PopupListId::dpiSubList());
        return;
    }
    KeyAssignments keys = assignments();
    keys.assignDpiSwitch(keys.shownGroup(), *k - 1, kDpiSubListModes[static_cast<std::size_t>(row)],
                         kDpiSubListRows[static_cast<std::size_t>(row)]);
    redrawDropDown(*k);
    closeFunctionList(*k);
}

void KeySettingPanel::showKeyGroup(KeyGroup group)
{
    context_.host.settings().setShownGroup(group);
    redrawKeyGroup();
}

void KeySettingPanel::restoreDefaults()
{
    assignments().restoreDefaults(StrIniSettings::defaultCaptions(context_.host.language()));
    redrawKeyGroup();
}

void KeySettingPanel::redrawDropDown(int k)
{
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    context_.skin.drawHoverItem(painter, keyDropDownItem(k).id, false);
}

void KeySettingPanel::redrawKeyGroup()
{
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    BasicPageFrame::drawKeyGroupButtons(painter, assignments().shownGroup());
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k)
        context_.skin.drawHoverItem(painter, keyDropDownItem(k).id, false);
}

} // namespace kestrel
