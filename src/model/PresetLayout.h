#pragma once

#include "model/PresetLayout.h"

#include <juce_core/juce_core.h>

#include <iterator>

/** The preset image, described once. The blocks of the control types follow one another in image
    order with nothing between them; every control of a type has a block of the same length. Within
    a block, every parameter name addresses one byte, takes the values 0 to its maximum and is shown
    as the stored value plus its display offset; a knob, pad or switch uses a name only in some of
    the values of its "Mode" byte. The controls, the engine and the descriptions of the parameters
    all read the layout from here; it knows nothing of how a parameter is edited. */
/** The key under which the engine keeps its controls. Unscoped, so that it converts to the int that
    the engine's operations take. A new type of control takes the next key, a row in the blocks below
    and its names in the tables of PresetLayout.cpp. */
enum ControlType
{
    PresetName = 0,
    Keybed = 1,
    Transport = 2,
    RollMode = 3,
    Wheels = 4,
    Sustain = 5,
    Switch = 6,
    Knob = 7,
    Pad = 8,
    MidiToDin = 9,
    numControlTypes
};

namespace PresetLayout
{
//==============================================================================
/** The controls of one type: their number and the length of each one's block. */
struct Block
{
    ControlType type;
    int blockLength;
    int count;
};

/** The blocks in image order. */
inline constexpr Block blocks[] = { { PresetName, 16, 1 }, { Keybed, 14, 1 },   { RollMode, 4, 1 }, { Transport, 2, 6 },
                                    { Wheels, 5, 1 },      { Sustain, 4, 1 },   { Knob, 5, 16 },    { Pad, 5, 16 },
                                    { Switch, 5, 48 },     { MidiToDin, 10, 1 } };

static_assert (std::size (blocks) == numControlTypes, "one block per control type");

constexpr const Block& getBlock (ControlType type)
{
    for (const auto& block : blocks)
        if (block.type == type)
            return block;

    return blocks[0]; // not reached: every type has a block
}

constexpr int getBlockLength (ControlType type) { return getBlock (type).blockLength; }
constexpr int getCount (ControlType type) { return getBlock (type).count; }

/** The position in the image of the block of the first control of that type. */
constexpr int getFirstOffset (ControlType type)
{
    int offset = 0;

    for (const auto& block : blocks)
    {
        if (block.type == type)
            break;

        offset += block.blockLength * block.count;
    }

    return offset;
}

/** The position in the image of the block of the control of that type at that index (0-based). */
constexpr int getOffset (ControlType type, int index) { return getFirstOffset (type) + getBlockLength (type) * index; }

/** The length of the image: the sum of all blocks. */
inline constexpr int imageLength = []
{
    int length = 0;

    for (const auto& block : blocks)
        length += block.blockLength * block.count;

    return length;
}();

//==============================================================================
/** The values 0 to maximum, shown as value + displayOffset. */
struct Range
{
    juce::uint8 maximum;
    int displayOffset;
};

/** The ranges that the keyboard's size decides; a keybed control may be given others. */
inline constexpr Range splitPointRange{ 60, 1 }; // the number of keys less one, shown 1 to 61
inline constexpr Range octaveRange{ 10, 0 };

/** Bit k set: the name is in use while the "Mode" byte of its control holds k. */
using ModeGroup = juce::uint32;
inline constexpr ModeGroup everyMode = ~ModeGroup (0);
inline constexpr int maximumModes = 32;

/** Words that stand for a run of values or of controls, entry k for the value or index k. */
struct Words
{
    const char* const* first = nullptr;
    int size = 0;

    const char* const* begin() const noexcept { return first; }
    const char* const* end() const noexcept { return first + size; }

    juce::StringArray toStringArray() const { return juce::StringArray (first, size); }
};

/** The words of a constant array of them. */
template <size_t size>
constexpr Words wordsOf (const char* const (&words)[size])
{
    return { words, (int) size };
}

/** One parameter name: the byte of its block that it addresses, its range, its mode group and, for
    a parameter that a list shows, the entries of the list. */
struct Parameter
{
    const char* name;
    int byte;
    const Range* range;
    ModeGroup modes = everyMode;
    Words valueNames = {};

    /** True when a control whose "Mode" byte holds that value uses the name. */
    bool isUsedInMode (int modeValue) const noexcept
    {
        return modes == everyMode || (juce::isPositiveAndBelow (modeValue, maximumModes) && ((modes >> modeValue) & 1));
    }
};

/** The parameters of one control type, in the order of the notifications of a load. */
struct Parameters
{
    const Parameter* first;
    int size;

    const Parameter* begin() const noexcept { return first; }
    const Parameter* end() const noexcept { return first + size; }
};

Parameters getParameters (ControlType type);

/** How a user calls the controls of a type: "Knob" and "Knobs"; the names of single controls where
    they have their own ("Rewind" ... "Record"), and the entries of the mode list, entry k for the
    "Mode" value k. */
struct TypeNames
{
    const char* singular;
    const char* plural;
    Words instances = {};
    Words modes = {};
};

const TypeNames& getTypeNames (ControlType type);

/** The entry of that name, nullptr for a name that the type does not have. */
const Parameter* findParameter (ControlType type, const juce::String& name);

/** The byte of the block that the name addresses, -1 for a name that the type does not have. */
int getByte (ControlType type, const juce::String& name);

/** The range of a name. A name that the type does not have takes the range of the first of the type's
    name families (a word such as "Octave" or "Channel") that it contains, if any; nullptr otherwise. */
const Range* findRange (ControlType type, const juce::String& name);

/** The maximum of findRange, 0 where it finds none. */
juce::uint8 getMaximum (ControlType type, const juce::String& name);

/** The display offset of a name that the type has, 0 for any other. */
int getDisplayOffset (ControlType type, const juce::String& name);

/** The byte of the "Mode" of a knob, pad or switch, -1 for a type without modes. */
int getModeByte (ControlType type);

/** What a control of a type with modes sends while its "Mode" byte holds a value, read from the bytes
    that the mode's names address. */
enum class ModeSends
{
    nothing,             // a value that no mode of the type stands for
    controller,          // "CC" with a value that follows the control from "Min" to "Max"
    channelPressure,     // aftertouch for the whole channel, from "Min" to "Max"
    note,                // "Note" at the "Fixed" velocity or through the "Curve", then aftertouch on it
    controllerToggle,    // "CC" with "Toggle On" at one press and "Toggle Off" at the next
    controllerMomentary, // "CC" with "Pressed" while held and "Released" when let go
    programChange        // "Bank MSB" (CC 0) and "Bank LSB" (CC 32), then the "Program"
};

/** What a control of that type sends while its "Mode" byte holds that value; nothing for a value
    without a mode (a switch's fourth) or a type without modes. */
ModeSends getModeSends (ControlType type, int modeValue);

/** The names that a control whose "Mode" byte holds that value uses, "Mode" itself left out, in table
    order; none for a value outside the mode lists (a switch's fourth mode) or a type without modes. */
juce::StringArray getNamesOfMode (ControlType type, int modeValue);
} // namespace PresetLayout
