// The error box's text rule and the message captions.
#include "platform/Error.h"
#include "platform/Prompts.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"I/O error 103", "I/O error 103."},
        {"Unable to write to C:\\KORVA\\KORVA.INI", "Unable to write to C:\\KORVA\\KORVA.INI."},
        {"Already ends.", "Already ends."},
        {"Careful!", "Careful!"},       // '!' sorts before '.'
        {"(x)", "(x)"},                 // ')' too
        {"path/", "path/."},            // '/' sorts right after '.'
        {"", ""},
        {"caf\xe9", "caf\xe9."},        // codes above 127 sort after '.'
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

TEST(MessageCaption, EachKindHasItsCaption) {
    EXPECT_STREQ(MessageCaption(MessageKind::Warning), "Warning");
    EXPECT_STREQ(MessageCaption(MessageKind::Error), "Error");
    EXPECT_STREQ(MessageCaption(MessageKind::Information), "Information");
    EXPECT_STREQ(MessageCaption(MessageKind::Confirmation), "Confirm");
    EXPECT_STREQ(MessageCaption(MessageKind::Plain), "KORVA");
    EXPECT_STREQ(MessageCaption(MessageKind::AppError), "KORVA");
}

} // namespace
} // namespace korva
