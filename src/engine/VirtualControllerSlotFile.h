#pragma once

#include <juce_core/juce_core.h>

#include <vector>

/** The file in which the virtual controller keeps its slots: 24 x 465 bytes, slot 0 first.

    While a controller uses the file, it holds the lock of a hidden file beside it
    (".slots.bin.lock"), so that a second controller on the same file, in this program or another,
    never saves its own slots over the first one's. An existing file that is not a slot file, or
    one in use, is left alone: the slots are then kept in memory only, and the standard error output
    says so. */
class VirtualControllerSlotFile
{
public:
    //==============================================================================
    /** No file: the slots are kept in memory only. */
    VirtualControllerSlotFile() = default;

    explicit VirtualControllerSlotFile (const juce::File& file);

    /** Lets the lock go. */
    ~VirtualControllerSlotFile();

    //==============================================================================
    /** Takes the lock and, when the file exists, reads the slots from it; they stay as they are
        for a file that does not exist yet (the first save makes it). False when the file cannot be
        used, which is said on the standard error output. */
    bool open (std::vector<juce::Array<juce::uint8>>& slots);

    /** Replaces the file with these slots as a whole; false when that failed, which is said on the
        standard error output the first time of a run of failures, and handed to firstFailure then
        (getSaveFailureMessage). Saves must not overlap. */
    bool save (const std::vector<juce::Array<juce::uint8>>& slots, juce::String* firstFailure = nullptr);

    /** What a user is told when the slots cannot be saved: "The virtual controller could not save
        its slots to /home/me/slots.bin: the folder /home/me does not exist". */
    static juce::String getSaveFailureMessage (const juce::File& file, const juce::String& reason);

    /** Whether the file was refused because another controller, in this program or another, uses it. */
    bool wasFoundInUse() const noexcept { return foundInUse; }

    /** Whether a controller, in this program or another, uses that slot file now. */
    static bool isInUse (const juce::File& file);

private:
    //==============================================================================
    bool refuse (const juce::String& reason);

    //==============================================================================
    const juce::File file;
    int lockDescriptor = -1; // the descriptor of the open lock file, while the slots are kept in the file
    bool foundInUse = false;
    bool failureReported = false;

    JUCE_DECLARE_NON_COPYABLE (VirtualControllerSlotFile)
};
