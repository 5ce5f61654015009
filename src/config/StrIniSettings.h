#pragma once

#include "config/IniFile.h"
#include "config/Language.h"
#include "config/SettingsRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel {

// The settings kept in str.ini: the language code and skin in section
// "Skins", and the sixteen key captions in the language's own section.
// Captions are indexed key group 1's buttons 1..8, then key group 2's.
// Reads give "" for anything absent, and for a file that cannot be read; a
// write returns why it failed, and such a file is never written.
class StrIniSettings {
public:
    static constexpr std::size_t kCaptionCount = 16;
    static constexpr std::array<std::string_view, kCaptionCount> kCaptionKeys = {
        "Item1", "Item2", "Item3", "Item4", "Item5", "Item6", "Item7", "Item8",
        "Item13", "Item23", "Item33", "Item43", "Item53", "Item63", "Item73", "Item83",
    };
    static constexpr std::string_view kSkinsSection = "Skins";

    using Captions = std::array<std::string, kCaptionCount>;

    // The skin entries as the file holds them.
    struct SkinValues {
        std::string red;
        std::string green;
        std::string blue;
        std::string path;
    };

    struct Values {
        Captions captions;
        SkinValues skin;
    };

    // The values of the language the file itself names ("Lan"), from one read.
    struct OwnLanguageValues {
        Language language = Language::English;
        Values values;
        // Set when the file exists but was refused or could not be read.
        std::error_code error;
    };

    explicit StrIniSettings(std::filesystem::path strIniPath);

    const std::filesystem::path& path() const { return file_.path(); }

    Values read(Language language) const;
    OwnLanguageValues readInOwnLanguage() const;
    std::string readLanguageCode() const;
    std::error_code writeCaptions(Language language, const Captions& captions) const;
    std::error_code writeSkin(Rgb colour, std::string_view skinName) const;

    // Decimal text to a colour byte: leading blanks and a sign allowed, the
    // digits up to the first other character count, no digits give 0, and
    // the low 8 bits of the number are kept ("300" gives 44). Numbers beyond
    // the 32-bit range saturate first, as the platform's conversion does.
    static std::uint8_t colourComponent(std::string_view text);
    static Rgb skinColour(const SkinValues& skin);

    // The captions matching the default key functions, for both key groups.
    static Captions defaultCaptions(Language language);

private:
    static Values valuesIn(const IniDocument& document, Language language);

    IniFile file_;
};

} // namespace kestrel
