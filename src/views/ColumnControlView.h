#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/ControlViewSizes.h"
#include "widgets/ControlToMidiControllerButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A single-control view laid out as a column: a white title at the top and, under it, the
    control's parameter widgets with a fixed gap between them, and below them the control's
    MIDI-to-DIN button where the view has one. The frame's sizes are those of every control view
    (ControlViewSizes). The view owns its title, its widgets and its button. */
class ColumnControlView : public juce::Component
{
public:
    ~ColumnControlView() override;

    juce::Label& getTitleLabel() noexcept { return *title; }

    //==============================================================================
    /** The title is 20 high; the roll mode's and the keybed zones' titles start a little further left,
        and the keybed views' titles are a little larger than the others. */
    static constexpr int titleHeight = 20, nearTitleX = 60;
    static constexpr float keybedTitleFontHeight = 20.0f;

    /** The height of the widgets of most column views (the wheels' and the roll mode's are smaller),
        and where the column starts, under the title and its gap. */
    static constexpr int widgetHeight = 22, columnTop = titleHeight + ControlViewSizes::gapBelowTitle;

    /** A MIDI-to-DIN button stands in the right half of the column, under its widgets. */
    static constexpr int dinButtonX = 100, dinButtonWidth = 100, dinButtonHeight = 12;

protected:
    //==============================================================================
    /** Gives the view its size and its title, a label whose name and text are the given text. */
    explicit ColumnControlView (const juce::String& titleText, int titleX = ControlViewSizes::titleX,
                                float titleFontHeight = ControlViewSizes::titleFontHeight);

    /** Keeps the widget until the view goes, and hands it back for the column. */
    template <typename Widget>
    Widget* own (std::unique_ptr<Widget> widget)
    {
        widgets.add (widget.get());
        return widget.release();
    }

    /** Stacks the widgets at x 0 from columnTop, each rowHeight high and five pixels below the one
        before, and shows them. Returns the y just below the gap after the last widget. */
    int addColumn (const juce::Array<juce::Component*>& column, int rowHeight);

    /** Stacks the widgets as above and puts the view's MIDI-to-DIN button, bound to that flag, under
        them. */
    void addColumnAndDinButton (const juce::Array<juce::Component*>& column, int rowHeight, ZKEditorEngine::Ptr engine,
                                const juce::String& dinFlagName);

private:
    //==============================================================================
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<juce::Component> widgets;
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ColumnControlView)
};
