#pragma once

#include "engine/PresetFileCodec.h"
#include "engine/VirtualController.h"
#include "model/ZKMModel.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

/** A work folder with a slot file of random 7-bit images, the virtual controller's, in which the zkm
    program is run as a user runs it: without an X display, with settings of its own. */
class ZkmWorkFolder : public ::testing::Test
{
protected:
    struct ProgramRun
    {
        int exitCode = -1;
        juce::String output, errors;
    };

    /** The slots' images come from a random generator of that seed. */
    explicit ZkmWorkFolder (juce::int64 seedOfSlots)
        : seed (seedOfSlots)
    {
    }

    void SetUp() override
    {
        work = juce::File::createTempFile ("zkm_cli_test");
        ASSERT_TRUE (work.createDirectory().wasOk());
        slotFile = work.getChildFile ("slots.bin");

        juce::Random random (seed);
        juce::MemoryBlock slots ((size_t) (ZKMModel::numberOfSlots * ZKMModel::imageLength));

        for (size_t i = 0; i < slots.getSize(); ++i)
            slots[i] = (char) random.nextInt (128);

        ASSERT_TRUE (slotFile.replaceWithData (slots.getData(), slots.getSize()));
    }

    void TearDown() override { work.deleteRecursively(); }

    static juce::String quote (const juce::String& text) { return "'" + text.replace ("'", "'\\''") + "'"; }

    /** The start of a shell command that runs in the work folder, without a display, on its slot file. */
    juce::String environment() const
    {
        return "cd " + quote (work.getFullPathName()) + " && DISPLAY= XDG_CONFIG_HOME="
               + quote (work.getChildFile ("config").getFullPathName()) + " ZKM_EDITOR_VIRTUAL_CONTROLLER=slots.bin ";
    }

    /** Runs zkm with these arguments, its standard output going into that file (a name in the work
        folder, or a path such as /dev/full). */
    ProgramRun run (const juce::StringArray& arguments, const juce::String& outputFile = "out.txt")
    {
        auto command = environment() + quote (ZKM_CLI_BINARY);

        for (const auto& argument : arguments)
            command << " " << quote (argument);

        command << " >" << quote (outputFile) << " 2>err.txt";
        const auto status = std::system (command.toRawUTF8());

        ProgramRun result;
        result.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        const auto output = work.getChildFile (outputFile);

        // A device such as /dev/full reads without end: only a file of the work folder is read.
        if (output.isAChildOf (work))
            result.output = output.loadFileAsString();

        result.errors = work.getChildFile ("err.txt").loadFileAsString();
        return result;
    }

    /** Runs zkm with these arguments on the virtual controller, without its progress line. */
    ProgramRun runOnController (juce::StringArray arguments, const juce::String& outputFile = "out.txt")
    {
        arguments.addArray ({ "--device", VirtualController::deviceName, "--quiet" });
        return run (arguments, outputFile);
    }

    /** What an interrupted run showed on its terminal and how it ended. */
    struct InterruptedRun
    {
        bool interrupted = false; // the text showed while the program still ran, and the signal was sent then
        juce::String exitCode, screen;
    };

    /** Runs zkm with these arguments on the virtual controller under script(1), since the progress
        line shows only on a terminal, and sends the signal (by default the interrupt of a Ctrl+C)
        as soon as the terminal shows the text. */
    InterruptedRun runAndInterruptWhenShown (const juce::String& arguments, const juce::String& text,
                                             int signal = SIGINT)
    {
        const auto runner = work.getChildFile ("run.sh");
        EXPECT_TRUE (runner.replaceWithText ("#!/bin/sh\necho $$ > pid\nexec " + quote (ZKM_CLI_BINARY) + " "
                                                 + arguments + " --device " + quote (VirtualController::deviceName)
                                                 + "\n",
                                             false, false, "\n"));
        EXPECT_TRUE (runner.setExecutePermission (true));
        const auto command =
            environment() + "script -qec ./run.sh /dev/null >screen.txt 2>&1 </dev/null; echo $? >code.txt";
        const auto screen = work.getChildFile ("screen.txt");
        const auto code = work.getChildFile ("code.txt");

        // What an earlier run left would end the wait at once.
        for (const auto& earlier : { screen, code, work.getChildFile ("pid") })
            earlier.deleteFile();

        std::thread program ([command] { std::system (command.toRawUTF8()); });
        const auto deadline = juce::Time::getMillisecondCounter() + 60000;

        while (! screen.loadFileAsString().contains (text) && ! code.exists()
               && juce::Time::getMillisecondCounter() < deadline)
            juce::Thread::sleep (5);

        const auto pid = work.getChildFile ("pid").loadFileAsString().getIntValue();
        InterruptedRun result;
        result.interrupted = screen.loadFileAsString().contains (text) && ! code.exists();

        if (result.interrupted && pid > 0)
            ::kill (pid, signal);

        program.join();
        result.exitCode = code.loadFileAsString().trim();
        result.screen = screen.loadFileAsString();
        return result;
    }

    juce::MemoryBlock slotFileContent() const { return contentOf (slotFile); }

    /** The image that the slot file holds for a slot (0-based). */
    juce::Array<juce::uint8> slotImage (int slot) const
    {
        const auto content = slotFileContent();
        const auto length = (int) content.getSize() / ZKMModel::numberOfSlots;
        return { static_cast<const juce::uint8*> (content.getData()) + slot * length, length };
    }

    void setSlotImage (int slot, const juce::Array<juce::uint8>& image)
    {
        auto content = slotFileContent();
        content.copyFrom (image.getRawDataPointer(), slot * ZKMModel::imageLength, (size_t) ZKMModel::imageLength);
        slotFile.replaceWithData (content.getData(), content.getSize());
    }

    static juce::MemoryBlock contentOf (const juce::File& file)
    {
        juce::MemoryBlock content;
        file.loadFileAsData (content);
        return content;
    }

    /** The bytes of a preset file as the editor saves one with that image: its dump of slot 0. */
    static juce::MemoryBlock presetFileOf (const juce::Array<juce::uint8>& image)
    {
        const auto dump = PresetFileCodec::forZKM().createDump (0, image);
        return { dump.getRawDataPointer(), (size_t) dump.size() };
    }

    juce::File writePresetFile (const juce::String& name, const juce::Array<juce::uint8>& image)
    {
        const auto file = work.getChildFile (name);
        const auto bytes = presetFileOf (image);
        EXPECT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));
        return file;
    }

    /** The image of the embedded default preset. */
    static juce::Array<juce::uint8> defaultImage()
    {
        const auto dump = ZKMModel::getDefaultPresetDump();
        return { dump.getRawDataPointer() + ZKMModel::dumpHeadLength, ZKMModel::imageLength };
    }

    juce::File work, slotFile;

private:
    juce::int64 seed;
};
