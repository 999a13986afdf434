#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The "MIDI Error" notice. The object is the callback of an asynchronous message box, so the
    framework deletes it when the box is dismissed; a document window watches it by weak reference
    to show one notice at a time. It knows no window and touches none. */
class MidiErrorAlertWindow : public juce::ModalComponentManager::Callback
{
public:
    MidiErrorAlertWindow();

    void modalStateFinished (int) override {}

    static juce::String getMessage();

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (MidiErrorAlertWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiErrorAlertWindow)
};
