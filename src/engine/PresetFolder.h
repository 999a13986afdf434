#pragma once

#include "engine/PresetFileCodec.h"

#include <juce_core/juce_core.h>
#include <map>
#include <vector>

/** The preset files of one folder (not its subfolders), each with the preset's name, its file
    name and its modification time, for a list that follows the folder as files come and go. A file
    with the preset extension that does not hold a preset is listed too, flagged, so that the user
    sees why it does not open rather than wonder where it went. Reads only the files that are new or
    changed since the last scan, and never more of a file than a preset file can hold. */
class PresetFolder
{
public:
    struct Entry
    {
        juce::File file;

        /** The preset's name as text; empty for a file that is not a preset file. */
        juce::String name;
        juce::String fileName;
        juce::Time modificationTime;
        juce::int64 fileSize = 0;
        bool isPresetFile = false;
    };

    //==============================================================================
    /** A list of that folder, empty until the first rescan. */
    explicit PresetFolder (const juce::File& folder = {}, const PresetFileCodec& codec = PresetFileCodec::forZKM());

    /** Lists another folder from now on: the old entries go, the next rescan reads the new folder. */
    void setFolder (const juce::File& newFolder);
    const juce::File& getFolder() const noexcept { return folder; }

    //==============================================================================
    /** Reads the files that are new or changed (by size or modification time) since the last scan
        and drops those that are gone; true when the entries changed. A folder that does not exist
        (or no longer exists) simply lists nothing. */
    bool rescan();

    /** The entries, sorted by name then by file name. */
    const std::vector<Entry>& getEntries() const noexcept { return entries; }

    /** The entries whose name or file name contains the text, ignoring case, in the same order;
        all of them when the text is empty. */
    std::vector<Entry> filter (const juce::String& text) const;

    /** The extension of preset files, matched ignoring case. */
    static constexpr const char* fileExtension = ".zkp";

private:
    //==============================================================================
    Entry readEntry (const juce::File& file, juce::int64 size, juce::Time modified) const;
    void sortEntries();

    juce::File folder;
    PresetFileCodec codec;
    std::map<juce::String, Entry> entriesByPath;
    std::vector<Entry> entries;

    JUCE_LEAK_DETECTOR (PresetFolder)
};
