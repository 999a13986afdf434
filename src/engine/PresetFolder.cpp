#include "engine/PresetFolder.h"

#include "model/PresetNameText.h"

#include <algorithm>

PresetFolder::PresetFolder (const juce::File& folderToList, const PresetFileCodec& codecToUse)
    : folder (folderToList)
    , codec (codecToUse)
{
}

void PresetFolder::setFolder (const juce::File& newFolder)
{
    if (newFolder == folder)
        return;

    folder = newFolder;
    entriesByPath.clear();
    entries.clear();
}

//==============================================================================
bool PresetFolder::rescan()
{
    std::map<juce::String, Entry> found;
    bool changed = false;

    // A folder that has vanished yields no entries, so everything it held is dropped below.
    if (folder.isDirectory())
    {
        // Hidden files are the leftovers of other programs (resource forks, half-written copies).
        const auto kinds = juce::File::findFiles | juce::File::ignoreHiddenFiles;

        // The wildcard is matched before a file is looked at, and ignoring case ("PAD.ZKP" is listed);
        // the other files of a crowded folder cost no more than their directory entries.
        const auto wildcard = juce::String ("*") + fileExtension;

        for (const auto& item : juce::RangedDirectoryIterator (folder, false, wildcard, kinds))
        {
            const auto& file = item.getFile();

            if (! file.hasFileExtension (fileExtension))
                continue;

            const auto path = file.getFullPathName();
            const auto size = item.getFileSize();
            const auto modified = item.getModificationTime();
            const auto known = entriesByPath.find (path);

            if (known != entriesByPath.end() && known->second.fileSize == size
                && known->second.modificationTime == modified)
            {
                found.emplace (path, known->second);
                continue;
            }

            found.emplace (path, readEntry (file, size, modified));
            changed = true;
        }
    }

    changed = changed || found.size() != entriesByPath.size();
    entriesByPath.swap (found);

    if (changed)
        sortEntries();

    return changed;
}

std::vector<PresetFolder::Entry> PresetFolder::filter (const juce::String& text) const
{
    if (text.isEmpty())
        return entries;

    std::vector<Entry> matches;

    for (const auto& entry : entries)
        if (entry.name.containsIgnoreCase (text) || entry.fileName.containsIgnoreCase (text))
            matches.push_back (entry);

    return matches;
}

//==============================================================================
PresetFolder::Entry PresetFolder::readEntry (const juce::File& file, juce::int64 size, juce::Time modified) const
{
    Entry entry;
    entry.file = file;
    entry.fileName = file.getFileName();
    entry.modificationTime = modified;
    entry.fileSize = size;

    // Only a file of a preset dump's size is opened at all: a huge file, a pipe or a device named
    // like a preset costs nothing but its directory entry.
    if (size != codec.getDumpLength())
        return entry;

    // The codec reads no more than a dump's length, should the file have grown meanwhile, and
    // gives nothing for a file it cannot open.
    const auto image = codec.readPresetFileImage (file);

    if (image.isEmpty())
        return entry;

    entry.name = PresetNameText::toText (image);
    entry.isPresetFile = true;
    return entry;
}

void PresetFolder::sortEntries()
{
    entries.clear();
    entries.reserve (entriesByPath.size());

    for (const auto& pair : entriesByPath)
        entries.push_back (pair.second);

    std::stable_sort (entries.begin(), entries.end(),
                      [] (const Entry& a, const Entry& b)
                      {
                          if (const auto byName = a.name.compareNatural (b.name); byName != 0)
                              return byName < 0;

                          return a.fileName.compareNatural (b.fileName) < 0;
                      });
}
