#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** The platform's dialogs that answer a document window's replaceable steps unless a caller
    replaces them: the file and folder choosers, the slot chooser, the name box, the question whether to
    save changes, a choice between buttons, and the summary at the end of a backup or restore. */
class PlatformDialogs
{
public:
    enum class SaveChangesAnswer
    {
        save,
        discard,
        cancel
    };

    static SaveChangesAnswer runSaveChangesQuestion (const juce::String& documentName);
    static juce::File runFileChooser (const juce::String& title, const juce::File& startFolder,
                                      const juce::String& filePattern, bool forSaving);
    static juce::File runFolderChooser (const juce::String& title, const juce::File& startFolder);

    /** A slot of the controller, 0 to 23, chosen in a box with that title, message and action
        button, the box showing preselectedSlot at first; -1 when cancelled. */
    static int runSlotChooser (const juce::String& title, const juce::String& message, const juce::String& action,
                               int preselectedSlot = 0);

    /** A preset name typed into a box with that title, starting from the name given; nothing when
        cancelled. */
    static std::optional<juce::String> runNameQuestion (const juce::String& title, const juce::String& name);

    /** A question answered by one of the buttons: the index of the one pressed, -1 when the box was
        closed otherwise. The last button is the one Escape presses. */
    static int runChoice (const juce::String& title, const juce::String& message, const juce::StringArray& buttons);

    /** Returns at once. */
    static void showSummary (const juce::String& title, const juce::String& message);
};
