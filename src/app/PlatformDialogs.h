#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The platform's dialogs that answer a document window's replaceable steps unless a caller
    replaces them: the file and folder choosers, the slot chooser, the question whether to save
    changes, and the summary at the end of a backup or restore. */
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
        button; -1 when cancelled. */
    static int runSlotChooser (const juce::String& title, const juce::String& message, const juce::String& action);

    /** Returns at once. */
    static void showSummary (const juce::String& title, const juce::String& message);
};
