#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The "File Error" notice with a message about a preset file. Like the MIDI notice, the object is
    the callback of an asynchronous message box and is deleted by the framework when the box is
    dismissed; it knows no window and touches none. */
class FileErrorAlertWindow : public juce::ModalComponentManager::Callback
{
public:
    explicit FileErrorAlertWindow (const juce::String& message);

    //==============================================================================
    static juce::String getOpenErrorMessage (const juce::String& fileName);
    static juce::String getSaveErrorMessage (const juce::String& fileName);

    //==============================================================================
    void modalStateFinished (int) override {}

    const juce::String& getMessage() const noexcept { return message; }

private:
    const juce::String message;

    JUCE_DECLARE_WEAK_REFERENCEABLE (FileErrorAlertWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileErrorAlertWindow)
};
