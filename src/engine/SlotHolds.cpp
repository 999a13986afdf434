#include "engine/SlotHolds.h"

void SlotHolds::hold (int slot, Holder& holder)
{
    const juce::ScopedLock sl (lock);

    for (auto it = holders.begin(); it != holders.end();)
        it = it->second == &holder ? holders.erase (it) : std::next (it);

    holders[slot] = &holder;
}

void SlotHolds::release (Holder& holder)
{
    const juce::ScopedLock sl (lock);

    for (auto it = holders.begin(); it != holders.end();)
        it = it->second == &holder ? holders.erase (it) : std::next (it);
}

SlotHolds::Holder* SlotHolds::getHolder (int slot) const
{
    const juce::ScopedLock sl (lock);
    const auto found = holders.find (slot);
    return found != holders.end() ? found->second : nullptr;
}

void SlotHolds::takeOver (int slot, const juce::String& whatWrites, const void* writer)
{
    Holder* holder = nullptr;

    {
        const juce::ScopedLock sl (lock);
        const auto found = holders.find (slot);

        if (found == holders.end())
            return;

        holder = found->second;
        holders.erase (found);
    }

    // Told outside the lock: the holder may hold another slot or release from here.
    holder->slotTakenOver (slot, whatWrites, writer);
}
