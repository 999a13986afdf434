#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The layout shared by the single-control views: a white title at the top and, under it, a column
    of parameter widgets with a fixed gap between them. */
namespace ColumnLayout
{
constexpr int widgetWidth = 200;
constexpr int gapBelowTitle = 10;
constexpr int gapBetweenWidgets = 5;
constexpr int dinButtonX = 100;
constexpr int dinButtonWidth = 100;
constexpr int dinButtonHeight = 12;

/** Places a title label, white in a plain font of the given height, and shows it in the parent. */
inline void addTitle (juce::Component& parent, juce::Label& title, juce::Rectangle<int> bounds, float fontHeight)
{
    title.setBounds (bounds);
    title.setColour (juce::Label::textColourId, juce::Colours::white);
    title.setFont (juce::Font (fontHeight, juce::Font::plain));
    parent.addAndMakeVisible (title);
}

/** Stacks the widgets at x 0 from the given top, each the given height and five pixels below the one
    before, and shows them in the parent. Returns the y just below the gap after the last widget. */
inline int addColumn (juce::Component& parent, const juce::Array<juce::Component*>& widgets, int top, int widgetHeight)
{
    auto y = top;

    for (auto* widget : widgets)
    {
        widget->setBounds (0, y, widgetWidth, widgetHeight);
        parent.addAndMakeVisible (widget);
        y = widget->getBottom() + gapBetweenWidgets;
    }

    return y;
}

/** Places a MIDI-to-DIN button at the right half of the column, at the given y. */
inline void addDinButton (juce::Component& parent, juce::Component& button, int y)
{
    button.setBounds (dinButtonX, y, dinButtonWidth, dinButtonHeight);
    parent.addAndMakeVisible (button);
}
} // namespace ColumnLayout
