#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/** Replaces the content of a file as a whole or not at all.

    The new bytes go into a temporary file beside the target. Only when every write went through,
    the stream reports no error, the temporary file holds exactly the bytes written and has been
    synced to the disk is it renamed over the target; the rename replaces the old content in one
    step. On any failure (a full disk, a quota, a file-size limit, a folder that cannot be written)
    the temporary file is removed and the target keeps its old content byte for byte.

    A symbolic link as target is followed: the file it points to is replaced, the link stays.
    A read-only target is refused rather than replaced; otherwise the new file gets the old one's
    permissions. One object writes one file once, from one thread. */
class SafeFileWriter
{
public:
    //==============================================================================
    explicit SafeFileWriter (const juce::File& target);

    /** Removes the temporary file unless commit succeeded: an unfinished write changes nothing. */
    ~SafeFileWriter();

    //==============================================================================
    /** Appends bytes to the new content; false once anything has failed. */
    bool write (const void* data, size_t numBytes);

    /** Checks and syncs what was written and moves it over the target. True when the target now
        holds exactly the bytes written; false when it was left as it was. */
    bool commit();

    /** Why the writer failed, naming the step; ok while nothing has failed. */
    const juce::Result& getResult() const noexcept { return result; }

    //==============================================================================
    /** Writes the bytes as the target's whole new content; true when the target now holds exactly
        them, false when it was left as it was. */
    static bool replaceWithData (const juce::File& target, const void* data, size_t numBytes);

    /** Whether a file could be written here, without writing anything: its folder exists and can be
        written, and it is not a folder or a read-only file. The failure names the file or folder, so
        that a long job can check where its result goes before it starts. */
    static juce::Result checkTarget (const juce::File& target);

private:
    //==============================================================================
    bool fail (const juce::String& step);
    void removeTemporary();

    //==============================================================================
    juce::File target;
    juce::File temporary;
    std::unique_ptr<juce::FileOutputStream> stream;
    juce::int64 bytesWritten = 0;
    juce::Result result = juce::Result::ok();
    bool finished = false;

    JUCE_DECLARE_NON_COPYABLE (SafeFileWriter)
};
