#include "engine/ZKSysEx.h"

juce::Array<juce::uint8> ZKSysEx::createHead (juce::uint8 deviceId, juce::uint8 command, juce::uint8 firstTailByte,
                                              juce::uint8 secondTailByte)
{
    juce::Array<juce::uint8> head;
    head.add (startOfExclusive);
    head.addArray (manufacturerId, (int) std::size (manufacturerId));
    head.add (headFixedByte);
    head.add (deviceId);
    head.add (command);
    head.add (firstTailByte);
    head.add (secondTailByte);
    jassert (head.size() == headLength);
    return head;
}

juce::MidiMessage ZKSysEx::createParameterRequest (juce::uint8 deviceId, juce::uint8 slot, int index)
{
    auto bytes = createHead (deviceId, parameterRequestCommand, parameterRequestTail[0], parameterRequestTail[1]);
    bytes.add (slot);
    bytes.add (getIndexHigh (index));
    bytes.add (getIndexLow (index));
    bytes.add (endOfExclusive);
    jassert (bytes.size() == parameterRequestLength);
    return toMidiMessage (bytes);
}

juce::MidiMessage ZKSysEx::createParameterWrite (juce::uint8 deviceId, juce::uint8 slot, int index, juce::uint8 value)
{
    auto bytes = createHead (deviceId, parameterWriteCommand, parameterWriteTail[0], parameterWriteTail[1]);
    bytes.add (slot);
    bytes.add (getIndexHigh (index));
    bytes.add (getIndexLow (index));
    bytes.add (value);
    bytes.add (endOfExclusive);
    jassert (bytes.size() == parameterWriteLength);
    return toMidiMessage (bytes);
}

juce::MidiMessage ZKSysEx::createSyncCommand (juce::uint8 deviceId, bool external)
{
    auto bytes = createHead (deviceId, syncCommand, syncTail[0], syncTail[1]);
    bytes.add (syncSubCommand);
    bytes.add (external ? externalSync : internalSync);
    bytes.add (endOfExclusive);
    jassert (bytes.size() == syncCommandLength);
    return toMidiMessage (bytes);
}

juce::MidiMessage ZKSysEx::createParameterReply (juce::uint8 deviceId, int index, juce::uint8 value)
{
    auto bytes = createHead (deviceId, parameterReplyCommand, parameterReplyTail[0], parameterReplyTail[1]);
    bytes.add (getIndexHigh (index));
    bytes.add (getIndexLow (index));
    bytes.add (value);
    bytes.add (endOfExclusive);
    jassert (bytes.size() == parameterReplyLength);
    return toMidiMessage (bytes);
}

bool ZKSysEx::parseParameterReply (const juce::MidiMessage& message, ParameterReply& reply)
{
    const auto* data = message.getRawData();

    if (message.getRawDataSize() != parameterReplyLength || data[0] != startOfExclusive
        || data[commandPosition] != parameterReplyCommand)
        return false;

    reply.index = getIndex (data[replyIndexHighPosition], data[replyIndexLowPosition]);
    reply.value = data[replyValuePosition];
    return true;
}

juce::MidiMessage ZKSysEx::toMidiMessage (const juce::Array<juce::uint8>& bytes)
{
    return juce::MidiMessage (bytes.getRawDataPointer(), bytes.size());
}
