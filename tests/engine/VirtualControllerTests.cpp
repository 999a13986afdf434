#include "support/MessageLoop.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <thread>

using namespace TestRig;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** Collects what the controller's input delivers, and on which thread. */
class RecordingCallback : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        messages.push_back (message);
        sourceWasNull = sourceWasNull && source == nullptr;
        onCallerThread = onCallerThread || std::this_thread::get_id() == callerThread;
    }

    std::vector<juce::MidiMessage> getMessages() const
    {
        const juce::ScopedLock sl (lock);
        return messages;
    }

    void clear()
    {
        const juce::ScopedLock sl (lock);
        messages.clear();
    }

    int size() const
    {
        const juce::ScopedLock sl (lock);
        return (int) messages.size();
    }

    /** The indexes of the parameter replies, in the order of arrival. */
    std::vector<int> getReplyIndexes() const
    {
        std::vector<int> indexes;
        ZKSysEx::ParameterReply reply;

        for (const auto& message : getMessages())
            if (ZKSysEx::parseParameterReply (message, reply))
                indexes.push_back (reply.index);

        return indexes;
    }

    bool waitForMessages (int count) const
    {
        return pumpMessagesUntil ([&] { return size() >= count; }, 5000);
    }

    mutable juce::CriticalSection lock;
    std::vector<juce::MidiMessage> messages;
    bool sourceWasNull = true;
    bool onCallerThread = false;
    const std::thread::id callerThread = std::this_thread::get_id();
};

/** The controller with one input and one output open on it. */
struct ControllerPorts
{
    explicit ControllerPorts (VirtualController& controllerToUse)
        : controller (controllerToUse)
        , input (controller.openInput (0, callback))
        , output (controller.openOutput (0))
    {
        input->start();
    }

    void requestAll (juce::uint8 slot, int count = imageLength)
    {
        for (int index = 0; index < count; ++index)
            output->sendMessageNow (ZKSysEx::createParameterRequest (deviceId, slot, index));
    }

    VirtualController& controller;
    RecordingCallback callback;
    std::unique_ptr<MidiDeviceLayer::Input> input;
    std::unique_ptr<MidiDeviceLayer::Output> output;
};

juce::MidiMessage fromBytes (const Bytes& bytes) { return juce::MidiMessage (bytes.data(), (int) bytes.size()); }

juce::File createSlotFileName()
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory)
        .getNonexistentChildFile ("ZKMSlots-" + juce::Uuid().toString(), ".bin", false);
}

/** A slot file of 24 pattern images. */
juce::MemoryBlock createSlotFileData()
{
    juce::MemoryBlock data;

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
    {
        const auto image = createPatternImage (slot);
        data.append (image.getRawDataPointer(), (size_t) image.size());
    }

    return data;
}

juce::MemoryBlock readBytes (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}

std::vector<int> ascending (int count)
{
    std::vector<int> indexes;

    for (int i = 0; i < count; ++i)
        indexes.push_back (i);

    return indexes;
}
} // namespace

//==============================================================================
TEST (VirtualController, OffersOneInputAndOneOutputUnderItsName)
{
    VirtualController controller;
    RecordingCallback callback;

    EXPECT_EQ (controller.getInputNames(), juce::StringArray ("ZKM Virtual Controller"));
    EXPECT_EQ (controller.getOutputNames(), juce::StringArray ("ZKM Virtual Controller"));
    EXPECT_EQ (controller.openInput (1, callback), nullptr);
    EXPECT_EQ (controller.openOutput (-1), nullptr);
    EXPECT_NE (controller.openInput (0, callback), nullptr);
    EXPECT_NE (controller.openOutput (0), nullptr);
}

TEST (VirtualController, EverySlotStartsAsTheDefaultPreset)
{
    VirtualController controller;
    const auto image = getImageOfDump (defaultPresetDump());

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), image) << "slot " << slot;

    EXPECT_TRUE (controller.getSlot (VirtualController::numberOfSlots).isEmpty());
    EXPECT_TRUE (controller.getSlot (-1).isEmpty());
    EXPECT_FALSE (controller.isExternalSync());
}

TEST (VirtualController, AnswersEveryRequestInOrderOnItsOwnThread)
{
    VirtualController controller;
    controller.setSlot (9, createPatternImage (9));
    ControllerPorts ports (controller);

    ports.requestAll (9);
    ASSERT_TRUE (ports.callback.waitForMessages (imageLength));

    const auto messages = ports.callback.getMessages();
    ASSERT_EQ (messages.size(), (size_t) imageLength);
    EXPECT_EQ (ports.callback.getReplyIndexes(), ascending (imageLength));
    EXPECT_TRUE (ports.callback.sourceWasNull);
    EXPECT_FALSE (ports.callback.onCallerThread);

    // Byte 6 0x66, bytes 9 and 10 the index, byte 11 the value.
    const auto reply = toBytes (messages[300]);
    ASSERT_EQ (reply.size(), 13u);
    EXPECT_EQ (reply[0], 0xF0);
    EXPECT_EQ (reply[6], 0x66);
    EXPECT_EQ (reply[9], 0x02);
    EXPECT_EQ (reply[10], 0x2C);
    EXPECT_EQ (reply[11], createPatternImage (9)[300]);
    EXPECT_EQ (reply[12], 0xF7);
}

