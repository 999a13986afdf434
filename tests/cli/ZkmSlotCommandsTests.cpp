// The zkm program's commands on whole slots, run as a user runs them, without a display, against
// the virtual controller kept in a slot file: names, rename and swap, checked byte for byte.
#include "engine/PresetFileCodec.h"
#include "engine/VirtualController.h"
#include "model/ZKMModel.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace
{
constexpr int numberOfSlots = ZKMModel::numberOfSlots;
constexpr int imageLength = ZKMModel::imageLength;

struct ProgramRun
{
    int exitCode = -1;
    juce::String output, errors;
};

juce::String quote (const juce::String& text) { return "'" + text.replace ("'", "'\\''") + "'"; }

/** A work folder with a slot file of random 7-bit images, and the zkm program run in it. */
class ZkmSlotCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        work = juce::File::createTempFile ("zkm_slot_cli_test");
        ASSERT_TRUE (work.createDirectory().wasOk());
        slotFile = work.getChildFile ("slots.bin");

        juce::Random random (4321);
        juce::MemoryBlock slots ((size_t) (numberOfSlots * imageLength));

        for (size_t i = 0; i < slots.getSize(); ++i)
            slots[i] = (char) random.nextInt (128);

        ASSERT_TRUE (slotFile.replaceWithData (slots.getData(), slots.getSize()));
    }

    void TearDown() override { work.deleteRecursively(); }

    juce::String environment() const
    {
        return "cd " + quote (work.getFullPathName()) + " && DISPLAY= XDG_CONFIG_HOME="
               + quote (work.getChildFile ("config").getFullPathName()) + " ZKM_EDITOR_VIRTUAL_CONTROLLER=slots.bin ";
    }

    ProgramRun run (const juce::StringArray& arguments)
    {
        auto command = environment() + quote (ZKM_CLI_BINARY);

        for (const auto& argument : arguments)
            command << " " << quote (argument);

        command << " --device " << quote (VirtualController::deviceName) << " --quiet >out.txt 2>err.txt";
        const auto status = std::system (command.toRawUTF8());

        ProgramRun result;
        result.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        result.output = work.getChildFile ("out.txt").loadFileAsString();
        result.errors = work.getChildFile ("err.txt").loadFileAsString();
        return result;
    }

    juce::Array<juce::uint8> slotImage (int slot) const
    {
        juce::MemoryBlock content;
        slotFile.loadFileAsData (content);
        return { static_cast<const juce::uint8*> (content.getData()) + slot * imageLength, imageLength };
    }

    void setSlotImage (int slot, const juce::Array<juce::uint8>& image)
    {
        juce::MemoryBlock content;
        slotFile.loadFileAsData (content);
        content.copyFrom (image.getRawDataPointer(), slot * imageLength, (size_t) imageLength);
        slotFile.replaceWithData (content.getData(), content.getSize());
    }

    static juce::MemoryBlock contentOf (const juce::File& file)
    {
        juce::MemoryBlock content;
        file.loadFileAsData (content);
        return content;
    }

    static juce::MemoryBlock presetFileOf (const juce::Array<juce::uint8>& image)
    {
        const auto dump = PresetFileCodec::forZKM().createDump (0, image);
        return { dump.getRawDataPointer(), (size_t) dump.size() };
    }

    juce::File work, slotFile;
};

juce::Array<juce::uint8> withName (juce::Array<juce::uint8> image, const char* name)
{
    for (int i = 0; i < 16; ++i)
        image.set (i, (juce::uint8) (i < (int) strlen (name) ? name[i] : 0));

    return image;
}
} // namespace

//==============================================================================
TEST_F (ZkmSlotCommands, NamesListsEverySlotAndMarksBytesThatAreNotPrintable)
{
    setSlotImage (0, withName (slotImage (0), "Lead"));
    auto odd = withName (slotImage (1), "Odd");
    odd.set (1, 7);
    setSlotImage (1, odd);

    const auto listed = run ({ "names" });
    ASSERT_EQ (listed.exitCode, 0) << listed.errors;
    const auto lines = juce::StringArray::fromLines (listed.output.trimEnd());
    ASSERT_EQ (lines.size(), numberOfSlots);
    EXPECT_EQ (lines[0], "  1  Lead");
    EXPECT_TRUE (lines[23].startsWith (" 24  "));

    const auto json = run ({ "names", "--json" });
    ASSERT_EQ (json.exitCode, 0) << json.errors;
    const auto parsed = juce::JSON::parse (json.output);
    ASSERT_EQ (parsed.size(), numberOfSlots) << json.output;
    EXPECT_EQ (parsed[0]["slot"], juce::var (1));
    EXPECT_EQ (parsed[0]["name"], juce::var ("Lead"));
    EXPECT_FALSE (parsed[0].hasProperty ("bytes")) << "a printable name needs no bytes";
    ASSERT_TRUE (parsed[1]["bytes"].isArray());
    EXPECT_EQ (parsed[1]["bytes"][1], juce::var (7));
    EXPECT_EQ (parsed[1]["bytes"][3], juce::var (0));
}

