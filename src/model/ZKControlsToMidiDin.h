#pragma once

#include "model/LayoutControl.h"

/** One on/off flag per control group: whether that group's messages are also sent to the DIN MIDI
    output. Flags are whole bytes, not bits. */
class ZKControlsToMidiDin : public LayoutControl
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = PresetLayout::getBlockLength (MidiToDin);

    explicit ZKControlsToMidiDin (int offset)
        : LayoutControl (MidiToDin, offset)
    {
    }
};
