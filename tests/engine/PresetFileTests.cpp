#include "engine/PresetFileWriter.h"
#include "model/PresetLayout.h"
#include "support/TestRig.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace TestRig;

namespace
{
/** A folder of its own for every test, removed afterwards; uniquely named, since tests run in parallel. */
class PresetFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                     .getNonexistentChildFile ("ZKMPresetFiles-" + juce::Uuid().toString(), {}, false);
        ASSERT_TRUE (folder.createDirectory());
        engine = createEngine (rig.manager);
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::File writeFile (const juce::String& name, const juce::Array<juce::uint8>& bytes)
    {
        auto file = folder.getChildFile (name);
        EXPECT_TRUE (file.replaceWithData (bytes.getRawDataPointer(), (size_t) bytes.size()));
        return file;
    }

    /** A dump whose image differs from the default preset, so that a load shows. */
    static juce::Array<juce::uint8> createOtherDump()
    {
        auto dump = defaultPresetDump();
        const auto pattern = createPatternImage (11);

        for (int i = 0; i < imageLength; ++i)
            dump.set (imageOffset + i, pattern[i]);

        return dump;
    }

    juce::Array<juce::uint8> defaultImage() const { return getImageOfDump (defaultPresetDump()); }

    static juce::Array<juce::uint8> contentOf (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return { static_cast<const juce::uint8*> (bytes.getData()), (int) bytes.getSize() };
    }

    static unsigned modeOf (const juce::File& file)
    {
        struct stat status;
        return ::stat (file.getFullPathName().toRawUTF8(), &status) == 0 ? (unsigned) (status.st_mode & 07777) : 0u;
    }

    FakeRig rig;
    ZKEditorEngine::Ptr engine;
    juce::File folder;
};
} // namespace

//==============================================================================
TEST_F (PresetFileTest, SavedPresetLoadsBackUnchanged)
{
    auto other = createOtherDump();
    engine->loadPresetData (other);
    const auto file = folder.getChildFile ("Saved.zkp");
    ASSERT_TRUE (engine->savePresetFile (file).wasOk());

    engine->loadPresetData (defaultPresetDump());
    ASSERT_EQ (getImage (*engine), defaultImage());

    EXPECT_EQ (file.getSize(), dumpLength);
    EXPECT_TRUE (engine->loadPresetFile (file));
    EXPECT_EQ (getImage (*engine), getImageOfDump (other));
}

