#pragma once

#include "views/ControlViewSizes.h"
#include "widgets/EditorColours.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The layout shared by the single-control views: a white title at the top and, under it, a column
    of parameter widgets with a fixed gap between them. The frame's sizes are those of every control
    view (ControlViewSizes). */
namespace ColumnLayout
{
using namespace ControlViewSizes;

/** The title is 20 high; the roll mode's and the keybed zones' titles start a little further left,
    and the keybed views' titles are a little larger than the others. */
constexpr int titleHeight = 20, nearTitleX = 60;
constexpr float keybedTitleFontHeight = 20.0f;

/** The height of the widgets of most column views (the wheels' and the roll mode's are smaller),
    and where the column starts, under the title and its gap. */
constexpr int widgetHeight = 22, columnTop = titleHeight + gapBelowTitle;

/** A MIDI-to-DIN button stands in the right half of the column, under its widgets. */
constexpr int dinButtonX = 100, dinButtonWidth = 100, dinButtonHeight = 12;

/** Gives a single-control view its size and its title, a label whose name and text are the given
    text, placed at titleX; returns the title, which the view owns from then on. */
inline std::unique_ptr<juce::Label> addTitledFrame (juce::Component& view, const juce::String& titleText,
                                                    int titleX = ControlViewSizes::titleX,
                                                    float fontHeight = ControlViewSizes::titleFontHeight)
{
    view.setSize (viewWidth, viewHeight);

    auto title = std::make_unique<juce::Label> (titleText, titleText);
    title->setBounds (titleX, 0, titleWidth, titleHeight);
    title->setColour (juce::Label::textColourId, EditorColours::white);
    title->setFont (juce::Font (fontHeight, juce::Font::plain));
    view.addAndMakeVisible (*title);
    return title;
}

/** Stacks the widgets at x 0 from the given top, each rowHeight high and five pixels below the one
    before, and shows them in the parent. Returns the y just below the gap after the last widget. */
inline int addColumn (juce::Component& parent, const juce::Array<juce::Component*>& widgets, int top, int rowHeight)
{
    auto y = top;

    for (auto* widget : widgets)
    {
        widget->setBounds (0, y, widgetWidth, rowHeight);
        parent.addAndMakeVisible (widget);
        y = widget->getBottom() + gapBetweenWidgets;
    }

    return y;
}

/** Stacks the widgets under the title and puts the view's MIDI-to-DIN button under them. */
inline void addColumnAndDinButton (juce::Component& parent, const juce::Array<juce::Component*>& widgets, int rowHeight,
                                   juce::Component& dinButton)
{
    dinButton.setBounds (dinButtonX, addColumn (parent, widgets, columnTop, rowHeight), dinButtonWidth,
                         dinButtonHeight);
    parent.addAndMakeVisible (dinButton);
}
} // namespace ColumnLayout
