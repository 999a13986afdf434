#include "app/CommandIDs.h"
#include "app/RunningInstance.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"

#include <sys/stat.h>
#include <unistd.h>

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::dismissAlerts;
using apptest::pump;
using apptest::ScratchFolder;

namespace
{
constexpr int waitMs = 10000;

/** A preset file that differs from the default preset in its name bytes. */
juce::File writePreset (EditorWindow& window, const juce::File& file)
{
    auto dump = window.getEngine()->createPresetData (0);
    dump.set (20, static_cast<juce::uint8> ('Q'));
    file.replaceWithData (dump.getRawDataPointer(), static_cast<size_t> (dump.size()));
    return file;
}

juce::StringArray windowTitles (WindowManager& manager)
{
    juce::StringArray titles;

    for (auto* window : manager.getWindows())
        titles.add (window->getName());

    return titles;
}

/** Writes bytes into the running editor's pipe as another program could. */
void writeRaw (const juce::File& folder, const juce::MemoryBlock& bytes)
{
    juce::File pipeFile;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*_in", juce::File::findFiles))
        pipeFile = entry.getFile();

    ASSERT_NE (pipeFile, juce::File());
    const auto pipePath = pipeFile.getFullPathName().dropLastCharacters (3);
    juce::NamedPipe pipe;
    ASSERT_TRUE (pipe.openExisting (pipePath));
    ASSERT_EQ (pipe.write (bytes.getData(), (int) bytes.getSize(), 2000), (int) bytes.getSize());
}

juce::MemoryBlock frame (juce::uint32 magic, juce::uint32 length, const juce::String& payload)
{
    juce::MemoryOutputStream out;
    out.writeInt ((int) magic);
    out.writeInt ((int) length);
    out.write (payload.toRawUTF8(), payload.getNumBytesAsUTF8());
    return out.getMemoryBlock();
}

constexpr juce::uint32 magic = 0x6f4d4b5a;

class RunningInstanceTest : public ApplicationTest
{
protected:
    RunningInstance::WindowOpener opener()
    {
        return [this] (const juce::File& file) { return application->openFileInNewWindow (file); };
    }

    ScratchFolder scratch;
    juce::File folder = scratch.getFile ("run");
};
} // namespace

