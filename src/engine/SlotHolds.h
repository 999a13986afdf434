#pragma once

#include <juce_core/juce_core.h>

#include <map>

/** Which slots of the controller a Live Edit holds, one per MidiManager. A live slot is written
    byte by byte from what the editor last confirmed in it, so any other write into it (another
    window's Send, a restore, a rename, copy or swap) would be overwritten by the next live step,
    or would leave Live Edit writing from a content that is no longer there: before such a write
    is queued, the holder lets go of the slot and tells its user why. Any thread; a holder is told
    on the thread that queues the other write (the message thread in the editor). */
class SlotHolds
{
public:
    /** Holds a slot, and is told when another write comes for it. */
    class Holder
    {
    public:
        virtual ~Holder() = default;

        /** Another write is about to be queued for the held slot (0 to 23): the holder has already
            been let go of it, and stops writing into it. whatWrites says in words what writes
            ("a Send from window "Lead""); writer is the engine that queues it, to tell a window's
            own writes from those of others. */
        virtual void slotTakenOver (int slot, const juce::String& whatWrites, const void* writer) = 0;
    };

    /** The holder holds that slot from now on, and no other; a slot held by another holder is
        taken from it without telling it (only one Live Edit can hold a slot). */
    void hold (int slot, Holder& holder);

    /** The holder holds no slot any more. */
    void release (Holder& holder);

    /** The holder of that slot; nullptr when no one holds it. */
    Holder* getHolder (int slot) const;

    /** Before another write into that slot: its holder, if any, lets go and is told. */
    void takeOver (int slot, const juce::String& whatWrites, const void* writer);

private:
    mutable juce::CriticalSection lock;
    std::map<int, Holder*> holders;
};
