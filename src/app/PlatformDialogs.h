#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The platform's dialogs that answer a document window's replaceable steps unless a caller
    replaces them: the file and folder choosers, the question whether to save changes, and the
    summary at the end of a backup or restore. */
class PlatformDialogs
{
public:
    /** The answers to "Save changes to ... before closing?". */
    enum class SaveChangesAnswer
    {
        save,
        discard,
        cancel
    };

    /** A message box with "Save", "Discard" and "Cancel" for the named document. */
    static SaveChangesAnswer runSaveChangesQuestion (const juce::String& documentName);

    /** A juce::FileChooser with the platform's dialog; juce::File() when cancelled. */
    static juce::File runFileChooser (const juce::String& title, const juce::File& startFolder,
                                      const juce::String& filePattern, bool forSaving);

    /** The same for a folder. */
    static juce::File runFolderChooser (const juce::String& title, const juce::File& startFolder);

    /** An alert with the message and "OK", which returns at once. */
    static void showSummary (const juce::String& title, const juce::String& message);
};
