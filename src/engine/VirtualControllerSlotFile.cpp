#include "engine/VirtualControllerSlotFile.h"

#include "engine/SafeFileWriter.h"
#include "engine/VirtualController.h"
#include "engine/ZKSysEx.h"

#include <iostream>

#if ! JUCE_WINDOWS
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace
{
constexpr int slotFileSize = VirtualController::numberOfSlots * VirtualController::imageLength;

/** The hidden file beside a slot file whose lock a program holds while it uses the slots. The slot
    file itself cannot carry the lock: every save puts a new file in its place. */
juce::File getLockFile (const juce::File& slotFile)
{
    return slotFile.getSiblingFile ("." + slotFile.getFileName() + ".lock");
}

enum class LockOutcome
{
    locked,
    inUse,
    noLockFile
};

/** Takes the lock of a slot file without waiting; the descriptor holds it until it is closed. A
    lock of flock belongs to the open file, so it also keeps apart two controllers of one program,
    and the system lets it go when a program ends in any way. */
LockOutcome lockSlotFile (const juce::File& slotFile, int& descriptor)
{
    descriptor = -1;

#if ! JUCE_WINDOWS
    descriptor = ::open (getLockFile (slotFile).getFullPathName().toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);

    if (descriptor < 0)
        return LockOutcome::noLockFile;

    if (::flock (descriptor, LOCK_EX | LOCK_NB) == 0)
        return LockOutcome::locked;

    ::close (descriptor);
    descriptor = -1;
    return LockOutcome::inUse;
#else
    juce::ignoreUnused (slotFile);
    return LockOutcome::noLockFile;
#endif
}

void unlockSlotFile (int& descriptor)
{
#if ! JUCE_WINDOWS
    if (descriptor >= 0)
        ::close (descriptor);
#endif

    descriptor = -1;
}

void tellUser (const juce::String& message)
{
    std::cerr << VirtualController::deviceName << ": " << message << std::endl;
}
} // namespace

//==============================================================================
VirtualControllerSlotFile::VirtualControllerSlotFile (const juce::File& fileToUse)
    : file (fileToUse)
{
}

VirtualControllerSlotFile::~VirtualControllerSlotFile() { unlockSlotFile (lockDescriptor); }

bool VirtualControllerSlotFile::isInUse (const juce::File& slotFile)
{
    int descriptor = -1;
    const auto outcome = lockSlotFile (slotFile, descriptor);
    unlockSlotFile (descriptor);
    return outcome == LockOutcome::inUse;
}

//==============================================================================
bool VirtualControllerSlotFile::open (std::vector<juce::Array<juce::uint8>>& slots)
{
    if (file == juce::File())
        return false;

    // Two programs on one file would each save their own slots over the other's. Without a lock
    // file (a folder that cannot be written) the slots cannot be saved anyway, which is said then.
    if (lockSlotFile (file, lockDescriptor) == LockOutcome::inUse)
    {
        foundInUse = true;
        return refuse ("is in use by another program (the editor or zkm)");
    }

    if (! file.exists())
        return true; // made by the first save

    if (file.isDirectory())
        return refuse ("is a folder, not a slot file");

    if (file.getSize() != slotFileSize)
        return refuse ("is not a slot file: it holds " + juce::String (file.getSize()) + " bytes, a slot file "
                       + juce::String (slotFileSize));

    juce::MemoryBlock data;

    if (! file.loadFileAsData (data) || (int) data.getSize() != slotFileSize)
        return refuse ("cannot be read");

    const auto* bytes = static_cast<const juce::uint8*> (data.getData());

    // A byte above 127 could not travel in a reply: such a file is not ours.
    if (! ZKSysEx::areDataBytes (bytes, bytes + slotFileSize))
        return refuse ("is not a slot file: it holds bytes above 127");

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
        slots[(size_t) slot] =
            juce::Array<juce::uint8> (bytes + slot * VirtualController::imageLength, VirtualController::imageLength);

    return true;
}

bool VirtualControllerSlotFile::refuse (const juce::String& reason)
{
    // Whatever else is there may be the user's: it is neither used nor overwritten.
    unlockSlotFile (lockDescriptor);
    tellUser (file.getFullPathName() + " " + reason
              + "; the slots are kept in memory only and the file is left as it is.");
    return false;
}

juce::String VirtualControllerSlotFile::getSaveFailureMessage (const juce::File& slotFile, const juce::String& reason)
{
    return "The virtual controller could not save its slots to " + slotFile.getFullPathName() + ": " + reason;
}

bool VirtualControllerSlotFile::save (const std::vector<juce::Array<juce::uint8>>& slots, juce::String* firstFailure)
{
    juce::MemoryBlock data;

    for (const auto& slot : slots)
        data.append (slot.getRawDataPointer(), (size_t) slot.size());

    SafeFileWriter writer (file);

    if (writer.write (data.getData(), data.getSize()) && writer.commit())
    {
        failureReported = false;
        return true;
    }

    if (! failureReported)
    {
        // The writer names the file first; the message names it once.
        auto reason = writer.getResult().getErrorMessage();
        const auto prefix = file.getFullPathName() + ": ";

        if (reason.startsWith (prefix))
            reason = reason.substring (prefix.length());

        const auto message = getSaveFailureMessage (file, reason);
        std::cerr << message << "; trying again every " << VirtualController::saveRetryDelayMs << " ms." << std::endl;

        if (firstFailure != nullptr)
            *firstFailure = message;
    }

    failureReported = true;
    return false;
}
