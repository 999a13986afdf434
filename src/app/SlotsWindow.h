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

    void closeButtonPressed() override;

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (SlotsWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotsWindow)
};
