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

    /** Asks for a preset file and compares with it; false when cancelled or rejected. */
    bool compareWithFile();

    /** A file that is not a preset file is reported with the window's file error notice. */
    bool compareWithFile (const juce::File& file);

    /** Asks for a slot (1 to 24) and queues its read; false when cancelled or nothing was queued. */
    bool compareWithSlot();
    bool compareWithSlot (juce::uint8 slot);

    /** Opens the compare window on a slot read for a compare. */
    void slotRead (juce::uint8 slot, const juce::Array<juce::uint8>& image);

    /** The compare window; null before the first compare. */
    CompareWindow* getCompareWindow() const noexcept { return compareWindow.get(); }

    /** The default slot question: a slot 0 to 23, or -1 when cancelled. */
    static int runSlotChooser();

private:
    void show (const juce::Array<juce::uint8>& image, const juce::String& otherName);

    EditorWindow& window;
    std::unique_ptr<CompareWindow> compareWindow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CompareCommand)
};
