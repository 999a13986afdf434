#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Where "Open User Guide" finds the guide: the copy in Quenlo/ZK<keys> Editor/ in the user's
    documents folder, else the copy installed in the documentation folder under the install
    prefix. */
class UserGuide
{
public:
    /** The guide of the model with that many keys, in a file of that name. */
    UserGuide (int numKeys, const juce::String& fileName);

    /** The copy in the documents folder. */
    juce::File getFileInDocuments() const;

    /** The installed copy. */
    juce::File getInstalledFile() const;

    /** The guide to open: the copy in the documents folder when it exists, else the installed copy
        when that exists, else no file. */
    static juce::File find (const juce::File& inDocuments, const juce::File& installed);

    /** Opens the guide with the desktop's viewer for the file, or says where it was looked for. */
    void show() const;

private:
    const int numKeys;
    const juce::String fileName;
};
