#pragma once

#include "model/ZKMModel.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>

/** The bytes that the editor and the controller exchange: the preset dump, and the short System
    Exclusive messages that read and write a preset one image byte at a time.

    Every message begins with the same nine-byte head: F0, the manufacturer bytes 00 7E 51, 00, the
    device ID, then a command byte and two bytes fixed per kind of message. */
class ZKSysEx
{
public:
    //==============================================================================
    static constexpr juce::uint8 startOfExclusive = 0xF0;
    static constexpr juce::uint8 endOfExclusive = 0xF7;
    static constexpr juce::uint8 manufacturerId[] = { 0x00, 0x7E, 0x51 };
    static constexpr juce::uint8 headFixedByte = 0x00;

    static constexpr juce::uint8 presetDumpCommand = 0x61;

    /** The command byte of the embedded default preset's dump, which files made from it may carry. */
    static constexpr juce::uint8 defaultPresetDumpCommand = 0x63;
    static constexpr juce::uint8 parameterWriteCommand = 0x64;
    static constexpr juce::uint8 parameterRequestCommand = 0x65;
    static constexpr juce::uint8 parameterReplyCommand = 0x66;
    static constexpr juce::uint8 syncCommand = 0x67;

    /** An image index travels as two 7-bit groups, high group first. */
    static constexpr int indexGroupSize = 128;

    /** The two bytes after the command byte. The dump carries its image length as two 7-bit groups
        (03 51 for 465 bytes). */
    static constexpr juce::uint8 presetDumpTail[] = { (juce::uint8) (ZKMModel::imageLength / indexGroupSize),
                                                      (juce::uint8) (ZKMModel::imageLength % indexGroupSize) };
    static constexpr juce::uint8 parameterRequestTail[] = { 0x00, 0x03 };
    static constexpr juce::uint8 parameterReplyTail[] = { 0x00, 0x03 };
    static constexpr juce::uint8 parameterWriteTail[] = { 0x00, 0x04 };
    static constexpr juce::uint8 syncTail[] = { 0x00, 0x01 };
    static constexpr juce::uint8 syncSubCommand = 0x01;

    static constexpr juce::uint8 internalSync = 0x00;
    static constexpr juce::uint8 externalSync = 0x01;

    //==============================================================================
    static constexpr int headLength = 9;
    static constexpr int commandPosition = 6;

    /** A dump is the head, the slot byte, the image and the closing F7. */
    static constexpr int dumpSlotPosition = headLength;
    static constexpr int dumpImageOffset = ZKMModel::dumpHeadLength;
    static_assert (dumpImageOffset == dumpSlotPosition + 1, "the image follows the slot byte");
    static constexpr int dumpFrameLength = dumpImageOffset + 1;

    static constexpr int parameterRequestLength = 13;
    static constexpr int parameterWriteLength = 14;
    static constexpr int syncCommandLength = 12;

    /** A reply: F0, five bytes, 66, two bytes, index high, index low, value, F7. Only the first
        byte, the length and the command byte identify it. */
    static constexpr int parameterReplyLength = 13;
    static constexpr int replyIndexHighPosition = 9;
    static constexpr int replyIndexLowPosition = 10;
    static constexpr int replyValuePosition = 11;

    /** Requests and writes carry the slot after the head, then the index. */
    static constexpr int messageSlotPosition = 9;
    static constexpr int messageIndexHighPosition = 10;
    static constexpr int messageIndexLowPosition = 11;
    static constexpr int writeValuePosition = 12;
    static constexpr int syncModePosition = 10;

    /** The largest byte that may travel inside a System Exclusive message. */
    static constexpr juce::uint8 maximumDataByte = 0x7F;

    /** Whether every byte from begin up to end may travel inside a System Exclusive message. */
    static bool areDataBytes (const juce::uint8* begin, const juce::uint8* end)
    {
        return std::all_of (begin, end, [] (juce::uint8 byte) { return byte <= maximumDataByte; });
    }

    /** The controller stores this many presets, slots 0 to 23. */
    static constexpr int numberOfSlots = ZKMModel::numberOfSlots;

    //==============================================================================
    /** The nine-byte head with the given command and the two bytes after it. */
    static juce::Array<juce::uint8> createHead (juce::uint8 deviceId, juce::uint8 command,
                                                const juce::uint8 (&tail)[2]);

    static juce::uint8 getIndexHigh (int index) noexcept { return (juce::uint8) (index / indexGroupSize); }
    static juce::uint8 getIndexLow (int index) noexcept { return (juce::uint8) (index % indexGroupSize); }
    static int getIndex (juce::uint8 high, juce::uint8 low) noexcept { return high * indexGroupSize + low; }

    static juce::MidiMessage createParameterRequest (juce::uint8 deviceId, juce::uint8 slot, int index);
    static juce::MidiMessage createParameterWrite (juce::uint8 deviceId, juce::uint8 slot, int index,
                                                   juce::uint8 value);
    static juce::MidiMessage createSyncCommand (juce::uint8 deviceId, bool external);

    /** What the controller answers to a parameter request. */
    static juce::MidiMessage createParameterReply (juce::uint8 deviceId, int index, juce::uint8 value);

    /** A parameter reply as the editor reads it. */
    struct ParameterReply
    {
        int index = 0;
        juce::uint8 value = 0;
    };

    /** True when the message is a parameter reply, which then fills reply. */
    static bool parseParameterReply (const juce::MidiMessage& message, ParameterReply& reply);

    static juce::MidiMessage toMidiMessage (const juce::Array<juce::uint8>& bytes);

private:
    /** The head, the bytes of the body, then F7; length is what the whole message must measure. */
    static juce::MidiMessage createMessage (juce::uint8 deviceId, juce::uint8 command, const juce::uint8 (&tail)[2],
                                            std::initializer_list<juce::uint8> body, int length);
};
