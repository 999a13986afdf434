#pragma once

#include <juce_core/juce_core.h>

#include <map>

/** What each slot of the controller holds, as far as this run of the program has seen: the image
    last read from a slot, or written into it and read back. A Send that knows a slot writes only
    the bytes that differ. Nothing is kept across runs, since the controller may have been edited
    meanwhile; what could have changed a slot unseen (another device, a failed or cancelled write)
    forgets it. Any thread. */
class SlotMemory
{
public:
    /** The image known for that slot; empty when it is not known. */
    juce::Array<juce::uint8> recall (int slot) const;

    bool isKnown (int slot) const;

    void remember (int slot, const juce::Array<juce::uint8>& image);

    void forget (int slot);
    void forgetAll();

private:
    mutable juce::CriticalSection lock;
    std::map<int, juce::Array<juce::uint8>> images;
};
