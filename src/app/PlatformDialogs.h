#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The platform's dialogs that answer a document window's replaceable steps unless a caller
    replaces them: the file and folder choosers, the question whether to save changes, and the
    summary at the end of a backup or restore. */
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

    /** Returns at once. */
    static void showSummary (const juce::String& title, const juce::String& message);
};
