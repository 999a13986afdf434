// The zkm program run as a user runs it, without a display, against the virtual controller kept in
// a slot file: what it writes into files and slots is checked byte for byte.
#include "cli/PresetJson.h"
#include "engine/PresetFileCodec.h"
#include "engine/PresetParameters.h"
#include "engine/VirtualController.h"
#include "model/PresetLayout.h"
#include "model/ZKMModel.h"
#include "support/UnwritableFolder.h"
#include "support/ZkmWorkFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace
{
constexpr int numberOfSlots = ZKMModel::numberOfSlots;

/** The work folder of the zkm tests, its slots from the seed 1234. */
class ZkmProgram : public ZkmWorkFolder
{
protected:
    ZkmProgram()
        : ZkmWorkFolder (1234)
    {
    }

    static int imageLength() { return PresetFileCodec::forZKM().getImageLength(); }

    /** A preset every value of which the editor accepts: random modes, then a random value within
        the range of each parameter as the mode names it, and a random name. */
    juce::Array<juce::uint8> randomValidImage (juce::Random& random)
    {
        juce::Array<juce::uint8> image;
        image.insertMultiple (0, 0, imageLength());

        for (int pass = 0; pass < 2; ++pass)
        {
            for (const auto& parameter : PresetParameters::list (image))
            {
                // The modes first, as they decide what the other bytes of their control are.
                if ((pass == 0) != (parameter.name == "Mode"))
                    continue;

                auto highest = parameter.displayMaximum - parameter.displayOffset;

                if (! parameter.listEntries.isEmpty())
                    highest = juce::jmin (highest, parameter.listEntries.size() - 1);

                const auto lowest = parameter.displayMinimum - parameter.displayOffset;
                image.set (parameter.imageIndex, (juce::uint8) (lowest + random.nextInt (highest - lowest + 1)));
            }
        }

        return image;
    }
};

//==============================================================================
TEST_F (ZkmProgram, GetAndSendAreByteExactAgainstTheSlotFile)
{
    const auto got = runOnController ({ "get", "5", "-o", "slot5.zkp" });
    EXPECT_EQ (got.exitCode, 0) << got.errors;
    EXPECT_TRUE (got.errors.isEmpty()) << got.errors;
    EXPECT_EQ (contentOf (work.getChildFile ("slot5.zkp")), presetFileOf (slotImage (4)));

    juce::Random random (7);
    const auto image = randomValidImage (random);
    const auto before = slotFileContent();
    writePresetFile ("new.zkp", image);

    const auto sent = runOnController ({ "send", "new.zkp", "9" });
    EXPECT_EQ (sent.exitCode, 0) << sent.errors;
    EXPECT_EQ (sent.output.trim(), "Sent to slot 9 and verified");
    EXPECT_EQ (slotImage (8), image);

    // Every other slot is as it was.
    auto expected = before;
    expected.copyFrom (image.getRawDataPointer(), 8 * imageLength(), (size_t) imageLength());
    EXPECT_EQ (slotFileContent(), expected);

    // Changes only: the slot is read first and only the differing byte is written.
    auto changed = image;
    changed.set (300, (juce::uint8) ((changed[300] + 1) % 2));
    writePresetFile ("changed.zkp", changed);
    const auto again = runOnController ({ "send", "new.zkp", "9", "--changes-only" });
    EXPECT_EQ (again.output.trim(), "Slot 9 already holds this preset") << again.errors;
    const auto oneByte = runOnController ({ "send", "changed.zkp", "9", "--changes-only" });
    EXPECT_EQ (oneByte.output.trim(), "Sent to slot 9 and verified (1 byte written)") << oneByte.errors;
    EXPECT_EQ (slotImage (8), changed);
}

TEST_F (ZkmProgram, BacksUpAllSlotsAndRestoresThemOnlyFromACompleteBackup)
{
    const auto original = slotFileContent();
    const auto backedUp = runOnController ({ "backup", "backup" });
    ASSERT_EQ (backedUp.exitCode, 0) << backedUp.errors;
    EXPECT_EQ (backedUp.output.trim(), "24 of 24 slots backed up");

    for (int slot = 0; slot < numberOfSlots; ++slot)
    {
        const auto name = "ZKM Slot " + juce::String (slot + 1).paddedLeft ('0', 2) + ".zkp";
        EXPECT_EQ (contentOf (work.getChildFile ("backup").getChildFile (name)), presetFileOf (slotImage (slot)))
            << name;
    }

    // A second backup into the same folder must be asked for.
    EXPECT_EQ (runOnController ({ "backup", "backup" }).exitCode, 4);

    // A folder that refuses new files, even to root, is named with the system's reason before
    // any slot is read.
    {
        const auto locked = work.getChildFile ("locked");
        ASSERT_TRUE (locked.createDirectory().wasOk());
        const UnwritableFolder lock (locked);
        ASSERT_TRUE (lock.isLocked());
        const auto refusedFolder = runOnController ({ "backup", "locked/new" });
        EXPECT_EQ (refusedFolder.exitCode, 4);
        EXPECT_TRUE (refusedFolder.errors.contains ("cannot create a file in " + locked.getFullPathName() + ": "
                                                    + juce::String (std::strerror (lock.getExpectedError()))))
            << refusedFolder.errors;
    }

    // The controller's slots are overwritten; a backup with one file missing sends nothing.
    juce::MemoryBlock zeros (original.getSize(), true);
    ASSERT_TRUE (slotFile.replaceWithData (zeros.getData(), zeros.getSize()));
    const auto slot7 = work.getChildFile ("backup/ZKM Slot 07.zkp");
    ASSERT_TRUE (slot7.moveFileTo (work.getChildFile ("aside.zkp")));

    const auto refused = runOnController ({ "restore", "backup" });
    EXPECT_EQ (refused.exitCode, 4);
    EXPECT_TRUE (refused.errors.contains ("ZKM Slot 07.zkp is missing")) << refused.errors;
    EXPECT_EQ (slotFileContent(), zeros);

    ASSERT_TRUE (work.getChildFile ("aside.zkp").moveFileTo (slot7));
    const auto restored = runOnController ({ "restore", "backup" });
    EXPECT_EQ (restored.exitCode, 0) << restored.errors;
    EXPECT_TRUE (restored.output.trim().startsWith ("24 of 24 slots restored and verified; 24 slots checked, 24 "
                                                    "rewritten"))
        << restored.output;
    EXPECT_EQ (slotFileContent(), original);
}

TEST_F (ZkmProgram, ShowJsonThenImportGivesBackTheSamePresetFile)
{
    juce::Array<juce::Array<juce::uint8>> images;
    images.add (defaultImage());
    ASSERT_FALSE (images.getFirst().isEmpty());

    juce::Random random (99);

    for (int i = 0; i < 12; ++i)
    {
        auto image = randomValidImage (random);

        // Every other name is not a text: then its character codes stand in the document.
        if (i % 2 == 1)
            image.set (3, 0x05);

        images.add (image);
    }

    for (int i = 0; i < images.size(); ++i)
    {
        writePresetFile ("preset.zkp", images[i]);
        const auto shown = run ({ "show", "preset.zkp", "--json" });
        ASSERT_EQ (shown.exitCode, 0) << shown.errors;
        work.getChildFile ("preset.json").replaceWithText (shown.output);

        const auto imported = run ({ "import", "preset.json", "-o", "imported.zkp" });
        ASSERT_EQ (imported.exitCode, 0) << "image " << i << ": " << imported.errors;
        EXPECT_EQ (contentOf (work.getChildFile ("imported.zkp")), presetFileOf (images[i])) << "image " << i;
    }

    // The document is read strictly: a value out of its range, a missing or an unknown parameter
    // writes nothing.
    const auto document = work.getChildFile ("preset.json").loadFileAsString();
    const auto channelStart = document.indexOf (document.indexOf ("\"Knob 1\""), "\"MIDI Channel\": ");
    const auto channelEnd = document.indexOf (channelStart, "\n");
    ASSERT_GT (channelStart, 0);
    const auto comma = document.substring (channelStart, channelEnd).endsWithChar (',') ? "," : "";

    const std::pair<juce::String, const char*> broken[] = {
        { document.replaceSection (channelStart, channelEnd - channelStart,
                                   "\"MIDI Channel\": 17" + juce::String (comma)),
          "Knob 1 \"MIDI Channel\" takes a number from 1 to 16, not 17" },
        { document.replaceFirstOccurrenceOf ("\"Max\":", "\"Maximum\":"), "\"Max\" is missing" },
        { document.replaceFirstOccurrenceOf ("\"version\": 1,", "\"version\": 1, \"colour\": \"red\","),
          "unknown key \"colour\"" },
        // JSON's own reader would overflow on so many digits.
        { document.replaceFirstOccurrenceOf ("\"Gate\": ", "\"Gate\": 77777777777777777777777777"),
          "more than nine digits" },
    };

    // A document cut inside a character is not read at all (JUCE's strings assume valid UTF-8).
    juce::MemoryBlock cut;
    cut.append (document.toRawUTF8(), document.getNumBytesAsUTF8() / 2);
    cut.append ("\"\xe2\x82", 3);
    work.getChildFile ("cut.json").replaceWithData (cut.getData(), cut.getSize());
    const auto notText = run ({ "import", "cut.json", "-o", "never.zkp" });
    EXPECT_EQ (notText.exitCode, 4);
    EXPECT_TRUE (notText.errors.contains ("not UTF-8 text")) << notText.errors;

    work.getChildFile ("empty.json").create();
    const auto empty = run ({ "import", "empty.json", "-o", "never.zkp" });
    EXPECT_EQ (empty.exitCode, 4);
    EXPECT_TRUE (empty.errors.contains ("the file is empty")) << empty.errors;

    for (const auto& [text, message] : broken)
    {
        work.getChildFile ("broken.json").replaceWithText (text);
        const auto refused = run ({ "import", "broken.json", "-o", "never.zkp" });
        EXPECT_EQ (refused.exitCode, 4) << refused.output;
        EXPECT_TRUE (refused.errors.contains (message)) << refused.errors;
        EXPECT_EQ (refused.errors.trim().indexOfChar ('\n'), -1) << refused.errors;
        EXPECT_FALSE (work.getChildFile ("never.zkp").exists());
    }
}

TEST_F (ZkmProgram, SetChangesOneValueAsShownAndRefusesOneOutOfRange)
{
    const auto file = writePresetFile ("preset.zkp", defaultImage());
    const auto before = contentOf (file);

    const auto refused = run ({ "set", "preset.zkp", "Knob 3", "MIDI Channel", "17" });
    EXPECT_EQ (refused.exitCode, 2);
    EXPECT_TRUE (refused.errors.contains ("1 to 16")) << refused.errors;
    EXPECT_EQ (contentOf (file), before);

    // Channel 16 as shown is byte 15; nothing else changes.
    const auto changed = run ({ "set", "preset.zkp", "Knob 3", "MIDI Channel", "16" });
    ASSERT_EQ (changed.exitCode, 0) << changed.errors;
    const auto after = contentOf (file);
    ASSERT_EQ (after.getSize(), before.getSize());
    int changedBytes = 0;

    for (size_t i = 0; i < after.getSize(); ++i)
        if (after[i] != before[i])
            changedBytes += after[i] == 15 ? 1 : 100;

    EXPECT_EQ (changedBytes, 1);

    const auto differences = run ({ "diff", "preset.zkp", "preset.zkp" });
    EXPECT_EQ (differences.exitCode, 0);
    EXPECT_TRUE (differences.output.isEmpty());

    file.copyFileTo (work.getChildFile ("other.zkp"));
    EXPECT_EQ (run ({ "set", "other.zkp", "Pad 2", "Mode", "CC Toggle" }).exitCode, 0);
    const auto differing = run ({ "diff", "preset.zkp", "other.zkp" });
    EXPECT_EQ (differing.exitCode, 1);
    EXPECT_EQ (differing.output.trim(), "Pad 2: Mode Note / CC Toggle");
}

TEST_F (ZkmProgram, EachFailureHasItsExitCodeAndOneLineAndWritesNothing)
{
    const auto before = slotFileContent();
    work.getChildFile ("short.zkp").replaceWithText ("not a preset");
    writePresetFile ("good.zkp", slotImage (0));

    struct Case
    {
        juce::StringArray arguments;
        int exitCode;
        const char* errorPart;
    };

    const Case cases[] = {
        { { "get", "3", "-o", "never.zkp", "--device", "No Such Device" }, 3, "No Such Device" },
        { { "send", "missing.zkp", "3", "--device", VirtualController::deviceName }, 4, "does not exist" },
        { { "send", "short.zkp", "3", "--device", VirtualController::deviceName }, 4, "is not a preset file" },
        { { "show", "short.zkp" }, 4, "is not a preset file" },
        { { "send", "good.zkp", "25", "--device", VirtualController::deviceName }, 2, "1 to 24" },
        { { "get", "3", "--device", VirtualController::deviceName }, 2, "-o FILE" },
        { { "frobnicate" }, 2, "no command named" },
        { { "show", "good.zkp", "--colour" }, 2, "unknown option --colour" },
    };

    for (const auto& testCase : cases)
    {
        const auto result = run (testCase.arguments);
        const auto line = testCase.arguments.joinIntoString (" ");
        EXPECT_EQ (result.exitCode, testCase.exitCode) << line;
        EXPECT_TRUE (result.errors.startsWith ("zkm: ")) << line << ": " << result.errors;
        EXPECT_TRUE (result.errors.contains (testCase.errorPart)) << line << ": " << result.errors;
        EXPECT_EQ (result.errors.trim().indexOfChar ('\n'), -1) << line << ": " << result.errors;
        EXPECT_TRUE (result.output.isEmpty()) << line;
    }

    EXPECT_FALSE (work.getChildFile ("never.zkp").exists());
    EXPECT_EQ (slotFileContent(), before);
}
//==============================================================================
TEST_F (ZkmProgram, ImportReadsOneStrictDocumentAndNamesWhatIsWrong)
{
    const auto document = PresetJson::toJsonText (defaultImage());
    juce::Array<juce::uint8> image;
    ASSERT_TRUE (PresetJson::fromJsonText (document, image).wasOk());

    // Knob 1's channel, given twice (the pitch wheel before it has a "MIDI Channel" too).
    const auto channelStart = document.indexOf (document.indexOf ("\"Knob 1\""), "\"MIDI Channel\": ");
    const auto channelLine =
        document.substring (channelStart, document.indexOf (channelStart, "\n")).trimCharactersAtEnd (",");
    ASSERT_GT (channelStart, 0);
    const auto twice = document.substring (0, channelStart) + channelLine + ", " + document.substring (channelStart);
    const auto lastBrace = document.lastIndexOfChar ('}');

    const std::pair<juce::String, const char*> refused[] = {
        { twice, "the key \"MIDI Channel\" appears twice in \"Knob 1\"" },
        { document.replaceFirstOccurrenceOf ("\"version\": 1,", "\"version\": 1, \"version\": 1,"),
          "the key \"version\" appears twice" },
        { document.substring (0, lastBrace) + ",}", "a comma stands before \"}\"" },
        { document.replaceFirstOccurrenceOf ("\"format\"", "\"x\": [1, 2,], \"format\""),
          "a comma stands before \"]\"" },
        { document + "\n{}", "there is text after the end of the document" },
        { juce::String::charToString (0xfeff) + document, "byte-order mark" },
        { document.replaceFirstOccurrenceOf ("\"version\": 1", "\"version\": 1e400"), "the number 1e400" },
        { document.replaceFirstOccurrenceOf ("\"Name\":", "\"Na\\u0000me\":"), "\\u0000" },
        { document.replaceFirstOccurrenceOf ("\"version\": 1", "\"version\": 2"), "another version" },
        { document.replaceFirstOccurrenceOf ("\"version\": 1,", ""), "has no \"version\"" },
        { juce::String ("[[[[[1]]]]]"), "nested more than 4 levels deep" },
    };

    for (const auto& [text, message] : refused)
    {
        image.clearQuick();
        const auto result = PresetJson::fromJsonText (text, image);
        EXPECT_TRUE (result.failed()) << message;
        EXPECT_TRUE (result.getErrorMessage().contains (message)) << result.getErrorMessage();
        EXPECT_TRUE (image.isEmpty()) << message;
    }

    // The mark as the bytes of a file, too.
    juce::MemoryBlock marked ("\xef\xbb\xbf", 3);
    marked.append (document.toRawUTF8(), document.getNumBytesAsUTF8());
    EXPECT_TRUE (PresetJson::fromJsonData (marked, image).getErrorMessage().contains ("byte-order mark"));
}

TEST_F (ZkmProgram, HostileInputEndsInOneLineNotInACrashOrAnEndlessRead)
{
    // A document nested 100,000 deep overflowed the JSON reader's stack.
    juce::String deep;
    deep << juce::String::repeatedString ("[", 100000) << juce::String::repeatedString ("]", 100000);
    work.getChildFile ("deep.json").replaceWithText (deep);
    const auto nested = run ({ "import", "deep.json", "-o", "never.zkp" });
    EXPECT_EQ (nested.exitCode, 4) << nested.errors;
    EXPECT_TRUE (nested.errors.contains ("nested more than")) << nested.errors;

    // A file whose size reads as 0 is read up to the limit, not for ever.
    const auto endless = run ({ "import", "/dev/zero", "-o", "never.zkp" });
    EXPECT_EQ (endless.exitCode, 4) << endless.errors;
    EXPECT_TRUE (endless.errors.contains ("more than 1024 kB")) << endless.errors;

    // The document itself is never the preset file written, under any name.
    writePresetFile ("preset.zkp", defaultImage());
    const auto shown = run ({ "show", "preset.zkp", "--json" });
    work.getChildFile ("doc.json").replaceWithText (shown.output);
    const auto documentBytes = contentOf (work.getChildFile ("doc.json"));
    const auto selfImport = run ({ "import", "doc.json", "-o", "./sub/../doc.json" });
    EXPECT_EQ (selfImport.exitCode, 2) << selfImport.errors;
    EXPECT_TRUE (selfImport.errors.contains ("is the document being read")) << selfImport.errors;
    EXPECT_EQ (contentOf (work.getChildFile ("doc.json")), documentBytes);

    // A settings file nested 50,000 deep crashed every program that read it; it is set aside (this
    // one for its depth; one that deep is larger than a settings file can be, and refused for that).
    const auto settings = work.getChildFile ("config/zkm-editor/settings.xml");
    ASSERT_TRUE (settings.getParentDirectory().createDirectory().wasOk());
    settings.replaceWithText ("<?xml version=\"1.0\"?>\n<PROPERTIES>" + juce::String::repeatedString ("<a>", 9000)
                              + juce::String::repeatedString ("</a>", 9000) + "</PROPERTIES>\n");
    const auto damagedText = settings.loadFileAsString();
    const auto got = run ({ "get", "3", "-o", "never.zkp" });
    EXPECT_EQ (got.exitCode, 2) << got.errors; // no device chosen, as without settings
    EXPECT_TRUE (got.errors.contains ("nests its elements more than")) << got.errors;
    EXPECT_TRUE (got.errors.contains ("no MIDI device chosen")) << got.errors;
    EXPECT_FALSE (settings.exists());
    EXPECT_EQ (settings.getSiblingFile ("settings.xml.damaged").loadFileAsString(), damagedText);

    for (const auto& result : { nested, endless, selfImport })
        EXPECT_EQ (result.errors.trim().indexOfChar ('\n'), -1) << result.errors;

    EXPECT_FALSE (work.getChildFile ("never.zkp").exists());
}

TEST_F (ZkmProgram, WordsAreTakenAsTypedAndEachOptionHasOneMeaning)
{
    const auto before = slotFileContent();
    const auto file = writePresetFile ("preset.zkp", defaultImage());
    const auto content = contentOf (file);

    // A slot is a plain number from 1 to 24: 4294967298 wrapped to slot 2.
    for (const auto* slot : { "4294967298", "+5", "5x", " 5", "0", "" })
    {
        const auto sent = runOnController ({ "send", "preset.zkp", slot });
        EXPECT_EQ (sent.exitCode, 2) << slot;
        EXPECT_TRUE (sent.errors.contains ("from 1 to 24")) << sent.errors;
    }

    EXPECT_EQ (slotFileContent(), before);

    // Padding around a value is refused, not trimmed; an empty name clears the name.
    const auto padded = run ({ "set", "preset.zkp", "Knob 3", "CC", " 74" });
    EXPECT_EQ (padded.exitCode, 2);
    EXPECT_TRUE (padded.errors.contains ("\" 74\" has spaces around it")) << padded.errors;
    EXPECT_EQ (contentOf (file), content);
    EXPECT_EQ (run ({ "set", "preset.zkp", "Preset Name", "Name", "" }).exitCode, 0);
    EXPECT_TRUE (run ({ "show", "preset.zkp" }).output.startsWith ("Preset Name: \"\"\n"));

    // -o=FILE is the file; an option where a value is due, or one given twice, is refused.
    EXPECT_EQ (run ({ "set", "preset.zkp", "Knob 3", "CC", "74", "-o=x.zkp" }).exitCode, 0);
    EXPECT_TRUE (work.getChildFile ("x.zkp").existsAsFile());
    const auto optionAsValue = run ({ "set", "preset.zkp", "Knob 3", "CC", "74", "-o", "--force" });
    EXPECT_EQ (optionAsValue.exitCode, 2);
    EXPECT_TRUE (optionAsValue.errors.contains ("-o needs a value, not the option --force")) << optionAsValue.errors;
    EXPECT_EQ (run ({ "set", "preset.zkp", "Knob 3", "CC", "74", "-o", "a.zkp", "--output=b.zkp" }).exitCode, 2);

    // --output names the file in get as in set; --midi-in and --midi-out name the ports.
    const auto got = run ({ "get", "5", "--output", "got.zkp", "--midi-in", VirtualController::deviceName, "--midi-out",
                            VirtualController::deviceName, "--quiet" });
    EXPECT_EQ (got.exitCode, 0) << got.errors;
    EXPECT_EQ (contentOf (work.getChildFile ("got.zkp")), presetFileOf (slotImage (4)));
    EXPECT_EQ (runOnController ({ "send", "preset.zkp", "5", "--output", "x" }).exitCode, 2);

    // A name that is not listed is refused with the list of those that are.
    const auto unknown = run ({ "get", "5", "-o", "never.zkp", "--device", "No Such Device" });
    EXPECT_EQ (unknown.exitCode, 3);
    EXPECT_TRUE (unknown.errors.contains ("\"" + VirtualController::deviceName + "\"")) << unknown.errors;

    // Usage that was not asked for goes to the error output, in lines as wide as the rest.
    const auto bare = run ({});
    EXPECT_EQ (bare.exitCode, 2);
    EXPECT_TRUE (bare.output.isEmpty());
    EXPECT_TRUE (bare.errors.contains ("zkm --version"));
    EXPECT_TRUE (run ({ "--help" }).errors.isEmpty());

    for (const auto& line : juce::StringArray::fromLines (bare.errors))
        EXPECT_LE (line.length(), 78) << line;
}

TEST_F (ZkmProgram, PresetFilesMustBeFramedAndInRangeUnlessForced)
{
    const auto before = slotFileContent();
    auto dump = presetFileOf (defaultImage());

    const std::pair<int, const char*> damages[] = { { 0, "it does not begin with F0" },
                                                    { 2, "its maker's bytes are not 00 7E 51" },
                                                    { 6, "its model's bytes are not" },
                                                    { (int) dump.getSize() - 1, "it does not end with F7" } };

    for (const auto& [position, message] : damages)
    {
        auto damaged = dump;
        damaged[(size_t) position] = 0x01;
        work.getChildFile ("unframed.zkp").replaceWithData (damaged.getData(), damaged.getSize());

        const juce::StringArray commands[] = { { "show", "unframed.zkp" },
                                               { "send", "unframed.zkp", "3", "--device",
                                                 VirtualController::deviceName } };

        for (const auto& command : commands)
        {
            const auto refused = run (command);
            EXPECT_EQ (refused.exitCode, 4) << message;
            EXPECT_TRUE (refused.errors.contains (message)) << refused.errors;
        }

        EXPECT_EQ (run ({ "show", "unframed.zkp", "--force" }).exitCode, 0) << message;
    }

    // A value the editor would not accept is not sent.
    auto image = defaultImage();

    for (const auto& parameter : PresetParameters::list (image))
        if (parameter.controlName == "Knob 1" && parameter.name == "MIDI Channel")
            image.set (parameter.imageIndex, 20);

    writePresetFile ("wild.zkp", image);
    const auto wild = runOnController ({ "send", "wild.zkp", "3" });
    EXPECT_EQ (wild.exitCode, 4);
    EXPECT_TRUE (wild.errors.contains ("Knob 1 \"MIDI Channel\" takes a number from 1 to 16, not 21")) << wild.errors;
    EXPECT_EQ (slotFileContent(), before);

    const auto forced = runOnController ({ "send", "wild.zkp", "3", "--force" });
    EXPECT_EQ (forced.exitCode, 0) << forced.errors;
    EXPECT_EQ (slotImage (2), image);
}

TEST_F (ZkmProgram, WhereTheOutputGoesIsCheckedFirstAndItsPermissionsAreKept)
{
    // Checked before the device: the device named does not exist, and the folder is what is named.
    work.getChildFile ("a file").replaceWithText ("x");
    const auto intoMissing = run ({ "get", "3", "-o", "missing/x.zkp", "--device", "No Such Device" });
    EXPECT_EQ (intoMissing.exitCode, 4) << intoMissing.errors;
    EXPECT_TRUE (intoMissing.errors.contains ("the folder " + work.getChildFile ("missing").getFullPathName()
                                              + " does not exist"))
        << intoMissing.errors;

    const auto intoFile = run ({ "backup", "a file/backup", "--device", "No Such Device" });
    EXPECT_EQ (intoFile.exitCode, 4) << intoFile.errors;
    EXPECT_TRUE (intoFile.errors.contains (work.getChildFile ("a file").getFullPathName() + " is a file"))
        << intoFile.errors;

    // A read-only preset is refused; a private one stays private.
    const auto readOnly = writePresetFile ("read-only.zkp", defaultImage());
    const auto privateFile = writePresetFile ("private.zkp", defaultImage());
    const auto content = contentOf (readOnly);
    ASSERT_EQ (::chmod (readOnly.getFullPathName().toRawUTF8(), 0444), 0);
    ASSERT_EQ (::chmod (privateFile.getFullPathName().toRawUTF8(), 0600), 0);

    const auto refused = run ({ "set", "read-only.zkp", "Knob 3", "CC", "74" });
    EXPECT_EQ (refused.exitCode, 4);
    EXPECT_TRUE (refused.errors.contains ("is read-only")) << refused.errors;
    EXPECT_EQ (contentOf (readOnly), content);

    EXPECT_EQ (run ({ "set", "private.zkp", "Knob 3", "CC", "74" }).exitCode, 0);
    EXPECT_NE (contentOf (privateFile), content);
    struct stat status;
    ASSERT_EQ (::stat (privateFile.getFullPathName().toRawUTF8(), &status), 0);
    EXPECT_EQ (status.st_mode & 07777, 0600u);
}

TEST_F (ZkmProgram, OneProgramAtATimeUsesASlotFile)
{
    const auto before = slotFileContent();
    writePresetFile ("preset.zkp", defaultImage());

    {
        // The editor, or another zkm, holds the file.
        VirtualController editor (slotFile);
        ASSERT_TRUE (editor.keepsSlotsInFile());

        // A second controller in the same program stays in memory.
        testing::internal::CaptureStderr();
        VirtualController second (slotFile);
        const juce::String note (testing::internal::GetCapturedStderr());
        EXPECT_TRUE (second.foundSlotFileInUse());
        EXPECT_FALSE (second.keepsSlotsInFile());
        EXPECT_TRUE (note.contains ("is in use by another program")) << note;

        const auto refused = runOnController ({ "send", "preset.zkp", "3" });
        EXPECT_EQ (refused.exitCode, 3);
        EXPECT_TRUE (refused.errors.contains ("is in use by another program")) << refused.errors;
        EXPECT_EQ (refused.errors.trim().indexOfChar ('\n'), -1) << refused.errors;
        EXPECT_TRUE (refused.output.isEmpty());
    }

    EXPECT_EQ (slotFileContent(), before);
    const auto sent = runOnController ({ "send", "preset.zkp", "3" });
    EXPECT_EQ (sent.exitCode, 0) << sent.errors;
    EXPECT_EQ (slotImage (2), defaultImage());
}

TEST_F (ZkmProgram, CtrlCDuringTheReadBackSaysTheSlotHoldsTheWholeNewPreset)
{
    juce::Random random (77);
    const auto image = randomValidImage (random);
    writePresetFile ("preset.zkp", image);

    // The progress line tells when the read-back has begun; the test then sends the interrupt of a
    // Ctrl+C.
    const auto stopped = runAndInterruptWhenShown ("send preset.zkp 3", "Verifying slot 3");
    ASSERT_TRUE (stopped.interrupted) << stopped.screen;

    EXPECT_EQ (stopped.exitCode, "3");
    EXPECT_TRUE (stopped.screen.contains (
        "cancelled while reading slot 3 back: the slot holds the whole new preset, not verified"))
        << stopped.screen;
    EXPECT_EQ (slotImage (2), image);
}

TEST_F (ZkmProgram, CtrlCWhileAChangesOnlySendReadsTheSlotSaysNothingWasWritten)
{
    juce::Random random (78);
    const auto image = randomValidImage (random);
    writePresetFile ("preset.zkp", image);
    const auto before = slotImage (4);

    // The progress line says what the Send does: it reads the slot before it writes anything.
    const auto stopped = runAndInterruptWhenShown ("send preset.zkp 5 --changes-only", "Reading slot 5");
    ASSERT_TRUE (stopped.interrupted) << stopped.screen;

    EXPECT_EQ (stopped.exitCode, "3");
    EXPECT_TRUE (stopped.screen.contains ("zkm: cancelled while reading slot 5: nothing was written"))
        << stopped.screen;
    EXPECT_EQ (slotImage (4), before);
}

TEST_F (ZkmProgram, AResultThatCannotBeWrittenFailsTheCommand)
{
    writePresetFile ("default.zkp", defaultImage());
    auto other = defaultImage();
    other.set (PresetLayout::getOffset (Knob, 0) + 1, 99);
    writePresetFile ("other.zkp", other);

    // Every command that prints a result: on the controller, on files (also diff, whose presets
    // differ, and check, whose preset has problems), and the program's own texts.
    const juce::StringArray commands[] = { { "names" },
                                           { "show", "default.zkp" },
                                           { "show", "default.zkp", "--json" },
                                           { "diff", "default.zkp", "other.zkp" },
                                           { "check", "default.zkp" },
                                           { "check", "other.zkp", "--json" },
                                           { "--version" },
                                           { "help", "swap" } };

    for (const auto& command : commands)
    {
        const auto full = command[0] == "names" ? runOnController (command, "/dev/full") : run (command, "/dev/full");
        EXPECT_EQ (full.exitCode, 4) << command.joinIntoString (" ");
        EXPECT_EQ (full.errors.trim(), "zkm: cannot write the output") << command.joinIntoString (" ");
    }

    // A command that fails for another reason keeps its code and its message.
    const auto missing = run ({ "show", "missing.zkp" }, "/dev/full");
    EXPECT_EQ (missing.exitCode, 4);
    EXPECT_FALSE (missing.errors.contains ("cannot write the output")) << missing.errors;
    const auto noDevice = run ({ "names", "--device", "No Such Device" }, "/dev/full");
    EXPECT_EQ (noDevice.exitCode, 3);
    EXPECT_FALSE (noDevice.errors.contains ("cannot write the output")) << noDevice.errors;

    // Written where it can be, the same result ends as before.
    EXPECT_EQ (run ({ "check", "default.zkp" }).exitCode, 0);
}
} // namespace
