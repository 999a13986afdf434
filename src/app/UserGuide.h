#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Where "Open User Guide" finds the guide: the copy in Quenlo/ZK<keys> Editor/ in the user's
    documents folder, else the copy installed in the documentation folder under the install
    prefix. */
class UserGuide
{
public:
    UserGuide (int numKeys, const juce::String& fileName);

    juce::File getFileInDocuments() const;
    juce::File getInstalledFile() const;

    /** The first of the two that exists, else no file. */
    static juce::File find (const juce::File& inDocuments, const juce::File& installed);

    /** Opens the guide with the desktop's viewer for the file, or says where it was looked for. */
    void show() const;

private:
    const int numKeys;
    const juce::String fileName;
};
