#include "support/UnwritableFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr mode_t readOnlyMode = 0555;
constexpr mode_t writableMode = 0755;
} // namespace

UnwritableFolder::UnwritableFolder (const juce::File& folderToLock)
    : folder (folderToLock)
{
    immutable = setImmutable (true);

    // Root writes into a read-only folder all the same: only the mark stops it.
    if (! immutable && ::geteuid() != 0)
        readOnly = ::chmod (folder.getFullPathName().toRawUTF8(), readOnlyMode) == 0;
}

UnwritableFolder::~UnwritableFolder()
{
    if (immutable)
        setImmutable (false);

    if (readOnly)
        ::chmod (folder.getFullPathName().toRawUTF8(), writableMode);
}

int UnwritableFolder::getExpectedError() const noexcept { return immutable ? EPERM : EACCES; }

bool UnwritableFolder::setImmutable (bool on) const
{
    const auto descriptor = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

    if (descriptor < 0)
        return false;

    int flags = 0;
    auto done = ::ioctl (descriptor, FS_IOC_GETFLAGS, &flags) == 0;

    if (done)
    {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl (descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }

    ::close (descriptor);
    return done;
}