TEST (VirtualController, StoresParameterWritesAndRemembersTheSyncMode)
{
    VirtualController controller;
    ControllerPorts ports (controller);

    ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 23, 0, 0x30));
    ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 2, 464, 0x7F));
    EXPECT_EQ (controller.getSlot (23)[0], 0x30);
    EXPECT_EQ (controller.getSlot (2)[464], 0x7F);
    EXPECT_EQ (controller.getSlot (22)[0], defaultPresetDump()[imageOffset]);

    ports.output->sendMessageNow (ZKSysEx::createSyncCommand (deviceId, true));
    EXPECT_TRUE (controller.isExternalSync());
    ports.output->sendMessageNow (ZKSysEx::createSyncCommand (deviceId, false));
    EXPECT_FALSE (controller.isExternalSync());
    EXPECT_EQ (controller.getNumSyncCommands(), 2);
    EXPECT_EQ (controller.getReceivedMessages().size(), 4u);
}

TEST (VirtualController, IgnoresMalformedMessages)
{
    VirtualController controller;
    ControllerPorts ports (controller);
    const auto before = controller.getSlot (1);

    const Bytes write{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x64, 0x00, 0x04, 0x01, 0x00, 0x05, 0x11, 0xF7 };
    std::vector<Bytes> malformed;

    for (int position : { 1, 2, 3, 4, 5, 7, 8 }) // another manufacturer, device or fixed byte
    {
        auto bytes = write;
        bytes[(size_t) position] ^= 0x01;
        malformed.push_back (bytes);
    }

    auto slot24 = write;
    slot24[9] = 24;
    auto index465 = write;
    index465[10] = 0x03;
    index465[11] = 0x51;
    auto valueHigh = write;
    valueHigh[12] = 0x80;
    auto noEnd = write;
    noEnd[13] = 0x00;
    auto shorter = write;
    shorter.erase (shorter.begin() + 12);
    malformed.insert (malformed.end(), { slot24, index465, valueHigh, noEnd, shorter });

    for (const auto& bytes : malformed)
        ports.output->sendMessageNow (fromBytes (bytes));

    ports.output->sendMessageNow (
        fromBytes ({ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x67, 0x00, 0x01, 0x01, 0x02, 0xF7 }));
    ports.output->sendMessageNow (
        fromBytes ({ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x65, 0x00, 0x03, 0x18, 0x00, 0x00, 0xF7 })); // slot 24
    ports.output->sendMessageNow (
        fromBytes ({ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x41, 0x65, 0x00, 0x03, 0x01, 0x00, 0x00, 0xF7 })); // device 0x41
    ports.output->sendMessageNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));

    EXPECT_EQ (controller.getSlot (1), before);
    EXPECT_FALSE (controller.isExternalSync());
    EXPECT_EQ (controller.getNumSyncCommands(), 0);

    // A good request afterwards is the only one answered.
    ports.requestAll (1, 1);
    ASSERT_TRUE (ports.callback.waitForMessages (1));
    pumpMessagesFor (20);
    EXPECT_EQ (ports.callback.size(), 1);
}

//==============================================================================
TEST (VirtualController, DropsEveryNthReplyOrAGivenIndex)
{
    VirtualController controller;
    ControllerPorts ports (controller);

    auto faults = controller.getFaults();
    faults.dropEveryNthReply = 10;
    faults.droppedIndexes.insert (3);
    controller.setFaults (faults);
    ports.requestAll (0, 30);
    ASSERT_TRUE (ports.callback.waitForMessages (26));
    pumpMessagesFor (20);

    // The 10th, 20th and 30th requests (indexes 9, 19, 29) and index 3 go unanswered.
    std::vector<int> expected;
    for (int i = 0; i < 30; ++i)
        if (i != 3 && (i + 1) % 10 != 0)
            expected.push_back (i);

    EXPECT_EQ (ports.callback.getReplyIndexes(), expected);
}

