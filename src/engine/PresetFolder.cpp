#include "engine/PresetFolder.h"

#include "model/PresetNameText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
/** The entries sorted between two looks at whether to stop: a few milliseconds of comparisons. */
constexpr size_t sortRunLength = 2048;

bool comesBefore (const PresetFolder::Entry& a, const PresetFolder::Entry& b)
{
    if (const auto byName = a.name.compareNatural (b.name); byName != 0)
        return byName < 0;

    return a.fileName.compareNatural (b.fileName) < 0;
}

bool hasPresetExtension (const char* name)
{
    const auto length = std::strlen (name);
    const auto extensionLength = std::strlen (PresetFolder::fileExtension);
    return length >= extensionLength
           && ::strcasecmp (name + length - extensionLength, PresetFolder::fileExtension) == 0;
}
} // namespace

//==============================================================================
/** Tells whether the folder may have changed since it last asked: the system queues an event for
    each file of the folder that is made, written, renamed, removed or has its times changed, and
    for the folder itself going. The watch follows the folder it was put on, not its path, so the
    path is looked at too: a folder moved, replaced or whose parent was renamed is watched anew. */
class PresetFolder::Watch
{
public:
    Watch()
        : notifyHandle (::inotify_init1 (IN_NONBLOCK | IN_CLOEXEC))
    {
    }

    ~Watch()
    {
        if (notifyHandle >= 0)
            ::close (notifyHandle);
    }

    /** True when the folder may have changed since the last call, or cannot be watched. */
    bool mayHaveChanged (const juce::File& folder)
    {
        // Without the system's events (none left for this user), every look is a scan.
        if (notifyHandle < 0)
            return true;

        const auto path = folder.getFullPathName();
        struct stat info
        {
        };
        const auto exists = ::stat (path.toRawUTF8(), &info) == 0 && S_ISDIR (info.st_mode);

        if (watchHandle >= 0 && ! (exists && info.st_dev == watchedDevice && info.st_ino == watchedInode))
            stopWatching();

        if (watchHandle >= 0)
            return readEvents();

        // A folder that is not there is scanned at every look, which costs that one look and lists
        // nothing. One that is there is watched before the scan this call asks for, so that what
        // changes during the scan is told at the next look.
        if (exists)
        {
            watchHandle = ::inotify_add_watch (notifyHandle, path.toRawUTF8(), eventMask);
            watchedDevice = info.st_dev;
            watchedInode = info.st_ino;
        }

        return true;
    }

    void stopWatching()
    {
        if (watchHandle >= 0)
            ::inotify_rm_watch (notifyHandle, watchHandle);

        watchHandle = -1;
    }

private:
    /** Reads every event queued: true when one may concern a preset file or the folder itself. */
    bool readEvents()
    {
        bool changed = false;
        alignas (inotify_event) char buffer[16384];

        for (;;)
        {
            const auto length = ::read (notifyHandle, buffer, sizeof (buffer));

            if (length < 0 && errno == EINTR)
                continue;

            // An error other than an empty queue leaves the folder's state unknown: it is scanned.
            if (length <= 0)
                return changed || errno != EAGAIN;

            for (auto offset = (ssize_t) 0; offset < length;)
            {
                const auto* event = reinterpret_cast<const inotify_event*> (buffer + offset);
                offset += (ssize_t) (sizeof (inotify_event) + event->len);

                // Events were lost: anything may have happened.
                if ((event->mask & IN_Q_OVERFLOW) != 0)
                    changed = true;

                if (event->wd != watchHandle)
                    continue;

                // The system ended the watch (the folder was removed or its file system unmounted).
                if ((event->mask & IN_IGNORED) != 0)
                {
                    watchHandle = -1;
                    changed = true;
                }

                // An event without a name is of the folder itself; one of another kind of file
                // cannot change the list.
                if (event->len == 0 || hasPresetExtension (event->name))
                    changed = true;
            }
        }
    }

    static constexpr juce::uint32 eventMask = IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_DELETE_SELF
                                              | IN_MODIFY | IN_MOVE_SELF | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

    const int notifyHandle;
    int watchHandle = -1;
    dev_t watchedDevice = 0;
    ino_t watchedInode = 0;
};

//==============================================================================
PresetFolder::PresetFolder (const juce::File& folderToList, const PresetFileCodec& codecToUse)
    : folder (folderToList)
    , codec (codecToUse)
    , entries (std::make_shared<const Entries>())
    , watch (std::make_unique<Watch>())
{
}

PresetFolder::~PresetFolder() = default;

void PresetFolder::setFolder (const juce::File& newFolder)
{
    if (newFolder == folder)
        return;

    folder = newFolder;
    entriesByPath.clear();
    entries = std::make_shared<const Entries>();
    watch->stopWatching();
    changeSeen = true;
}

//==============================================================================
bool PresetFolder::rescan (const ShouldStop& shouldStop)
{
    // The watch is brought up to date too: a later rescanIfChanged begins from this scan.
    watch->mayHaveChanged (folder);
    const auto result = scan (shouldStop);
    changeSeen = result == ScanResult::stopped;
    return result == ScanResult::changed;
}

bool PresetFolder::rescanIfChanged (const ShouldStop& shouldStop)
{
    if (watch->mayHaveChanged (folder))
        changeSeen = true;

    if (! changeSeen)
        return false;

    const auto result = scan (shouldStop);
    changeSeen = result == ScanResult::stopped;
    return result == ScanResult::changed;
}

PresetFolder::Entries PresetFolder::filter (const Entries& entries, const juce::String& text)
{
    if (text.isEmpty())
        return entries;

    Entries matches;

    for (const auto& entry : entries)
        if (entry.name.containsIgnoreCase (text) || entry.fileName.containsIgnoreCase (text))
            matches.push_back (entry);

    return matches;
}

//==============================================================================
PresetFolder::ScanResult PresetFolder::scan (const ShouldStop& shouldStop)
{
    const auto stopNow = [&shouldStop] { return shouldStop != nullptr && shouldStop(); };
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
            if (stopNow())
                return ScanResult::stopped;

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

    if (! changed)
        return ScanResult::unchanged;

    if (! sortEntries (found, shouldStop))
        return ScanResult::stopped;

    entriesByPath.swap (found);
    return ScanResult::changed;
}

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

bool PresetFolder::sortEntries (const std::map<juce::String, Entry>& byPath, const ShouldStop& shouldStop)
{
    const auto stopNow = [&shouldStop] { return shouldStop != nullptr && shouldStop(); };
    Entries sorted;
    sorted.reserve (byPath.size());

    for (const auto& pair : byPath)
        sorted.push_back (pair.second);

    // A merge sort of runs, so that a scan told to stop does so within one run or one merge rather
    // than after sorting a crowded folder whole. Both steps keep the order of equal entries.
    const auto count = sorted.size();
    const auto at = [&sorted] (size_t index) { return sorted.begin() + (std::ptrdiff_t) index; };

    for (size_t start = 0; start < count; start += sortRunLength)
    {
        if (stopNow())
            return false;

        std::stable_sort (at (start), at (std::min (start + sortRunLength, count)), comesBefore);
    }

    for (auto width = sortRunLength; width < count; width *= 2)
    {
        for (size_t start = 0; start + width < count; start += 2 * width)
        {
            if (stopNow())
                return false;

            std::inplace_merge (at (start), at (start + width), at (std::min (start + 2 * width, count)), comesBefore);
        }
    }

    entries = std::make_shared<const Entries> (std::move (sorted));
    return true;
}