TEST_F (ZkmSlotCommands, RenameWritesTheNameAloneAndRefusesOneItCannotStore)
{
    const auto before = slotImage (4);
    const auto renamed = run ({ "rename", "5", "Warm Pad" });
    ASSERT_EQ (renamed.exitCode, 0) << renamed.errors;
    EXPECT_EQ (renamed.output.trim(), "Slot 5 renamed to \"Warm Pad\", verified");
    EXPECT_EQ (slotImage (4), withName (before, "Warm Pad")) << "the name bytes and nothing else";

    for (const auto* name : { "Seventeen letters", "Caf\xc3\xa9", " Pad\t" })
    {
        const auto refused = run ({ "rename", "5", juce::String::fromUTF8 (name) });
        EXPECT_EQ (refused.exitCode, 2) << name;
        EXPECT_TRUE (refused.errors.startsWith ("zkm: rename: a name ")) << refused.errors;
        EXPECT_EQ (slotImage (4), withName (before, "Warm Pad"));
    }
}

TEST_F (ZkmSlotCommands, SwapIsByteExactAndOneStoppedHalfwaySavesThePresetNoSlotHolds)
{
    const auto third = slotImage (2), seventh = slotImage (6);
    const auto swapped = run ({ "swap", "3", "7" });
    ASSERT_EQ (swapped.exitCode, 0) << swapped.errors;
    EXPECT_TRUE (swapped.output.startsWith ("Slots 3 and 7 swapped, verified (")) << swapped.output;
    EXPECT_EQ (slotImage (2), seventh);
    EXPECT_EQ (slotImage (6), third);

    // Ctrl+C once the second write has begun: the first slot's old preset goes to a file, next to
    // one of that name that is left alone. The progress line shows only on a terminal, so the
    // program runs under script(1).
    const auto fifth = slotImage (4), ninth = slotImage (8);
    const auto taken = work.getChildFile ("Slot 05 before swap.zkp");
    taken.replaceWithText ("not mine");
    const auto runner = work.getChildFile ("run.sh");
    runner.replaceWithText ("#!/bin/sh\necho $$ > pid\nexec " + quote (ZKM_CLI_BINARY) + " swap 5 9 --device "
                                + quote (VirtualController::deviceName) + "\n",
                            false, false, "\n");
    ASSERT_TRUE (runner.setExecutePermission (true));
    const auto command =
        environment() + "script -qec ./run.sh /dev/null >screen.txt 2>&1 </dev/null; echo $? >code.txt";
    std::thread program ([command] { std::system (command.toRawUTF8()); });

    const auto screen = work.getChildFile ("screen.txt");
    const auto code = work.getChildFile ("code.txt");
    const auto deadline = juce::Time::getMillisecondCounter() + 60000;

    while (! screen.loadFileAsString().contains ("Writing slot 9") && ! code.exists()
           && juce::Time::getMillisecondCounter() < deadline)
        juce::Thread::sleep (5);

    const auto pid = work.getChildFile ("pid").loadFileAsString().getIntValue();
    const auto writing = screen.loadFileAsString().contains ("Writing slot 9") && ! code.exists();

    if (writing && pid > 0)
        ::kill (pid, SIGINT);

    program.join();
    ASSERT_TRUE (writing) << screen.loadFileAsString();

    EXPECT_EQ (code.loadFileAsString().trim(), "3");
    EXPECT_TRUE (screen.loadFileAsString().contains ("Swap stopped: slot 5 now holds slot 9's preset"))
        << screen.loadFileAsString();
    EXPECT_EQ (slotImage (4), ninth);
    EXPECT_EQ (taken.loadFileAsString(), "not mine");
    EXPECT_EQ (contentOf (work.getChildFile ("Slot 05 before swap (2).zkp")), presetFileOf (fifth));
}
