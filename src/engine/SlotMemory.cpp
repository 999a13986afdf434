#include "engine/SlotMemory.h"

SlotMemory::Known SlotMemory::lookUp (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = slots.find (slot);
    return found != slots.end() ? found->second : Known();
}

juce::Array<juce::uint8> SlotMemory::recall (int slot) const { return lookUp (slot).image; }

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

juce::Array<juce::uint8> SlotMemory::recallName (int slot) const { return lookUp (slot).name; }

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

juce::Time SlotMemory::getWhenSeen (int slot) const { return lookUp (slot).seen; }

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
