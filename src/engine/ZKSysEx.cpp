#include "engine/ZKSysEx.h"

juce::Array<juce::uint8> ZKSysEx::createHead (juce::uint8 deviceId, juce::uint8 command, const juce::uint8 (&tail)[2])
{
    juce::Array<juce::uint8> head;
    head.add (startOfExclusive);
    head.addArray (manufacturerId, (int) std::size (manufacturerId));
    head.add (headFixedByte);
    head.add (deviceId);
    head.add (command);
    head.addArray (tail, (int) std::size (tail));
    jassert (head.size() == headLength);
    return head;
}

juce::MidiMessage ZKSysEx::createMessage (juce::uint8 deviceId, juce::uint8 command, const juce::uint8 (&tail)[2],
                                          std::initializer_list<juce::uint8> body, [[maybe_unused]] int length)
{
    auto bytes = createHead (deviceId, command, tail);
    bytes.addArray (body);
    bytes.add (endOfExclusive);
    jassert (bytes.size() == length);
    return toMidiMessage (bytes);
}

juce::MidiMessage ZKSysEx::createParameterRequest (juce::uint8 deviceId, juce::uint8 slot, int index)
{
    return createMessage (deviceId, parameterRequestCommand, parameterRequestTail,
                          { slot, getIndexHigh (index), getIndexLow (index) }, parameterRequestLength);
}

juce::MidiMessage ZKSysEx::createParameterWrite (juce::uint8 deviceId, juce::uint8 slot, int index, juce::uint8 value)
{
    return createMessage (deviceId, parameterWriteCommand, parameterWriteTail,
                          { slot, getIndexHigh (index), getIndexLow (index), value }, parameterWriteLength);
}

juce::MidiMessage ZKSysEx::createSyncCommand (juce::uint8 deviceId, bool external)
{
    return createMessage (deviceId, syncCommand, syncTail, { syncSubCommand, external ? externalSync : internalSync },
                          syncCommandLength);
}

juce::MidiMessage ZKSysEx::createParameterReply (juce::uint8 deviceId, int index, juce::uint8 value)
{
    return createMessage (deviceId, parameterReplyCommand, parameterReplyTail,
                          { getIndexHigh (index), getIndexLow (index), value }, parameterReplyLength);
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