//==============================================================================
TEST_F (RunningInstanceTest, FilesNamedByASecondStartOpenInNewWindowsOfTheRunningEditor)
{
    RunningInstance running (opener(), folder);
    ASSERT_TRUE (running.claim ({}));
    ASSERT_TRUE (running.isListening());

    struct stat info
    {
    };
    ASSERT_EQ (::stat (folder.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 077, 0u) << "the meeting place is private";

    const auto first = writePreset (window (0), scratch.getFile ("First Preset.zkp"));
    const auto second = writePreset (window (0), scratch.getFile ("Second.zkp"));

    // A client in this process, as a second start would send them.
    ASSERT_TRUE (RunningInstance::handOver (folder, { first.getFullPathName(), second.getFullPathName() }));
    ASSERT_TRUE (pumpMessagesUntil ([this] { return windowManager().getWindows().size() == 3; }, waitMs));
    EXPECT_TRUE (windowTitles (windowManager()).contains ("Quenlo ZKM Editor - First Preset"));
    EXPECT_TRUE (windowTitles (windowManager()).contains ("Quenlo ZKM Editor - Second"));

    // A second start itself: a relative path, resolved against its own working folder. It ends
    // (false).
    RunningInstance secondStart ([] (const juce::File&) -> EditorWindow* { return nullptr; }, folder);
    EXPECT_FALSE (secondStart.claim ("Second.zkp", scratch.getFile ({})));
    EXPECT_FALSE (secondStart.isListening());
    ASSERT_TRUE (pumpMessagesUntil ([this] { return windowManager().getWindows().size() == 4; }, waitMs));

    // A missing file gets the usual notice in the running editor, and no window.
    RunningInstance thirdStart ([] (const juce::File&) -> EditorWindow* { return nullptr; }, folder);
    EXPECT_FALSE (thirdStart.claim ("\"" + scratch.getFile ("missing.zkp").getFullPathName() + "\""));
    ASSERT_TRUE (pumpMessagesUntil ([] { return countAlerts ("File Error") == 1; }, waitMs));
    EXPECT_EQ (windowManager().getWindows().size(), 4);

    // A second start naming no file ends and opens nothing.
    RunningInstance emptyStart ([] (const juce::File&) -> EditorWindow* { return nullptr; }, folder);
    EXPECT_FALSE (emptyStart.claim ("  "));
    EXPECT_FALSE (emptyStart.claim ("-psn_0_1234"));
    pumpMessagesFor (200);
    EXPECT_EQ (windowManager().getWindows().size(), 4);
}

TEST_F (RunningInstanceTest, ARefusedFileOpensNoWindowOnlyItsFileError)
{
    RunningInstance running (opener(), folder);
    ASSERT_TRUE (running.claim ({}));
    const auto good = writePreset (window (0), scratch.getFile ("Good.zkp"));
    const auto other = writePreset (window (0), scratch.getFile ("Other.zkp"));
    const auto broken = scratch.getFile ("broken.zkp");
    const juce::MemoryBlock junk (300, true); // not the size of a preset file
    ASSERT_TRUE (broken.replaceWithData (junk.getData(), junk.getSize()));
    const std::function<bool()> brokenAlone = [] { return countAlerts ("File Error") == 1; };

    // Among good files that a second start hands over: they open, it gets the notice alone.
    ASSERT_TRUE (RunningInstance::handOver (
        folder, { good.getFullPathName(), broken.getFullPathName(), other.getFullPathName() }));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return windowManager().getWindows().size() >= 3 && brokenAlone(); }, waitMs));
    EXPECT_EQ (windowTitles (windowManager()).joinIntoString (" | "),
               window (0).getName() + " | Quenlo ZKM Editor - Good | Quenlo ZKM Editor - Other");

    // Handed over alone, and chosen with File > Open: no window either.
    dismissAlerts();
    ASSERT_TRUE (RunningInstance::handOver (folder, { broken.getFullPathName() }));
    ASSERT_TRUE (pumpMessagesUntil (brokenAlone, waitMs));
    EXPECT_EQ (windowManager().getWindows().size(), 3);

    dismissAlerts();
    application->chooseFile = answerWith (broken);
    apptest::perform (*application, CommandIDs::open);
    ASSERT_TRUE (pumpMessagesUntil (brokenAlone, waitMs));
    EXPECT_EQ (windowManager().getWindows().size(), 3);

    // The first start always shows a window: a refused file on its command line leaves the
    // default preset there, as a start without a file would, with the notice above it.
    dismissAlerts();
    application->shutdown();
    application.reset();
    startApplication ("\"" + broken.getFullPathName() + "\"");
    ASSERT_TRUE (pumpMessagesUntil (brokenAlone, waitMs));
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
    EXPECT_FALSE (window (0).hasUnsavedChanges());
}

