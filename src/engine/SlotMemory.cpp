#include "engine/SlotMemory.h"

juce::Array<juce::uint8> SlotMemory::recall (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = images.find (slot);
    return found != images.end() ? found->second : juce::Array<juce::uint8>();
}

bool SlotMemory::isKnown (int slot) const
{
    const juce::ScopedLock sl (lock);
    return images.count (slot) > 0;
}

void SlotMemory::remember (int slot, const juce::Array<juce::uint8>& image)
{
    const juce::ScopedLock sl (lock);

    if (image.isEmpty())
        images.erase (slot);
    else
        images[slot] = image;
}

void SlotMemory::forget (int slot)
{
    const juce::ScopedLock sl (lock);
    images.erase (slot);
}

void SlotMemory::forgetAll()
{
    const juce::ScopedLock sl (lock);
    images.clear();
}
