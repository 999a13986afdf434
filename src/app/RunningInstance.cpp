#include "app/RunningInstance.h"

#include "engine/DeviceSettings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr juce::uint32 frameMagic = 0x6f4d4b5a; // "ZKMo", little-endian on the wire
constexpr int headerBytes = 8;                  // the magic number and the payload length
constexpr int pollMs = 100;                     // how soon the listener sees a quit or its end
constexpr int frameTimeoutMs = 1000;            // a frame is written whole: its rest is there at once
constexpr int writeTimeoutMs = 2000;
constexpr int handOverTimeoutMs = 10000; // for an editor that is starting or quitting
constexpr int retryMs = 50;
constexpr int stopTimeoutMs = 2000;
} // namespace

//==============================================================================
RunningInstance::RunningInstance (WindowOpener opener, juce::File folderToUse)
    : juce::Thread ("Running instance")
    , openNewWindow (std::move (opener))
    , folder (std::move (folderToUse))
    , pipePath (folder.getChildFile (getInstanceName()).getFullPathName())
{
    // Made here, on the message thread, so that the listener only ever copies it.
    self = this;
}

RunningInstance::~RunningInstance()
{
    stopThread (stopTimeoutMs);
    closePipe();
    unlock();
    masterReference.clear();
}

//==============================================================================
bool RunningInstance::claim (const juce::String& commandLine, const juce::File& workingFolder)
{
    // Without a private place to meet in, this start runs on its own rather than listen where
    // others could hand it files.
    if (! makePrivateFolder())
        return true;

    const auto file = getNamedFile (commandLine, workingFolder);
    const auto giveUpAt = juce::Time::getMillisecondCounter() + (juce::uint32) handOverTimeoutMs;

    for (;;)
    {
        if (tryLock())
        {
            listening = openPipe();

            if (listening)
                startThread();

            return true;
        }

        if (file == juce::File() || handOver (folder, { file.getFullPathName() }))
            return false;

        // An editor that never listens (or takes too long to quit) does not lose the user's file:
        // this start opens it on its own.
        if (juce::Time::getMillisecondCounter() >= giveUpAt)
            return true;

        juce::Thread::sleep (retryMs);
    }
}

EditorWindow* RunningInstance::openInNewWindow (const juce::File& file) { return openNewWindow (file); }

//==============================================================================
juce::File RunningInstance::getNamedFile (const juce::String& commandLine, const juce::File& workingFolder)
{
    const auto trimmed = commandLine.trim();

    if (trimmed.isEmpty() || trimmed.startsWithChar ('-'))
        return {};

    // A relative path names a file in the folder the program was started from.
    return workingFolder.getChildFile (commandLine.unquoted());
}

bool RunningInstance::handOver (const juce::File& folder, const juce::StringArray& paths)
{
    juce::MemoryOutputStream payload;

    for (const auto& path : paths)
    {
        if (payload.getDataSize() > 0)
            payload.writeByte (0);

        payload.write (path.toRawUTF8(), path.getNumBytesAsUTF8());
    }

    if (paths.isEmpty() || paths.size() > maxPathsPerMessage
        || payload.getDataSize() > (size_t) (maxFrameBytes - headerBytes))
        return false;

    juce::MemoryOutputStream frame;
    frame.writeInt ((int) frameMagic);
    frame.writeInt ((int) payload.getDataSize());
    frame << payload;

    juce::NamedPipe pipe;

    if (! pipe.openExisting (folder.getChildFile (getInstanceName()).getFullPathName()))
        return false;

    // One write of at most a pipe's atomic size: frames of two starts at once never mix.
    return pipe.write (frame.getData(), (int) frame.getDataSize(), writeTimeoutMs) == (int) frame.getDataSize();
}

juce::File RunningInstance::getDefaultFolder()
{
    const auto runtime = juce::SystemStats::getEnvironmentVariable ("XDG_RUNTIME_DIR", {});

    if (runtime.startsWithChar ('/') && juce::File (runtime).isDirectory())
        return juce::File (runtime).getChildFile ("zkm-editor");

    return DeviceSettings::getDefaultFile().getParentDirectory().getChildFile ("run");
}

//==============================================================================
void RunningInstance::run()
{
    while (! threadShouldExit())
    {
        // A quitting editor stops listening at once: a later start then waits to take its place
        // rather than hand it files it would never open.
        auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

        if (messageManager == nullptr || messageManager->hasStopMessageBeenSent())
            break;

        juce::String refusal;

        if (! readFrame (refusal))
        {
            // What is left may begin anywhere in a frame: a fresh pipe starts clean.
            closePipe();

            if (! openPipe())
                break;
        }

        if (refusal.isNotEmpty())
            refuse (refusal);
    }

    closePipe();
    unlock();
    listening = false;
}

