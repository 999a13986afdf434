#pragma once

#include "engine/VirtualController.h"

#include <vector>

/** Makers of the messages that a misbehaving virtual controller puts before every reply
    (VirtualController::Faults::messagesBeforeEachReply). */
namespace VirtualControllerFaults
{
using MessageMaker = std::function<std::vector<juce::MidiMessage>()>;

/** Unrelated MIDI: channel messages, a real-time byte, and SysEx messages that each fail exactly
    one of the tests that make a parameter reply. */
std::vector<juce::MidiMessage> createUnrelatedMessages();

/** Makes createUnrelatedMessages before every reply. */
MessageMaker unrelatedMessages();

/** Makes that many SysEx messages of random length and content before every reply; every other one
    starts like a reply of the controller, none is a well-formed reply. The same seed gives the same
    garbage. */
MessageMaker garbageSysEx (int messagesPerReply, juce::int64 seed = 1);

/** The unrelated messages, then the garbage. */
MessageMaker unrelatedMessagesThenGarbageSysEx (int messagesPerReply, juce::int64 seed = 1);
} // namespace VirtualControllerFaults
