#pragma once

#include <juce_core/juce_core.h>

/** A folder in which no file can be made, for real: marked immutable (as chattr +i does), which
    stops root too; where the file system or the user cannot set that mark, made read-only, which
    stops any user but root. Back to normal when this goes. */
class UnwritableFolder
{
public:
    explicit UnwritableFolder (const juce::File& folder);
    ~UnwritableFolder();

    /** False when neither could be done: the folder stays writable. */
    bool isLocked() const noexcept { return immutable || readOnly; }

    /** The errno that the system gives a new file there. */
    int getExpectedError() const noexcept;

private:
    bool setImmutable (bool on) const;

    const juce::File folder;
    bool immutable = false, readOnly = false;

    JUCE_DECLARE_NON_COPYABLE (UnwritableFolder)
};
