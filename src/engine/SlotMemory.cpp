#include "engine/SlotMemory.h"

juce::Array<juce::uint8> SlotMemory::recall (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = slots.find (slot);
    return found != slots.end() ? found->second.image : juce::Array<juce::uint8>();
}

bool SlotMemory::isKnown (int slot) const { return ! recall (slot).isEmpty(); }

void SlotMemory::remember (int slot, const juce::Array<juce::uint8>& image)
{
    const juce::ScopedLock sl (lock);

    if (image.size() < nameLength)
    {
        slots.erase (slot);
        return;
    }

    auto& known = slots[slot];
    known.image = image;
    known.name = juce::Array<juce::uint8> (image.getRawDataPointer(), nameLength);
    known.seen = juce::Time::getCurrentTime();
}

juce::Array<juce::uint8> SlotMemory::recallName (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = slots.find (slot);
    return found != slots.end() ? found->second.name : juce::Array<juce::uint8>();
}

void SlotMemory::rememberName (int slot, const juce::Array<juce::uint8>& nameBytes)
{
    const juce::ScopedLock sl (lock);

    if (nameBytes.size() != nameLength)
    {
        slots.erase (slot);
        return;
    }

    auto& known = slots[slot];

    if (known.image.size() >= nameLength && known.name != nameBytes)
        known.image.clear();

    known.name = nameBytes;
    known.seen = juce::Time::getCurrentTime();
}

juce::Time SlotMemory::getWhenSeen (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = slots.find (slot);
    return found != slots.end() ? found->second.seen : juce::Time();
}

void SlotMemory::forget (int slot)
{
    const juce::ScopedLock sl (lock);
    slots.erase (slot);
}

void SlotMemory::forgetAll()
{
    const juce::ScopedLock sl (lock);
    slots.clear();
}
