#include "engine/SafeFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#if ! JUCE_WINDOWS
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{
/** The file that is really replaced: the end of a chain of symbolic links, so that the link stays. */
juce::File resolveLinks (const juce::File& file)
{
    constexpr int maximumLinks = 32;
    auto resolved = file;

    for (int i = 0; i < maximumLinks && resolved.isSymbolicLink(); ++i)
        resolved = resolved.getLinkedTarget();

    return resolved;
}

/** A hidden name beside the target that no other writer uses. */
juce::File createTemporaryName (const juce::File& target)
{
    return target.getSiblingFile ("." + target.getFileName() + ".tmp-" + juce::Uuid().toString());
}

/** Makes the rename itself durable: on POSIX systems a new directory entry reaches the disk only
    when the directory is synced. Failing here does not undo the rename, so it is not reported. */
void syncDirectory (const juce::File& folder)
{
#if ! JUCE_WINDOWS
    const auto descriptor = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY);

    if (descriptor >= 0)
    {
        ::fsync (descriptor);
        ::close (descriptor);
    }
#else
    juce::ignoreUnused (folder);
#endif
}

#if ! JUCE_WINDOWS
constexpr mode_t anyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t permissionBits = 07777;
#endif

/** Whether the user marked the file read-only, or it is not this user's to write. A rename would
    replace it all the same, as the folder decides that, so the file's own permission is asked
    here: the mode bits count even for root, for whom access() allows everything. */
bool isReadOnly (const juce::File& file)
{
#if ! JUCE_WINDOWS
    struct stat status;

    if (::stat (file.getFullPathName().toRawUTF8(), &status) != 0)
        return false;

    return (status.st_mode & anyWriteBit) == 0 || ::access (file.getFullPathName().toRawUTF8(), W_OK) != 0;
#else
    return ! file.hasWriteAccess();
#endif
}

/** Gives the new file the permissions of the one it replaces, so that a private file stays private
    and a shared one shared. A new file keeps the permissions it was made with. */
bool copyPermissions (const juce::File& from, const juce::File& to)
{
#if ! JUCE_WINDOWS
    struct stat status;

    if (::stat (from.getFullPathName().toRawUTF8(), &status) != 0)
        return true;

    return ::chmod (to.getFullPathName().toRawUTF8(), status.st_mode & permissionBits) == 0;
#else
    juce::ignoreUnused (from, to);
    return true;
#endif
}

/** Moves the temporary file over the target in one step. */
bool moveOver (const juce::File& temporary, const juce::File& target)
{
#if JUCE_WINDOWS
    return temporary.replaceFileIn (target);
#else
    // rename replaces an existing target atomically; JUCE's own move falls back to copying into
    // the target when the rename fails, which could leave it half written.
    return std::rename (temporary.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) == 0;
#endif
}
} // namespace

//==============================================================================
SafeFileWriter::SafeFileWriter (const juce::File& targetToReplace)
    : target (resolveLinks (targetToReplace))
    , temporary (createTemporaryName (target))
{
    const auto checked = checkTarget (target);

    if (checked.failed())
    {
        result = checked;
        return;
    }

    stream = std::make_unique<juce::FileOutputStream> (temporary);

    if (stream->failedToOpen())
        fail ("cannot create a file in " + target.getParentDirectory().getFullPathName() + ": "
              + stream->getStatus().getErrorMessage());
    else if (stream->getPosition() != 0)
        fail ("temporary file " + temporary.getFullPathName() + " exists already");
}

SafeFileWriter::~SafeFileWriter()
{
    if (! finished)
        removeTemporary();
}

//==============================================================================
bool SafeFileWriter::write (const void* data, size_t numBytes)
{
    if (result.failed() || finished)
        return false;

    if (numBytes == 0)
        return true;

    if (! stream->write (data, numBytes) || stream->getStatus().failed())
        return fail ("write failed: " + stream->getStatus().getErrorMessage());

    bytesWritten += (juce::int64) numBytes;
    return true;
}

bool SafeFileWriter::commit()
{
    if (result.failed() || finished)
        return false;

    // flush writes what the stream still buffers and syncs the file to the disk; a short write in
    // the flush sets no error status, which is why the size on disk is checked as well.
    stream->flush();

    if (stream->getStatus().failed())
        return fail ("writing to the disk failed: " + stream->getStatus().getErrorMessage());

    stream.reset();

    if (temporary.getSize() != bytesWritten)
        return fail ("only " + juce::String (temporary.getSize()) + " of " + juce::String (bytesWritten)
                     + " bytes reached the disk");

    if (! copyPermissions (target, temporary))
        return fail ("cannot give the new file the permissions of the old one: "
                     + juce::String (std::strerror (errno)));

    if (! moveOver (temporary, target))
        return fail ("cannot replace it: " + juce::String (std::strerror (errno)));

    finished = true;
    syncDirectory (target.getParentDirectory());
    return true;
}

bool SafeFileWriter::replaceWithData (const juce::File& target, const void* data, size_t numBytes)
{
    SafeFileWriter writer (target);
    return writer.write (data, numBytes) && writer.commit();
}

juce::Result SafeFileWriter::checkTarget (const juce::File& targetToReplace)
{
    const auto file = resolveLinks (targetToReplace);
    const auto folder = file.getParentDirectory();
    const auto problem = [&file] (const juce::String& step)
    { return juce::Result::fail (file.getFullPathName() + ": " + step); };

    if (file.isDirectory())
        return problem ("is a folder");

    if (! folder.isDirectory())
        return problem ("the folder " + folder.getFullPathName() + " does not exist");

    if (! folder.hasWriteAccess())
        return problem ("the folder " + folder.getFullPathName() + " cannot be written");

    if (file.existsAsFile() && isReadOnly (file))
        return problem ("is read-only");

    return juce::Result::ok();
}

//==============================================================================
bool SafeFileWriter::fail (const juce::String& step)
{
    result = juce::Result::fail (target.getFullPathName() + ": " + step);
    removeTemporary();
    return false;
}

void SafeFileWriter::removeTemporary()
{
    stream.reset();
    temporary.deleteFile();
}