TEST_F (RunningInstanceTest, JunkOversizedAndRelativeMessagesAreRefusedAndTheEditorGoesOnListening)
{
    RunningInstance running (opener(), folder);
    juce::StringArray refusals;
    running.onMessageRefused = [&refusals] (const juce::String& reason) { refusals.add (reason); };
    ASSERT_TRUE (running.claim ({}));
    const auto preset = writePreset (window (0), scratch.getFile ("Good.zkp"));

    const auto refused = [&] (const juce::MemoryBlock& bytes)
    {
        const auto before = refusals.size();
        writeRaw (folder, bytes);
        return pumpMessagesUntil ([&] { return refusals.size() == before + 1; }, waitMs);
    };

    const juce::String junk ("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE (refused (juce::MemoryBlock (junk.toRawUTF8(), junk.getNumBytesAsUTF8())));
    EXPECT_TRUE (refused (frame (magic, 0x7fffffff, preset.getFullPathName())));
    EXPECT_TRUE (refused (frame (magic, 0, {})));
    EXPECT_TRUE (refused (frame (magic, 5, "a.zkp")));
    EXPECT_TRUE (refused (frame (magic, 7, "~/a.zkp")));

    // A good path followed by a relative one: the whole message is refused.
    const auto mixedFrame = [&]
    {
        juce::MemoryOutputStream out;
        const auto path = preset.getFullPathName();
        out.writeInt ((int) magic);
        out.writeInt ((int) path.getNumBytesAsUTF8() + 1 + 12);
        out.write (path.toRawUTF8(), path.getNumBytesAsUTF8());
        out.writeByte (0);
        out.write ("relative.zkp", 12);
        return out.getMemoryBlock();
    }();
    EXPECT_TRUE (refused (mixedFrame));

    const char notUtf8[] = { '/', 't', (char) 0xff, (char) 0xfe, '.', 'z' };
    juce::MemoryOutputStream badText;
    badText.writeInt ((int) magic);
    badText.writeInt ((int) sizeof (notUtf8));
    badText.write (notUtf8, sizeof (notUtf8));
    EXPECT_TRUE (refused (badText.getMemoryBlock()));

    juce::StringArray tooMany;

    for (int i = 0; i <= RunningInstance::maxPathsPerMessage; ++i)
        tooMany.add (preset.getFullPathName());

    EXPECT_FALSE (RunningInstance::handOver (folder, tooMany)) << "the sender keeps to the limit too";
    EXPECT_FALSE (RunningInstance::handOver (folder, { "/" + juce::String::repeatedString ("a", 5000) }));

    EXPECT_EQ (refusals.size(), 7);
    EXPECT_EQ (windowManager().getWindows().size(), 1) << "nothing refused opened a window";

    // The editor still takes a good message after all that.
    ASSERT_TRUE (RunningInstance::handOver (folder, { preset.getFullPathName() }));
    ASSERT_TRUE (pumpMessagesUntil ([this] { return windowManager().getWindows().size() == 2; }, waitMs));
    EXPECT_EQ (window (1).getName(), juce::String ("Quenlo ZKM Editor - Good"));
}

TEST_F (RunningInstanceTest, APipeAndLockLeftByACrashedEditorDoNotHoldBackTheNextStart)
{
    // What an editor that crashed leaves: its lock file (unlocked, the process being gone) and
    // its pipe's files, which nobody reads.
    juce::StringArray leftovers;

    {
        RunningInstance crashed ([] (const juce::File&) -> EditorWindow* { return nullptr; }, folder);
        ASSERT_TRUE (crashed.claim ({}));

        for (const auto& entry : juce::RangedDirectoryIterator (folder, false))
            leftovers.add (entry.getFile().getFileName());
    }

    // An editor that ends well takes its pipe away; one that crashed leaves it.
    for (const auto& name : leftovers)
        if (! folder.getChildFile (name).existsAsFile())
            ::mkfifo (folder.getChildFile (name).getFullPathName().toRawUTF8(), 0600);

    ASSERT_EQ (leftovers.size(), 3) << leftovers.joinIntoString (", ");

    // The next start, naming a file, finds nobody to hand it to: it goes on as the first.
    const auto preset = writePreset (window (0), scratch.getFile ("After Crash.zkp"));
    RunningInstance next (opener(), folder);
    EXPECT_TRUE (next.claim (preset.getFullPathName()));
    EXPECT_TRUE (next.isListening());

    // And it takes the files of later starts.
    ASSERT_TRUE (RunningInstance::handOver (folder, { preset.getFullPathName() }));
    ASSERT_TRUE (pumpMessagesUntil ([this] { return windowManager().getWindows().size() == 2; }, waitMs));

    // A file that arrives as the running editor goes away opens nothing afterwards.
    {
        RunningInstance closing (opener(), scratch.getFile ("other run"));
        ASSERT_TRUE (closing.claim ({}));
        RunningInstance::handOver (scratch.getFile ("other run"), { preset.getFullPathName() });
    }
    pumpMessagesFor (300);
    EXPECT_EQ (windowManager().getWindows().size(), 2);
}

TEST_F (RunningInstanceTest, ALinkPlantedInPlaceOfTheFolderIsRefusedWithoutTouchingItsTarget)
{
    // Another program makes the meeting place a link to a folder of the user's that others may read.
    const auto target = scratch.getFolder ("shared");
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0755), 0);
    ASSERT_EQ (::symlink (target.getFullPathName().toRawUTF8(), folder.getFullPathName().toRawUTF8()), 0);

    // The start goes on alone, as it does without a private place, and listens nowhere.
    RunningInstance running (opener(), folder);
    EXPECT_TRUE (running.claim ({}));
    EXPECT_FALSE (running.isListening());

    struct stat info
    {
    };
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 07777, 0755u) << "the link's target keeps its mode";
    EXPECT_TRUE (target.findChildFiles (juce::File::findFilesAndDirectories, false).isEmpty())
        << "no lock or pipe is made through the link";
    ASSERT_EQ (::lstat (folder.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_TRUE (S_ISLNK (info.st_mode));

    // A later start naming a file finds nobody to hand it to and opens it on its own.
    const auto preset = writePreset (window (0), scratch.getFile ("Alone.zkp"));
    RunningInstance later (opener(), folder);
    EXPECT_TRUE (later.claim (preset.getFullPathName()));
    EXPECT_FALSE (later.isListening());
    EXPECT_FALSE (RunningInstance::handOver (folder, { preset.getFullPathName() }));
}
