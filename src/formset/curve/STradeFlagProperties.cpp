#include "STradeFlagProperties.h"
#include "indicators/CTradeFlag.h"
#include <algorithm>

STradeFlagProperties STradeFlagProperties::Of(const CTradeFlag& flag, int room) {
    STradeFlagProperties properties;
    properties.name = flag.name;
    properties.direction = flag.direction;
    properties.look = STradeFlagLook::Of(flag);
    properties.opened = properties.look;
    properties.room = room;
    return properties;
}

std::optional<SFieldError> STradeFlagProperties::Check(const STradeFlagFieldNames& names) const {
    // What the flag came with is kept as it is, whatever it holds.
    if (look == opened) return std::nullopt;
    const bool control = std::any_of(look.text.begin(), look.text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control)
        return SFieldError::Make(kTextField, names.text, "OneLineText",
                                 "%s: please enter one line of text.");
    // The longest text the pane can keep with the rest of this look.
    std::size_t most = STradeFlagLook::kMaxText;
    if (room >= 0) {
        STradeFlagLook bare = look;
        bare.text.clear();
        const std::size_t without = CPaneLooks::StoredSize(bare);
        if (without > static_cast<std::size_t>(room))
            return SFieldError::Make(kColourField, names.colour, "NoRoomForLook",
                                     "%s: the pane has no room left to keep the look of one "
                                     "more line.");
        // A text takes its length byte besides its characters.
        const std::size_t left = static_cast<std::size_t>(room) - without;
        most = std::min(most, left == 0 ? 0 : left - 1);
    }
    if (look.text.size() > most)
        return SFieldError::Make(kTextField, names.text, "TextTooLong",
                                 "%s: please enter at most %1 characters.",
                                 {{"%1", std::to_string(most)}});
    return std::nullopt;
}
