#pragma once

#include "widgets/EditorColours.h"

/** The shades of the virtual controller's panel: the controller's dark body and caps, lit in the
    editor's blue. */
namespace VirtualControllerColours
{
const juce::Colour background{ 0xff16181b };
const juce::Colour body{ 0xff22252a };
const juce::Colour groove{ 0xff0c0d0f };
const juce::Colour capTop{ 0xff4a4f57 };
const juce::Colour capBottom{ 0xff1d2024 };
const juce::Colour edge{ 0xff050607 };
const juce::Colour accent = EditorColours::blue;
const juce::Colour lit = EditorColours::blue.brighter (0.4f);
const juce::Colour text = EditorColours::white;
const juce::Colour label{ 0xffa8adb5 };
const juce::Colour whiteKey{ 0xffe8e8e4 };
const juce::Colour blackKey{ 0xff101113 };
} // namespace VirtualControllerColours