bool RunningInstance::readFrame (juce::String& refusal)
{
    juce::uint8 header[headerBytes];

    if (pipe.read (header, 1, pollMs) != 1)
        return true; // nothing came

    if (pipe.read (header + 1, headerBytes - 1, frameTimeoutMs) != headerBytes - 1)
    {
        refusal = "an incomplete header";
        return false;
    }

    // The size is checked before anything is kept: a frame larger than a pipe's atomic write
    // never comes from a start of the editor.
    const auto length = juce::ByteOrder::littleEndianInt (header + 4);

    if (juce::ByteOrder::littleEndianInt (header) != frameMagic)
        refusal = "not a message of the editor";
    else if (length == 0 || length > (juce::uint32) (maxFrameBytes - headerBytes))
        refusal = "a size of " + juce::String (length) + " bytes";

    if (refusal.isNotEmpty())
        return false;

    juce::MemoryBlock payload (length);

    if (pipe.read (payload.getData(), (int) length, frameTimeoutMs) != (int) length)
    {
        refusal = "an incomplete message";
        return false;
    }

    const auto paths = parsePaths (payload, refusal);

    if (refusal.isEmpty())
        deliver (paths);

    return true;
}

void RunningInstance::refuse (const juce::String& reason)
{
    juce::Logger::outputDebugString ("Ignored a message from another start of the editor: " + reason);

    juce::MessageManager::callAsync (
        [instance = self, reason]
        {
            if (auto* running = instance.get())
                if (running->onMessageRefused != nullptr)
                    running->onMessageRefused (reason);
        });
}

void RunningInstance::deliver (const juce::StringArray& paths)
{
    // The windows belong to the message thread; the instance may be gone when the call comes.
    juce::MessageManager::callAsync (
        [instance = self, paths]
        {
            for (const auto& path : paths)
                if (auto* running = instance.get())
                    running->openInNewWindow (juce::File (path));
        });
}

juce::StringArray RunningInstance::parsePaths (const juce::MemoryBlock& payload, juce::String& reason)
{
    const auto* text = static_cast<const char*> (payload.getData());
    const auto size = payload.getSize();
    juce::StringArray paths;
    size_t start = 0;

    for (size_t end = 0; end <= size; ++end)
    {
        if (end < size && text[end] != 0)
            continue;

        const auto length = (int) (end - start);

        if (! juce::CharPointer_UTF8::isValidString (text + start, length))
            reason = "text that is not UTF-8";
        else if (! juce::String::fromUTF8 (text + start, length).startsWithChar ('/'))
            reason = "a path that is not absolute";
        else if (paths.size() == maxPathsPerMessage)
            reason = "more than " + juce::String (maxPathsPerMessage) + " paths";

        if (reason.isNotEmpty())
            return {};

        paths.add (juce::String::fromUTF8 (text + start, length));
        start = end + 1;
    }

    return paths;
}

//==============================================================================
bool RunningInstance::makePrivateFolder() const
{
    if (folder.createDirectory().failed())
        return false;

    // The folder is opened without following a link in its place, and its mode is changed through
    // that descriptor: a link planted where the folder should be never has its target's mode
    // changed, and a folder swapped in after the check is not the one that is made private.
    const auto handle = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);

    if (handle < 0)
        return false;

    struct stat info
    {
    };

    const auto isPrivate = ::fstat (handle, &info) == 0 && S_ISDIR (info.st_mode) && info.st_uid == ::getuid()
                           && ::fchmod (handle, S_IRWXU) == 0 && ::fstat (handle, &info) == 0
                           && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
    ::close (handle);
    return isPrivate;
}

bool RunningInstance::tryLock()
{
    const auto lockPath = folder.getChildFile (getInstanceName() + ".lock").getFullPathName();
    const auto handle = ::open (lockPath.toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);

    if (handle < 0)
        return false;

    // The lock goes with the process that holds it, however that process ends.
    if (::flock (handle, LOCK_EX | LOCK_NB) != 0)
    {
        ::close (handle);
        return false;
    }

    lockHandle = handle;
    return true;
}

void RunningInstance::unlock()
{
    if (lockHandle >= 0)
        ::close (lockHandle);

    lockHandle = -1;
}

bool RunningInstance::openPipe()
{
    // Whoever holds the lock owns the pipe: one found now was left by an editor that crashed.
    juce::File (pipePath + "_in").deleteFile();
    juce::File (pipePath + "_out").deleteFile();
    return pipe.createNewPipe (pipePath, true);
}

void RunningInstance::closePipe() { pipe.close(); }

juce::String RunningInstance::getInstanceName()
{
    // One editor per display: a file opened on one display opens there, not on another.
    auto display = juce::SystemStats::getEnvironmentVariable ("DISPLAY", {});

    if (display.isEmpty())
        display = juce::SystemStats::getEnvironmentVariable ("WAYLAND_DISPLAY", {});

    const auto suffix = juce::File::createLegalFileName (display).replaceCharacter (' ', '_');
    return suffix.isEmpty() ? juce::String ("instance") : "instance-" + suffix;
}