TEST (VirtualController, DuplicatesReordersAndInterleavesReplies)
{
    VirtualController controller;
    ControllerPorts ports (controller);

    auto faults = controller.getFaults();
    faults.duplicateReplies = true;
    faults.reorderBlockSize = 4;
    faults.messagesBeforeEachReply = VirtualControllerFaults::unrelatedMessages();
    controller.setFaults (faults);
    ports.requestAll (0, 10); // blocks of four, then a last block of two that goes out on its own
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ports.callback.getReplyIndexes().size() >= 20; }, 5000));
    pumpMessagesFor (50);

    EXPECT_EQ (ports.callback.getReplyIndexes(),
               (std::vector<int>{ 3, 3, 2, 2, 1, 1, 0, 0, 7, 7, 6, 6, 5, 5, 4, 4, 9, 9, 8, 8 }));
    EXPECT_GT (ports.callback.size(), 20 * 3);
    EXPECT_EQ (controller.getNumPendingReplies(), 0);

    controller.clearFaults();
    ports.callback.clear();
    ports.requestAll (0, 5);
    ASSERT_TRUE (ports.callback.waitForMessages (5));
    pumpMessagesFor (20);
    EXPECT_EQ (ports.callback.getReplyIndexes(), ascending (5));
    EXPECT_EQ (ports.callback.size(), 5);
}

TEST (VirtualController, DelaysRepliesAsToldWithoutLosingThem)
{
    VirtualController controller;
    ControllerPorts ports (controller);

    auto faults = controller.getFaults();
    faults.replyDelayMs = 100;
    controller.setFaults (faults);
    ports.requestAll (0, 3);
    ASSERT_TRUE (ports.callback.waitForMessages (3));
    EXPECT_EQ (ports.callback.getReplyIndexes(), ascending (3));
}

TEST (VirtualController, UnplugHidesItsNamesAndSilencesItsPorts)
{
    VirtualController controller;
    ControllerPorts ports (controller);
    auto faults = controller.getFaults();
    faults.replyDelayMs = 200;
    controller.setFaults (faults);
    ports.requestAll (0, 5);

    controller.unplug();
    EXPECT_FALSE (controller.isPlugged());
    EXPECT_TRUE (controller.getInputNames().isEmpty());
    EXPECT_TRUE (controller.getOutputNames().isEmpty());
    EXPECT_EQ (controller.openOutput (0), nullptr);

    ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 0, 0, 0x01));
    ports.requestAll (0, 5);
    pumpMessagesFor (300);
    EXPECT_EQ (ports.callback.size(), 0);
    EXPECT_NE (controller.getSlot (0)[0], 0x01);

    controller.replug();
    EXPECT_EQ (controller.getInputNames(), juce::StringArray ("ZKM Virtual Controller"));
    faults.replyDelayMs = 0;
    controller.setFaults (faults);
    ports.requestAll (0, 2);
    ASSERT_TRUE (ports.callback.waitForMessages (2));
    EXPECT_EQ (ports.callback.getReplyIndexes(), ascending (2));
}

TEST (VirtualController, DestroyedInputIsNeverCalledAgain)
{
    VirtualController controller;
    ControllerPorts ports (controller);
    auto faults = controller.getFaults();
    faults.replyDelayMs = 0;
    controller.setFaults (faults);

    ports.requestAll (0);
    ports.input.reset();
    const auto received = ports.callback.size();
    pumpMessagesFor (50);

    EXPECT_EQ (ports.callback.size(), received);
}

//==============================================================================
TEST (VirtualController, LoadsItsSlotsFromAnExistingFile)
{
    auto file = juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getNonexistentChildFile ("ZKMSlots-" + juce::Uuid().toString(), ".bin", false);
    juce::MemoryBlock data;

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
    {
        const auto image = createPatternImage (slot);
        data.append (image.getRawDataPointer(), (size_t) image.size());
    }

    ASSERT_TRUE (file.replaceWithData (data.getData(), data.getSize()));

    {
        VirtualController controller (file);

        for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
            EXPECT_EQ (controller.getSlot (slot), createPatternImage (slot)) << "slot " << slot;
    }

    file.deleteFile();
}

TEST (VirtualController, RefusesAFileThatIsNotASlotFileAndSaysSo)
{
    const auto file = createSlotFileName();
    const auto notSlots = createSlotFileData();

    for (const auto size : { notSlots.getSize() - 1, notSlots.getSize() + 1, (size_t) 3 })
    {
        juce::MemoryBlock content (size, true);
        content.copyFrom (notSlots.getData(), 0, juce::jmin (size, notSlots.getSize()));
        ASSERT_TRUE (file.replaceWithData (content.getData(), content.getSize()));
        testing::internal::CaptureStderr();

        {
            VirtualController controller (file);
            ControllerPorts ports (controller);
            EXPECT_FALSE (controller.keepsSlotsInFile());
            EXPECT_EQ (controller.getSlot (0), getImageOfDump (defaultPresetDump()));

            // Writes are kept in memory, never in that file, not even at the end.
            ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 5, 100, 0x42));
            EXPECT_EQ (controller.getSlot (5)[100], 0x42);
            EXPECT_FALSE (controller.saveSlots());
        }

        const auto message = juce::String (testing::internal::GetCapturedStderr());
        EXPECT_TRUE (message.contains (file.getFullPathName())) << message;
        EXPECT_TRUE (message.contains ("not a slot file")) << message;
        EXPECT_EQ (readBytes (file), content) << "size " << size;
    }

    file.deleteFile();
}

