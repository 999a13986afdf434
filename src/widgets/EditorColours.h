#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours that every widget of the editor shares. */
namespace EditorColours
{
/** The editor's blue: list arrows, numbers, pop-up menus and the text of a switched-on DIN button. */
const juce::Colour blue{ 0xFF117FC6 };

/** Labels, titles, list and box backgrounds. */
const juce::Colour white{ 0xFFFFFFFF };
} // namespace EditorColours
