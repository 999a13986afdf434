#pragma once

#include "app/SlotsComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** "Slots": the controller's 24 slots and the preset folder, one window for the program. Closing
    it stops a job under way as Cancel does; it deletes itself then, and the application holds it by
    weak reference. */
class SlotsWindow : public juce::DocumentWindow
{
public:
    SlotsWindow (ZKEditorEngine::Ptr engine, juce::PropertySet& settings);

    SlotsComponent& getSlotsComponent() const;

    /** Stops a job under way as Cancel does; a swap stopped between its writes tells, in an alert
        of this title, which file keeps the preset it left in no slot. */
    void closeButtonPressed() override;

    static juce::String getClosedTitle() { return "Slots Window Closed"; }

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (SlotsWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotsWindow)
};
