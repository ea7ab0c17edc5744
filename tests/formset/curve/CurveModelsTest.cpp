#include "formset/curve/SCurveProperties.h"
#include "formset/curve/STradeFlagProperties.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

const char* const kWidthRange = "Width: please enter a whole number from 0 to 20.";
const char* const kNoRoom = "Colour: the pane has no room left to keep the look of one more line.";

SCurveProperties Curve(int room) {
    SCurveProperties p;
    p.name = "MA";
    p.parameter = "5";
    p.look = p.opened = SCurveLook{0x0A1432, 1, 1};
    p.room = room;
    return p;
}

STradeFlagProperties Flag(int room) {
    STradeFlagProperties p;
    p.name = "SMABuy";
    p.look.colour = 0x00FF00;
    p.look.symbol = 13;
    p.opened = p.look;
    p.room = room;
    return p;
}

std::string MessageOf(const std::optional<SFieldError>& error) {
    return error ? error->message : "";
}

} // namespace

TEST(CurvePropertiesModel, WidthIsAWholeNumberFrom0To20AndAChangeMustFit) {
    struct Case {
        const char* text;
        int room;
        const char* message; // "" when taken
        unsigned field;
        int width; // after the read
    };
    const Case cases[] = {
        {"0", -1, "", 0, 0},
        {" 20 ", -1, "", 0, 20},
        {"+3", -1, "", 0, 3},
        {"007", -1, "", 0, 7},
        {"", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"abc", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"1e39", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"nan", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"-1", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"21", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        {"4294967297", -1, kWidthRange, SCurveProperties::kWidthField, 1},
        // A curve look takes 9 bytes of the pane's store.
        {"2", 9, "", 0, 2},
        {"2", 8, kNoRoom, SCurveProperties::kColourField, 1},
        {"1", 0, "", 0, 1}, // unchanged: nothing to keep
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " room " + std::to_string(c.room));
        SCurveProperties p = Curve(c.room);
        const std::optional<SFieldError> error = p.Read(c.text);
        EXPECT_EQ(MessageOf(error), c.message);
        if (error) {
            EXPECT_EQ(error->controlId, c.field);
        }
        EXPECT_EQ(p.look.lineWidth, c.width);
    }
}

TEST(CurvePropertiesModel, StyleOutsideTheDrawKindsIsRefused) {
    for (int kind : {-1, 14}) {
        SCurveProperties p = Curve(-1);
        p.look.drawKind = kind;
        const std::optional<SFieldError> error = p.Validate();
        ASSERT_TRUE(error) << kind;
        EXPECT_EQ(error->controlId, SCurveProperties::kStyleField);
        EXPECT_EQ(error->message, "Style: please enter a whole number from 0 to 13.");
    }
    SCurveProperties p = Curve(-1);
    p.look.drawKind = 13;
    EXPECT_EQ(p.Validate(), std::nullopt);
}

TEST(TradeFlagPropertiesModel, TextMustBeOneLineAndFitTheRoomLeft) {
    struct Case {
        std::string text;
        bool font;
        int room;
        const char* message;
        unsigned field;
    };
    // A flag look without text and font takes 12 bytes; a text 1 + its length; a font with
    // the face "Serif" 14 + 5.
    const Case cases[] = {
        {std::string(63, 'a'), false, -1, "", 0},
        {std::string(64, 'a'), false, -1, "Text: please enter at most 63 characters.",
         STradeFlagProperties::kTextField},
        {"two\nlines", false, -1, "Text: please enter one line of text.",
         STradeFlagProperties::kTextField},
        {std::string("del\x7f"), false, -1, "Text: please enter one line of text.",
         STradeFlagProperties::kTextField},
        {"abc", false, 16, "", 0},
        {"abcd", false, 16, "Text: please enter at most 3 characters.",
         STradeFlagProperties::kTextField},
        {"abc", true, 35, "", 0},
        {"abc", true, 34, "Text: please enter at most 2 characters.",
         STradeFlagProperties::kTextField},
        {"", true, 31, "", 0},
        {"", true, 30, kNoRoom, STradeFlagProperties::kColourField},
        {"a", false, 12, "Text: please enter at most 0 characters.",
         STradeFlagProperties::kTextField},
        {"", false, 11, kNoRoom, STradeFlagProperties::kColourField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " room " + std::to_string(c.room));
        STradeFlagProperties p = Flag(c.room);
        p.look.text = c.text;
        p.look.colour = 0x0000FF; // a change
        if (c.font) {
            p.look.font.lfHeight = 12;
            p.look.font.lfWidth = 5;
            p.look.font.lfWeight = 400;
            std::strcpy(p.look.font.lfFaceName, "Serif");
        }
        const std::optional<SFieldError> error = p.Validate();
        EXPECT_EQ(MessageOf(error), c.message);
        if (error) {
            EXPECT_EQ(error->controlId, c.field);
        }
    }
    // What the flag came with is not checked: it is not stored anew.
    STradeFlagProperties kept = Flag(0);
    kept.look.text = kept.opened.text = std::string(100, '\t');
    EXPECT_EQ(kept.Validate(), std::nullopt);
}
