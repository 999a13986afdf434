#pragma once

#include "engine/PresetFileCodec.h"

#include <functional>
#include <juce_core/juce_core.h>
#include <map>
#include <memory>
#include <vector>

/** The preset files of one folder (not its subfolders), each with the preset's name, its file
    name and its modification time, for a list that follows the folder as files come and go. A file
    with the preset extension that does not hold a preset is listed too, flagged, so that the user
    sees why it does not open rather than wonder where it went. Reads only the files that are new or
    changed since the last scan, and never more of a file than a preset file can hold.

    One thread at a time uses a list: a scan of a crowded folder takes seconds, so a window scans
    on a thread of its own and hands the shared entries over. */
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

    using Entries = std::vector<Entry>;

    /** Asked before each file and each step of the sort: true stops the scan. */
    using ShouldStop = std::function<bool()>;

    //==============================================================================
    /** A list of that folder, empty until the first rescan. */
    explicit PresetFolder (const juce::File& folder = {}, const PresetFileCodec& codec = PresetFileCodec::forZKM());
    ~PresetFolder();

    /** Lists another folder from now on: the old entries go, the next rescan reads the new folder. */
    void setFolder (const juce::File& newFolder);
    const juce::File& getFolder() const noexcept { return folder; }

    //==============================================================================
    /** Reads the files that are new or changed (by size or modification time) since the last scan
        and drops those that are gone; true when the entries changed. A folder that does not exist
        (or no longer exists) simply lists nothing. A scan that is stopped returns false and leaves
        the entries as they were. */
    bool rescan (const ShouldStop& shouldStop = {});

    /** Rescans only when the folder may have changed since the last scan that ran to its end: a
        file in it was made, written, renamed, removed or had its times changed, or the folder
        itself came, went or was replaced. The system tells of these as they happen, so a folder
        that stays as it was costs one look at the folder's own entry; where it cannot watch the
        folder, every call rescans. True when the entries changed. */
    bool rescanIfChanged (const ShouldStop& shouldStop = {});

    /** The entries, sorted by name then by file name. */
    const Entries& getEntries() const noexcept { return *entries; }

    /** The same entries, to be kept by another thread: a rescan never changes them but makes a new
        list when something changed. */
    std::shared_ptr<const Entries> getSharedEntries() const noexcept { return entries; }

    /** The entries whose name or file name contains the text, ignoring case, in the same order;
        all of them when the text is empty. */
    Entries filter (const juce::String& text) const { return filter (*entries, text); }
    static Entries filter (const Entries& entries, const juce::String& text);

    /** The extension of preset files, matched ignoring case. */
    static constexpr const char* fileExtension = ".zkp";

private:
    //==============================================================================
    class Watch;

    enum class ScanResult
    {
        unchanged,
        changed,
        stopped
    };

    ScanResult scan (const ShouldStop& shouldStop);
    Entry readEntry (const juce::File& file, juce::int64 size, juce::Time modified) const;
    bool sortEntries (const std::map<juce::String, Entry>& byPath, const ShouldStop& shouldStop);

    juce::File folder;
    PresetFileCodec codec;
    std::map<juce::String, Entry> entriesByPath;
    std::shared_ptr<const Entries> entries;
    std::unique_ptr<Watch> watch;

    /** Set when the watch tells of a change, cleared only when a scan runs to its end, so that a
        stopped scan is taken up again by the next call. */
    bool changeSeen = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetFolder)
};
