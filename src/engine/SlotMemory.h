#pragma once

#include <juce_core/juce_core.h>

#include <map>

/** What each slot of the controller holds, as far as this run of the program has seen: the image
    last read from a slot, or written into it and read back, and the 16 bytes of its name, which a
    name read or a rename alone may tell. A Send that knows a slot writes only the bytes that
    differ. Nothing is kept across runs, since the controller may have been edited meanwhile; what
    could have changed a slot unseen (another device, a failed or cancelled write) forgets it.
    Any thread. */
class SlotMemory
{
public:
    /** How many bytes of an image are the preset's name. */
    static constexpr int nameLength = 16;

    /** The image known for that slot; empty when it is not known. */
    juce::Array<juce::uint8> recall (int slot) const;

    bool isKnown (int slot) const;

    /** The image read from a slot or confirmed in it; its name is known with it. An empty image
        forgets the slot. */
    void remember (int slot, const juce::Array<juce::uint8>& image);

    /** The 16 name bytes known for that slot; empty when they are not known. */
    juce::Array<juce::uint8> recallName (int slot) const;

    /** The name read from a slot or confirmed in it. A name that differs from the known image's
        means that the slot was changed unseen: the image is forgotten, the name kept. */
    void rememberName (int slot, const juce::Array<juce::uint8>& nameBytes);

    /** When the slot was last read, or written and confirmed; juce::Time() when it is not known. */
    juce::Time getWhenSeen (int slot) const;

    /** Forgets the image, the name and when the slot was seen. */
    void forget (int slot);
    void forgetAll();

private:
    struct Known
    {
        juce::Array<juce::uint8> image, name;
        juce::Time seen;
    };

    /** A copy of what is known for that slot, taken under the lock; all empty when nothing is. */
    Known lookUp (int slot) const;

    mutable juce::CriticalSection lock;
    std::map<int, Known> slots;
};
