#include "model/Control.h"

#include "model/ListenerWalk.h"

namespace
{
// The largest value of any parameter: a preset byte travels as a SysEx data byte.
constexpr juce::uint8 dataByteMaximum = 127;
constexpr juce::uint8 channelMaximum = 15;
constexpr juce::uint8 parameterMinimum = 0;
} // namespace

//==============================================================================
Control::Control (int blockLength, int blockOffset)
    : offset (blockOffset)
{
    values.insertMultiple (0, 0, juce::jmax (0, blockLength));
}

//==============================================================================
void Control::setValue (juce::String parameterName, juce::uint8 value, bool shouldNotify)
{
    if (value >= getMinimum (parameterName) && value <= getMaximum (parameterName))
    {
        const auto index = getIndex (parameterName);

        if (juce::isPositiveAndBelow (index, values.size()))
            values.set (index, value);
    }

    // A refused value is announced all the same: a load passes bytes above a name's maximum through
    // here, and its listeners must still hear them as they are stored.
    if (shouldNotify)
        callListeners (parameterName, value);
}

bool Control::setValueFromUser (const juce::String& parameterName, juce::uint8 value, Listener* writer)
{
    const auto index = getIndex (parameterName);

    if (value < getMinimum (parameterName) || value > getMaximum (parameterName)
        || ! juce::isPositiveAndBelow (index, values.size()))
        return false;

    values.set (index, value);

    // Alias names of the byte (a pad's "Note" and "CC") have widgets of their own that must follow.
    const auto& bytes = getNameBytes();

    for (int i = 0; i < parameterNames.size(); ++i)
        if (bytes[(size_t) i] == index)
            callListeners (parameterNames[i], value, writer);

    return true;
}

juce::uint8 Control::getValue (juce::String parameterName)
{
    const auto index = getIndex (parameterName);

    if (juce::isPositiveAndBelow (index, values.size()))
        return values.getUnchecked (index);

    return 0;
}

juce::Array<juce::uint8> Control::getValues() { return values; }

void Control::setValues (const juce::Array<juce::uint8>& newValues)
{
    // Loaded bytes are kept as they come, even above a parameter's maximum, so that a preset travels
    // on unchanged. Bytes beyond the block are dropped: the block never changes its length.
    const auto numToCopy = juce::jmin (newValues.size(), values.size());

    for (int i = 0; i < numToCopy; ++i)
        values.set (i, newValues.getUnchecked (i));

    // Every name is announced with the byte it reads, as setValue (name, getValue (name), true) would
    // do: storing a byte onto itself changes nothing, so only the notification is left to make.
    const auto& bytes = getNameBytes();

    for (int i = 0; i < parameterNames.size(); ++i)
    {
        const auto byte = bytes[(size_t) i];
        const auto value =
            juce::isPositiveAndBelow (byte, values.size()) ? values.getUnchecked (byte) : (juce::uint8) 0;
        callListeners (parameterNames[i], value);
    }
}

void Control::loadFromImage (const juce::Array<juce::uint8>& image)
{
    juce::Array<juce::uint8> block;
    block.insertMultiple (0, 0, values.size());

    for (int i = 0; i < values.size(); ++i)
    {
        const auto imageIndex = offset + i;

        if (juce::isPositiveAndBelow (imageIndex, image.size()))
            block.set (i, image.getUnchecked (imageIndex));
    }

    setValues (block);
}

const std::vector<int>& Control::getNameBytes()
{
    if (nameBytes.size() != (size_t) parameterNames.size())
    {
        nameBytes.clear();

        for (const auto& name : parameterNames)
            nameBytes.push_back (getIndex (name));
    }

    return nameBytes;
}

//==============================================================================
juce::uint8 Control::getMinimum (juce::String) { return parameterMinimum; }

juce::uint8 Control::getMaximum (juce::String parameterName)
{
    if (! parameterNames.contains (parameterName))
        return 0;

    if (parameterName == "MIDI Channel")
        return channelMaximum;

    return dataByteMaximum;
}

//==============================================================================
void Control::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void Control::removeListener (Listener* listener) { listeners.removeFirstMatchingValue (listener); }

//==============================================================================
int Control::getIndexFromNameList (const juce::String& parameterName) const
{
    for (int i = parameterNames.size(); --i >= 0;)
        if (parameterNames[i] == parameterName)
            return i;

    return -1;
}

void Control::callListeners (const juce::String& parameterName, juce::uint8 value, Listener* excluded)
{
    ListenerWalk::newestFirst (listeners,
                               [&] (Listener* listener)
                               {
                                   if (listener != excluded)
                                       listener->controlValueChanged (parameterName, value);
                               });
}