TEST (VirtualController, SavesItsSlotsSoonAfterAWriteAndAtTheEnd)
{
    auto file = juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getNonexistentChildFile ("ZKMSlots-" + juce::Uuid().toString(), ".bin", false);

    auto savedByte = [&] (int slot, int index) -> int
    {
        juce::MemoryBlock data;

        if (! file.loadFileAsData (data) || (int) data.getSize() != VirtualController::numberOfSlots * imageLength)
            return -1;

        return static_cast<const juce::uint8*> (data.getData())[slot * imageLength + index];
    };

    {
        VirtualController controller (file);
        ControllerPorts ports (controller);

        ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 5, 100, 0x42));
        EXPECT_TRUE (pumpMessagesUntil ([&] { return savedByte (5, 100) == 0x42; }, 5000));

        ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 6, 101, 0x43));
    }

    EXPECT_EQ (savedByte (6, 101), 0x43);
    EXPECT_EQ (savedByte (5, 100), 0x42);
    EXPECT_EQ (savedByte (0, 0), defaultPresetDump()[imageOffset]);

    // No file, nothing to save to.
    VirtualController inMemory;
    EXPECT_FALSE (inMemory.saveSlots());

    file.deleteFile();
}

TEST (VirtualController, SteadyStreamOfWritesDoesNotPutTheSaveOffForEver)
{
    const auto file = createSlotFileName();
    VirtualController controller (file);
    ControllerPorts ports (controller);

    // Writes keep coming, far closer together than saveDelayMs: the first one is saved anyway,
    // saveDelayMs after it was made.
    ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 3, 7, 0x55));
    int index = 0;

    const auto savedWhileWriting = pumpMessagesUntil (
        [&]
        {
            ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 4, index++ % imageLength, 0x11));
            juce::Thread::sleep (VirtualController::saveDelayMs / 10);
            const auto saved = readBytes (file);
            return saved.getSize() == (size_t) (VirtualController::numberOfSlots * imageLength)
                   && (juce::uint8) saved[3 * imageLength + 7] == 0x55;
        },
        VirtualController::saveDelayMs * 10);

    EXPECT_TRUE (savedWhileWriting);
    file.deleteFile();
}

TEST (VirtualController, FailedSaveKeepsTheOldFileAndIsTriedAgainLaterNotAtOnce)
{
    const auto folder = juce::File::createTempFile ("zkm_slots");
    ASSERT_TRUE (folder.createDirectory());
    const auto file = folder.getChildFile ("slots.bin");
    const auto oldSlots = createSlotFileData();
    ASSERT_TRUE (file.replaceWithData (oldSlots.getData(), oldSlots.getSize()));

    VirtualController controller (file);
    ControllerPorts ports (controller);
    testing::internal::CaptureStderr();
    ports.output->sendMessageNow (ZKSysEx::createParameterWrite (deviceId, 5, 100, 0x42));

    {
        // A save cut short, as on a full disk, leaves the old slot file as it was.
        const ScopedFileSizeLimit fileSizeLimit ((rlim_t) oldSlots.getSize() / 2);
        EXPECT_FALSE (controller.saveSlots());
    }

    EXPECT_EQ (readBytes (file), oldSlots);
    EXPECT_EQ (controller.getNumSaveAttempts(), 1);

    // While saves cannot succeed (here: the folder is gone), the controller does not try again at
    // once in a loop, and its ports keep working.
    ASSERT_TRUE (folder.deleteRecursively());
    pumpMessagesFor (VirtualController::saveRetryDelayMs / 2);
    EXPECT_EQ (controller.getNumSaveAttempts(), 1);
    ports.requestAll (5, 101);
    EXPECT_TRUE (ports.callback.waitForMessages (101));
    EXPECT_EQ (ports.callback.getMessages().back().getRawData()[ZKSysEx::replyValuePosition], 0x42);

    const auto message = juce::String (testing::internal::GetCapturedStderr());
    EXPECT_TRUE (message.contains ("The virtual controller could not save its slots to " + file.getFullPathName()))
        << message;

    // Once it can, the next try saves.
    ASSERT_TRUE (folder.createDirectory());
    EXPECT_TRUE (pumpMessagesUntil (
        [&]
        {
            const auto saved = readBytes (file);
            return saved.getSize() == oldSlots.getSize() && (juce::uint8) saved[5 * imageLength + 100] == 0x42;
        },
        VirtualController::saveRetryDelayMs * 3));
    folder.deleteRecursively();
}
