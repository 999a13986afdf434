#pragma once

#include "app/CompareWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;

/** "Compare With File..." and "Compare With Slot..." of one document window: opens the compare
    window on a preset file, or on a slot read through the queue into a scratch image (the window's
    preset is not touched). Its questions are the window's replaceable steps (chooseFile,
    chooseCompareSlot). Owned by the window, as the compare window is. */
class CompareCommand
{
public:
    explicit CompareCommand (EditorWindow& window);
    ~CompareCommand();

    /** Without an argument they ask for the file or slot; false when cancelled, rejected (reported
        with the window's file error notice) or nothing was queued. */
    bool compareWithFile();
    bool compareWithFile (const juce::File& file);
    bool compareWithSlot();
    bool compareWithSlot (juce::uint8 slot);

    void slotRead (juce::uint8 slot, const juce::Array<juce::uint8>& image);

    CompareWindow* getCompareWindow() const noexcept { return compareWindow.get(); }

    /** The default chooseCompareSlot step. */
    static int runSlotChooser();

private:
    void show (const juce::Array<juce::uint8>& image, const juce::String& otherName);

    EditorWindow& window;
    std::unique_ptr<CompareWindow> compareWindow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CompareCommand)
};
