#include "engine/SafeFileWriter.h"
#include "support/ScopedFileSizeLimit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{
/** A private folder, removed with everything in it afterwards. */
struct Folder
{
    Folder() { folder.createDirectory(); }
    ~Folder() { folder.deleteRecursively(); }

    juce::Array<juce::File> getEntries() const
    {
        return folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"); // hidden ones too
    }

    const juce::File folder = juce::File::createTempFile ("zkm_safe_writer");
};

juce::MemoryBlock pattern (size_t size, int seed)
{
    juce::MemoryBlock block (size);

    for (size_t i = 0; i < size; ++i)
        block[i] = (char) ((i * 7 + (size_t) seed) % 251);

    return block;
}

juce::MemoryBlock readBytes (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}
} // namespace

//==============================================================================
TEST (SafeFileWriter, SaveCutShortFailsAndKeepsTheOldFileByteForByte)
{
    Folder scratch;
    const auto target = scratch.folder.getChildFile ("preset.zkp");
    const auto oldContent = pattern (476, 1);
    ASSERT_TRUE (target.replaceWithData (oldContent.getData(), oldContent.getSize()));
    const auto newContent = pattern (476, 2);

    {
        const ScopedFileSizeLimit fileSizeLimit (100); // as a full disk would cut the write short
        SafeFileWriter writer (target);
        EXPECT_TRUE (writer.write (newContent.getData(), 50));
        EXPECT_TRUE (writer.write (static_cast<const char*> (newContent.getData()) + 50, newContent.getSize() - 50));
        EXPECT_FALSE (writer.commit());
        EXPECT_TRUE (writer.getResult().failed());
        EXPECT_TRUE (writer.getResult().getErrorMessage().contains (target.getFullPathName()));

        EXPECT_FALSE (SafeFileWriter::replaceWithData (target, newContent.getData(), newContent.getSize()));
    }

    EXPECT_EQ (readBytes (target), oldContent);
    EXPECT_EQ (scratch.getEntries(), juce::Array<juce::File> (target)); // no temporary file left behind

    EXPECT_TRUE (SafeFileWriter::replaceWithData (target, newContent.getData(), newContent.getSize()));
    EXPECT_EQ (readBytes (target), newContent);
    EXPECT_EQ (scratch.getEntries(), juce::Array<juce::File> (target));
}

TEST (SafeFileWriter, ReplacesWhatALinkPointsToAndRefusesWhatCannotBeAFile)
{
    Folder scratch;
    const auto real = scratch.folder.getChildFile ("real.zkp");
    const auto link = scratch.folder.getChildFile ("link.zkp");
    const auto content = pattern (476, 3);
    ASSERT_TRUE (real.replaceWithText ("old"));
    ASSERT_TRUE (real.createSymbolicLink (link, true));

    EXPECT_TRUE (SafeFileWriter::replaceWithData (link, content.getData(), content.getSize()));
    EXPECT_TRUE (link.isSymbolicLink());
    EXPECT_EQ (readBytes (real), content);

    const auto folder = scratch.folder.getChildFile ("a folder");
    ASSERT_TRUE (folder.createDirectory());
    EXPECT_FALSE (SafeFileWriter::replaceWithData (folder, content.getData(), content.getSize()));
    EXPECT_TRUE (folder.isDirectory());

    const auto inMissingFolder = scratch.folder.getChildFile ("missing").getChildFile ("x.zkp");
    EXPECT_FALSE (SafeFileWriter::replaceWithData (inMissingFolder, content.getData(), content.getSize()));

    // An abandoned write changes nothing and leaves nothing behind.
    {
        SafeFileWriter writer (real);
        EXPECT_TRUE (writer.write ("abc", 3));
    }

    EXPECT_EQ (readBytes (real), content);
    EXPECT_EQ (scratch.getEntries().size(), 3);
}

TEST (SafeFileWriter, RefusesAReadOnlyTargetAndKeepsTheModeOfTheOneItReplaces)
{
    Folder scratch;
    const auto readOnly = scratch.folder.getChildFile ("read-only.zkp");
    const auto privateFile = scratch.folder.getChildFile ("private.zkp");
    const auto oldContent = pattern (476, 4);
    const auto newContent = pattern (476, 5);
    ASSERT_TRUE (readOnly.replaceWithData (oldContent.getData(), oldContent.getSize()));
    ASSERT_TRUE (privateFile.replaceWithData (oldContent.getData(), oldContent.getSize()));
    ASSERT_EQ (::chmod (readOnly.getFullPathName().toRawUTF8(), 0444), 0);
    ASSERT_EQ (::chmod (privateFile.getFullPathName().toRawUTF8(), 0600), 0);

    // Refused before anything is written, with the reason; the file and its mode stay.
    EXPECT_TRUE (SafeFileWriter::checkTarget (readOnly).getErrorMessage().contains ("is read-only"));
    SafeFileWriter writer (readOnly);
    EXPECT_FALSE (writer.write (newContent.getData(), newContent.getSize()));
    EXPECT_FALSE (writer.commit());
    EXPECT_TRUE (writer.getResult().getErrorMessage().contains (readOnly.getFullPathName() + ": is read-only"));
    EXPECT_EQ (readBytes (readOnly), oldContent);

    struct stat status;
    ASSERT_EQ (::stat (readOnly.getFullPathName().toRawUTF8(), &status), 0);
    EXPECT_EQ (status.st_mode & 07777, 0444u);

    EXPECT_TRUE (SafeFileWriter::replaceWithData (privateFile, newContent.getData(), newContent.getSize()));
    EXPECT_EQ (readBytes (privateFile), newContent);
    ASSERT_EQ (::stat (privateFile.getFullPathName().toRawUTF8(), &status), 0);
    EXPECT_EQ (status.st_mode & 07777, 0600u);

    // A missing folder is named before anything is made.
    const auto inMissingFolder = scratch.folder.getChildFile ("missing").getChildFile ("x.zkp");
    EXPECT_TRUE (
        SafeFileWriter::checkTarget (inMissingFolder)
            .getErrorMessage()
            .contains ("the folder " + inMissingFolder.getParentDirectory().getFullPathName() + " does not exist"));
    EXPECT_TRUE (SafeFileWriter::checkTarget (privateFile).wasOk());
}
