#include "platform/ScanCodeNames.h"

#include <algorithm>
#include <array>

namespace kestrel {

namespace {

constexpr std::uint32_t kLeftWindows = ScanCodeNames::kLeftWindows;
constexpr std::uint32_t kRightWindows = ScanCodeNames::kRightWindows;

// Ordered by input code.
constexpr std::array<ScanCodeName, 116> kNames{{
    {1, "Esc"},          {2, "1"},           {3, "2"},          {4, "3"},           {5, "4"},
    {6, "5"},            {7, "6"},           {8, "7"},          {9, "8"},           {10, "9"},
    {11, "0"},           {12, "-"},          {13, "="},         {14, "Backspace"},  {15, "Tab"},
    {16, "Q"},           {17, "W"},          {18, "E"},         {19, "R"},          {20, "T"},
    {21, "Y"},           {22, "U"},          {23, "I"},         {24, "O"},          {25, "P"},
    {26, "["},           {27, "]"},          {28, "Enter"},     {29, "Ctrl"},       {30, "A"},
    {31, "S"},           {32, "D"},          {33, "F"},         {34, "G"},          {35, "H"},
    {36, "J"},           {37, "K"},          {38, "L"},         {39, ";"},          {40, "'"},
    {41, "`"},           {42, "Shift"},      {43, "\\"},        {44, "Z"},          {45, "X"},
    {46, "C"},           {47, "V"},          {48, "B"},         {49, "N"},          {50, "M"},
    {51, ","},           {52, "."},          {53, "/"},         {54, "Right Shift"}, {55, "Num *"},
    {56, "Alt"},         {57, "Space"},      {58, "Caps Lock"}, {59, "F1"},         {60, "F2"},
    {61, "F3"},          {62, "F4"},         {63, "F5"},        {64, "F6"},         {65, "F7"},
    {66, "F8"},          {67, "F9"},         {68, "F10"},       {69, "Num Lock"},   {70, "Scroll Lock"},
    {71, "Num 7"},       {72, "Num 8"},      {73, "Num 9"},     {74, "Num -"},      {75, "Num 4"},
    {76, "Num 5"},       {77, "Num 6"},      {78, "Num +"},     {79, "Num 1"},      {80, "Num 2"},
    {81, "Num 3"},       {82, "Num 0"},      {83, "Num Del"},   {87, "F11"},        {88, "F12"},
    {96, "Num Enter"},   {97, "Right Ctrl"}, {98, "Num /"},     {99, "Prnt Scrn"},  {100, "Right Alt"},
    {102, "Home"},       {103, "Up"},        {104, "Page Up"},  {105, "Left"},      {106, "Right"},
    {107, "End"},        {108, "Down"},      {109, "Page Down"}, {110, "Insert"},   {111, "Delete"},
    {119, "Pause"},      {kLeftWindows, "Left Windows"},        {kRightWindows, "Right Windows"},
    {127, "Application"}, {183, "F13"},      {184, "F14"},      {185, "F15"},       {186, "F16"},
    {187, "F17"},        {188, "F18"},       {189, "F19"},      {190, "F20"},       {191, "F21"},
    {192, "F22"},        {193, "F23"},       {194, "F24"},
}};

static_assert(std::is_sorted(kNames.begin(), kNames.end(),
                             [](const ScanCodeName& a, const ScanCodeName& b) { return a.inputCode < b.inputCode; }));

std::uint32_t inputCodeOf(std::uint32_t nativeScanCode)
{
    return nativeScanCode >= ScanCodeNames::kXkbOffset ? nativeScanCode - ScanCodeNames::kXkbOffset : 0;
}

} // namespace

std::span<const ScanCodeName> ScanCodeNames::table() { return kNames; }

std::string_view ScanCodeNames::nameOf(std::uint32_t nativeScanCode)
{
    return nameOfInputCode(inputCodeOf(nativeScanCode));
}

std::string_view ScanCodeNames::nameOfInputCode(std::uint32_t code)
{
    const auto found = std::lower_bound(kNames.begin(), kNames.end(), code,
                                        [](const ScanCodeName& entry, std::uint32_t c) { return entry.inputCode < c; });
    return found != kNames.end() && found->inputCode == code ? found->name : std::string_view();
}

bool ScanCodeNames::isWindowsKey(std::uint32_t nativeScanCode)
{
    const std::uint32_t code = inputCodeOf(nativeScanCode);
    return code == kLeftWindows || code == kRightWindows;
}

} // namespace kestrel