TEST_F (PresetFileTest, WriterNamesSlotZeroKeepsTheModeOfAReplacedFileAndRefusesAReadOnlyOne)
{
    const PresetFileWriter writer (engine->getFileCodec());
    const auto image = createPatternImage (5);

    // Whatever slot a preset came from, its file is the dump of slot 0.
    const auto fresh = folder.getChildFile ("Fresh.zkp");
    ASSERT_TRUE (writer.write (image, fresh).wasOk());
    EXPECT_EQ (contentOf (fresh), engine->createPresetData (0, image));
    EXPECT_EQ (contentOf (fresh)[ZKSysEx::dumpSlotPosition], 0);

    // A private file stays private when it is replaced.
    const auto privateFile = writeFile ("Private.zkp", defaultPresetDump());
    ASSERT_EQ (::chmod (privateFile.getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_TRUE (writer.write (image, privateFile).wasOk());
    EXPECT_EQ (contentOf (privateFile), contentOf (fresh));
    EXPECT_EQ (modeOf (privateFile), 0600u);

    // A read-only file is refused with the reason, and stays as it was; so is an image of another length.
    const auto readOnly = writeFile ("ReadOnly.zkp", defaultPresetDump());
    ASSERT_EQ (::chmod (readOnly.getFullPathName().toRawUTF8(), 0444), 0);
    EXPECT_EQ (writer.write (image, readOnly).getErrorMessage(), readOnly.getFullPathName() + ": is read-only");
    EXPECT_EQ (contentOf (readOnly), defaultPresetDump());
    EXPECT_EQ (modeOf (readOnly), 0444u);

    auto shorter = image;
    shorter.removeLast();
    EXPECT_TRUE (writer.write (shorter, fresh).failed());
    EXPECT_EQ (contentOf (fresh), engine->createPresetData (0, image));
}

TEST_F (PresetFileTest, SizeAloneDecidesOverTheHead)
{
    auto dump = createOtherDump();

    for (int i = 0; i < imageOffset; ++i)
        dump.set (i, 0x01);

    dump.set (9, 0x80); // not even a data byte: the slot is not looked at
    dump.set (dumpLength - 1, 0x00);

    EXPECT_TRUE (engine->loadPresetFile (writeFile ("OddHead.zkp", dump)));
    EXPECT_EQ (getImage (*engine), getImageOfDump (createOtherDump()));
}

TEST_F (PresetFileTest, FileOfAnotherSizeIsRejectedWithControlsUnchanged)
{
    auto shorter = createOtherDump();
    shorter.removeLast();
    auto longer = createOtherDump();
    longer.add (0xF7);

    EXPECT_FALSE (engine->loadPresetFile (writeFile ("Short.zkp", shorter)));
    EXPECT_FALSE (engine->loadPresetFile (writeFile ("Long.zkp", longer)));
    EXPECT_FALSE (engine->loadPresetFile (writeFile ("Empty.zkp", {})));
    EXPECT_EQ (getImage (*engine), defaultImage());
}

TEST_F (PresetFileTest, ImageByteAbove127IsRejected)
{
    for (int position : { imageOffset, imageOffset + 200, dumpLength - 2 })
    {
        auto dump = createOtherDump();
        dump.set (position, 0x80);
        EXPECT_FALSE (engine->loadPresetFile (writeFile ("High.zkp", dump))) << "position " << position;
    }

    EXPECT_EQ (getImage (*engine), defaultImage());
}

TEST_F (PresetFileTest, MissingFilesAndFoldersAreRejected)
{
    EXPECT_FALSE (engine->loadPresetFile (folder.getChildFile ("Missing.zkp")));

    auto subFolder = folder.getChildFile ("Folder.zkp");
    ASSERT_TRUE (subFolder.createDirectory());
    EXPECT_FALSE (engine->loadPresetFile (subFolder));

    EXPECT_FALSE (engine->loadPresetFile (juce::File()));
    EXPECT_EQ (getImage (*engine), defaultImage());
}

TEST_F (PresetFileTest, HugeFileIsRejectedByItsSize)
{
    // A sparse file of a gigabyte: reading it would take long and take memory.
    auto file = writeFile ("Huge.zkp", createOtherDump());
    std::filesystem::resize_file (file.getFullPathName().toStdString(), std::uintmax_t (1) << 30);

    EXPECT_FALSE (engine->loadPresetFile (file));
    EXPECT_EQ (getImage (*engine), defaultImage());
}

TEST_F (PresetFileTest, UnreadableFileIsRejected)
{
    auto file = writeFile ("Locked.zkp", createOtherDump());
    ASSERT_TRUE (file.setReadOnly (true));
    std::filesystem::permissions (file.getFullPathName().toStdString(), std::filesystem::perms::none);

    if (juce::FileInputStream (file).openedOk())
        GTEST_SKIP() << "the file stays readable for this user";

    EXPECT_FALSE (engine->loadPresetFile (file));
    EXPECT_EQ (getImage (*engine), defaultImage());
}

TEST_F (PresetFileTest, AcceptedFileNotifiesTheControls)
{
    struct Listener : Control::Listener
    {
        void controlValueChanged (juce::String, juce::uint8) override { ++calls; }
        int calls = 0;
    } listener;

    engine->getControls (Keybed)[0]->addListener (&listener);
    ASSERT_TRUE (engine->loadPresetFile (writeFile ("Notify.zkp", createOtherDump())));
    EXPECT_EQ (listener.calls, engine->getControls (Keybed)[0]->getParameterNames().size());

    listener.calls = 0;
    EXPECT_FALSE (engine->loadPresetFile (folder.getChildFile ("Missing.zkp")));
    EXPECT_EQ (listener.calls, 0);
}
