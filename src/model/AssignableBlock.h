#pragma once

#include <juce_core/juce_core.h>

/** The five-byte block shared by knobs, pads and switches, whose middle bytes carry a different
    meaning in every mode: each class names the bytes in its own table, several names to one byte. */
namespace AssignableBlock
{
constexpr int modeByte = 0;
constexpr int numberByte = 1;
constexpr int firstValueByte = 2;
constexpr int secondValueByte = 3;
constexpr int channelByte = 4;

/** One parameter name and the byte of the block it addresses. */
struct NamedByte
{
    const char* name;
    int byte;
};

/** Appends the names of a table, in table order (the order of the notifications of a load). */
template <size_t numNames>
void addNames (const NamedByte (&table)[numNames], juce::StringArray& names)
{
    for (const auto& entry : table)
        names.add (entry.name);
}

/** The byte of a name in a table, or -1 for a name that the table does not hold. */
template <size_t numNames>
int findByte (const NamedByte (&table)[numNames], const juce::String& name)
{
    for (const auto& entry : table)
        if (name == entry.name)
            return entry.byte;

    return -1;
}
} // namespace AssignableBlock
