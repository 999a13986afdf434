#pragma once

#include <juce_core/juce_core.h>

/** Text for the framework's alert boxes, which balance their line lengths and so may leave the
    last word of a sentence alone on a line. */
namespace AlertText
{
/** The same text with every space inside a line made non-breaking: each line of the message is
    shown whole, and the box grows to fit the longest. For messages of a few short lines. */
inline juce::String keepLinesWhole (const juce::String& text)
{
    constexpr juce::juce_wchar nonBreakingSpace = 0x00a0;
    return text.replaceCharacter (' ', nonBreakingSpace);
}
} // namespace AlertText
