// The list of a folder's preset files: following files that come, change and go, and files that
// carry the extension without holding a preset.
#include "engine/PresetFolder.h"
#include "model/PresetNameText.h"
#include "support/TestRig.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestRig;

namespace
{
class PresetFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                     .getNonexistentChildFile ("ZKMPresetFolder-" + juce::Uuid().toString(), {}, false);
        ASSERT_TRUE (folder.createDirectory());
    }

    void TearDown() override { folder.deleteRecursively(); }

    /** A preset file holding the default preset under that name. */
    juce::File writePreset (const juce::String& fileName, const juce::String& presetName)
    {
        auto dump = defaultPresetDump();
        const auto nameBytes = PresetNameText::toBytes (presetName);

        for (int i = 0; i < PresetNameText::length; ++i)
            dump.set (imageOffset + i, nameBytes[i]);

        return writeBytes (fileName, dump);
    }

    juce::File writeBytes (const juce::String& fileName, const juce::Array<juce::uint8>& bytes)
    {
        auto file = folder.getChildFile (fileName);
        EXPECT_TRUE (file.replaceWithData (bytes.getRawDataPointer(), (size_t) bytes.size()));
        return file;
    }

    static juce::StringArray fileNamesOf (const std::vector<PresetFolder::Entry>& entries)
    {
        juce::StringArray names;

        for (const auto& entry : entries)
            names.add (entry.fileName);

        return names;
    }

    juce::File folder;
};
} // namespace

TEST_F (PresetFolderTest, FollowsPresetFilesThatComeChangeAndGo)
{
    PresetFolder list (folder);
    EXPECT_FALSE (list.rescan());
    EXPECT_TRUE (list.getEntries().empty());

    writePreset ("b.zkp", "Strings");
    const auto bass = writePreset ("a.zkp", "Bass Line");
    writePreset ("c.zkp", "bass Pad");
    writeBytes ("readme.txt", { 1, 2, 3 });
    folder.getChildFile ("Sub").createDirectory();
    writePreset ("Sub/d.zkp", "Hidden Below");

    EXPECT_TRUE (list.rescan());
    ASSERT_EQ (list.getEntries().size(), 3u);
    EXPECT_EQ (fileNamesOf (list.getEntries()), juce::StringArray ({ "a.zkp", "c.zkp", "b.zkp" }));
    EXPECT_EQ (list.getEntries()[0].name, "Bass Line");
    EXPECT_EQ (list.getEntries()[0].file, bass);
    EXPECT_TRUE (list.getEntries()[0].isPresetFile);
    EXPECT_EQ (list.getEntries()[0].modificationTime, bass.getLastModificationTime());
    EXPECT_FALSE (list.rescan());

    // The search looks at names and file names alike, ignoring case.
    EXPECT_EQ (fileNamesOf (list.filter ("BASS")), juce::StringArray ({ "a.zkp", "c.zkp" }));
    EXPECT_EQ (fileNamesOf (list.filter ("B.ZK")), juce::StringArray ({ "b.zkp" }));
    EXPECT_TRUE (list.filter ("Organ").empty());
    EXPECT_EQ (list.filter ({}).size(), 3u);

    // A file rewritten under another name takes its new place.
    writePreset ("b.zkp", "Arp");
    folder.getChildFile ("b.zkp").setLastModificationTime (juce::Time::getCurrentTime()
                                                           + juce::RelativeTime::hours (1));
    EXPECT_TRUE (list.rescan());
    EXPECT_EQ (fileNamesOf (list.getEntries()), juce::StringArray ({ "b.zkp", "a.zkp", "c.zkp" }));
    EXPECT_EQ (list.getEntries()[0].name, "Arp");

    ASSERT_TRUE (bass.deleteFile());
    EXPECT_TRUE (list.rescan());
    EXPECT_EQ (fileNamesOf (list.getEntries()), juce::StringArray ({ "b.zkp", "c.zkp" }));

    // A folder that vanishes lists nothing, and comes back when it does.
    const auto moved = folder.getSiblingFile (folder.getFileName() + "-moved");
    ASSERT_TRUE (folder.moveFileTo (moved));
    EXPECT_TRUE (list.rescan());
    EXPECT_TRUE (list.getEntries().empty());
    EXPECT_FALSE (list.rescan());
    ASSERT_TRUE (moved.moveFileTo (folder));
    EXPECT_TRUE (list.rescan());
    EXPECT_EQ (list.getEntries().size(), 2u);

    // A look at a folder that did not change reads nothing; a scan told to stop leaves the entries
    // as they were, and the next look takes it up again.
    EXPECT_FALSE (list.rescanIfChanged());
    writePreset ("d.zkp", "Drums");
    int asked = 0;
    EXPECT_FALSE (list.rescanIfChanged ([&asked] { return ++asked > 1; }));
    EXPECT_EQ (list.getEntries().size(), 2u);
    EXPECT_TRUE (list.rescanIfChanged());
    EXPECT_EQ (list.getEntries().size(), 3u);
    EXPECT_FALSE (list.rescanIfChanged());
}

TEST_F (PresetFolderTest, ListsFilesThatAreNotPresetsAsSuchWithoutReadingThem)
{
    auto truncated = defaultPresetDump();
    truncated.removeRange (200, truncated.size());
    writeBytes ("truncated.zkp", truncated);

    // A dump with a byte that no MIDI message can carry.
    auto corrupt = defaultPresetDump();
    corrupt.set (imageOffset + 20, 0xff);
    writeBytes ("corrupt.zkp", corrupt);

    ASSERT_TRUE (folder.getChildFile ("empty.zkp").create());
    writePreset ("UPPER.ZKP", "Loud");

    // A huge file, sparse so that it costs no disk: only its size is ever looked at.
    const auto huge = folder.getChildFile ("huge.zkp");
    ASSERT_TRUE (huge.create());
    std::filesystem::resize_file (huge.getFullPathName().toStdString(), 8ull * 1024 * 1024 * 1024);

    const auto unreadable = writePreset ("unreadable.zkp", "Locked");
    ASSERT_EQ (::chmod (unreadable.getFullPathName().toRawUTF8(), 0), 0);

    // A folder named like a preset is not a file.
    folder.getChildFile ("folder.zkp").createDirectory();

    PresetFolder list (folder);
    EXPECT_TRUE (list.rescan());

    juce::StringArray presets, others;

    for (const auto& entry : list.getEntries())
    {
        (entry.isPresetFile ? presets : others).add (entry.fileName);

        if (! entry.isPresetFile)
        {
            EXPECT_EQ (entry.name, juce::String()) << entry.fileName;
        }
    }

    EXPECT_TRUE (presets.contains ("UPPER.ZKP"));
    EXPECT_FALSE (others.contains ("folder.zkp") || presets.contains ("folder.zkp"));

    for (const auto* name : { "truncated.zkp", "corrupt.zkp", "empty.zkp", "huge.zkp" })
        EXPECT_TRUE (others.contains (name)) << name;

    // The superuser reads it all the same.
    EXPECT_TRUE ((::geteuid() == 0 ? presets : others).contains ("unreadable.zkp"));

    EXPECT_EQ (presets.size() + others.size(), 6);
    EXPECT_FALSE (list.rescan());
}
