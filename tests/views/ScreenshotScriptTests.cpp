// scripts/screenshots.sh clicks each tab at the middle of its width, which it keeps as pixel
// widths of its own: this test keeps that list true to the tab row.
#include "views/EditorComponent.h"
#include "views/TabSelectorButtons.h"

#include <gtest/gtest.h>

namespace
{
/** The words of the shell array `name=(...)` in the script. */
juce::StringArray readShellArray (const juce::String& script, const juce::String& name)
{
    const auto start = script.indexOf ("\n" + name + "=(");

    if (start < 0)
        return {};

    const auto body =
        script.substring (start).fromFirstOccurrenceOf ("(", false, false).upToFirstOccurrenceOf (")", false, false);
    return juce::StringArray::fromTokens (body, " ", {});
}

TEST (ScreenshotScript, NamesEveryTabInOrderWithItsWidth)
{
    const auto script = juce::File (ZKM_SOURCE_DIR).getChildFile ("scripts/screenshots.sh").loadFileAsString();
    const auto names = readShellArray (script, "names");
    const auto widths = readShellArray (script, "widths");

    TabSelectorButtons tabs;
    const auto& buttons = tabs.getButtons();
    ASSERT_EQ (buttons.size(), EditorComponent::numViews);
    ASSERT_EQ (names.size(), buttons.size()) << names.joinIntoString (" ");
    ASSERT_EQ (widths.size(), buttons.size()) << widths.joinIntoString (" ");

    for (int viewIndex = 0; viewIndex < buttons.size(); ++viewIndex)
    {
        EXPECT_EQ (widths[viewIndex].getIntValue(), buttons[viewIndex]->getWidth()) << names[viewIndex];

        // Each word of the file name begins a word of the tab's name ("drum_pads": "Drum Pad ...").
        for (const auto& word : juce::StringArray::fromTokens (names[viewIndex], "_", {}))
            EXPECT_TRUE (buttons[viewIndex]->getName().containsIgnoreCase (word.substring (0, 3)))
                << names[viewIndex] << " / " << buttons[viewIndex]->getName();
    }
}
} // namespace
