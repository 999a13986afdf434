#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours that every widget of the editor shares.

    The tabs, the bank arrows, the backgrounds and every other picture are PNGs drawn by
    scripts/make_artwork.py: their colours (the tabs' off, hover and on shades included) live only
    there, not here. Change them in that script and run it again (python3 scripts/make_artwork.py). */
namespace EditorColours
{
/** The editor's blue: list arrows, numbers, pop-up menus and the text of a switched-on DIN button. */
const juce::Colour blue{ 0xFF117FC6 };

/** Labels, titles, list and box backgrounds. */
const juce::Colour white{ 0xFFFFFFFF };

/** A number that the preset holds but its box does not take: its text, and the box's background. */
const juce::Colour warning{ 0xFFD9480F };
const juce::Colour warningBackground{ 0xFFFFE4D6 };

/** The dark lists of the program's side windows (slots, preset folder, MIDI monitor): the panel,
    its rows in two alternating shades, the table header, and quiet text. */
const juce::Colour listPanel{ 0xFF1E2227 };
const juce::Colour listRow{ 0xFF262B31 };
const juce::Colour listAlternateRow{ 0xFF2C3239 };
const juce::Colour listHeader{ 0xFF15181C };
const juce::Colour listDimText{ 0xFF9AA4AE };
} // namespace EditorColours
