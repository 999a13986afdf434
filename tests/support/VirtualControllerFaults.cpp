#include "support/VirtualControllerFaults.h"

#include "engine/ZKSysEx.h"

#include <memory>

namespace VirtualControllerFaults
{
std::vector<juce::MidiMessage> createUnrelatedMessages()
{
    // Each fails exactly one of the tests that make a parameter reply: not SysEx, 12 or 14 bytes
    // long, or another command.
    auto reply = ZKSysEx::createParameterReply (VirtualController::deviceId, 0, 0);
    const auto* replyData = reply.getRawData();

    juce::Array<juce::uint8> shortReply (replyData, reply.getRawDataSize());
    shortReply.remove (ZKSysEx::replyValuePosition);

    juce::Array<juce::uint8> longReply (replyData, reply.getRawDataSize());
    longReply.insert (ZKSysEx::replyValuePosition, 0);

    juce::Array<juce::uint8> otherCommand (replyData, reply.getRawDataSize());
    otherCommand.set (ZKSysEx::commandPosition, ZKSysEx::parameterRequestCommand);

    return { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100),
             juce::MidiMessage::controllerEvent (1, 7, 64),
             juce::MidiMessage::midiClock(),
             ZKSysEx::toMidiMessage (shortReply),
             ZKSysEx::toMidiMessage (longReply),
             ZKSysEx::toMidiMessage (otherCommand),
             juce::MidiMessage::noteOff (1, 60) };
}

MessageMaker unrelatedMessages()
{
    return [] { return createUnrelatedMessages(); };
}

MessageMaker garbageSysEx (int messagesPerReply, juce::int64 seed)
{
    // Shared by the copies of the maker, so that they go on with one sequence.
    auto random = std::make_shared<juce::Random> (seed);

    return [random, messagesPerReply]
    {
        constexpr int maximumBodyLength = 300;
        const auto reply = ZKSysEx::createParameterReply (VirtualController::deviceId, 0, 0);
        std::vector<juce::MidiMessage> garbage;

        for (int i = 0; i < messagesPerReply; ++i)
        {
            juce::Array<juce::uint8> bytes;
            bytes.add (ZKSysEx::startOfExclusive);

            // Every other one begins like a reply, so that the parser gets past the first tests.
            if (random->nextBool())
                bytes.addArray (reply.getRawData() + 1,
                                juce::jmin (random->nextInt (reply.getRawDataSize()), reply.getRawDataSize() - 2));

            const auto bodyLength = random->nextInt (maximumBodyLength);

            for (int b = 0; b < bodyLength; ++b)
                bytes.add ((juce::uint8) random->nextInt (ZKSysEx::maximumDataByte + 1));

            // Garbage, never a well-formed reply: a reply is recognised by its length.
            if (bytes.size() + 1 == ZKSysEx::parameterReplyLength)
                bytes.add (0);

            bytes.add (ZKSysEx::endOfExclusive);
            garbage.push_back (ZKSysEx::toMidiMessage (bytes));
        }

        return garbage;
    };
}

MessageMaker unrelatedMessagesThenGarbageSysEx (int messagesPerReply, juce::int64 seed)
{
    return [garbage = garbageSysEx (messagesPerReply, seed)]
    {
        auto messages = createUnrelatedMessages();
        const auto more = garbage();
        messages.insert (messages.end(), more.begin(), more.end());
        return messages;
    };
}
} // namespace VirtualControllerFaults
