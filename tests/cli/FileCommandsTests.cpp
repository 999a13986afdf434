// The file commands of the zkm program (show, diff, set, import) work on preset files alone: their
// code, and the codec and writer under it, refer to no MIDI manager, no engine and no transfer
// queue, so that none is ever made, no device is looked for and no transfer thread is started.
// Checked on the compiled code, with the device commands' session as the proof that the check sees
// such a reference where there is one.
#include <cstdio>
#include <gtest/gtest.h>
#include <juce_core/juce_core.h>
#include <map>

namespace
{
/** The names that each object of a static library uses without defining, by object file. */
std::map<juce::String, juce::StringArray> readUndefinedNames (const juce::String& library)
{
    juce::ChildProcess nm;
    std::map<juce::String, juce::StringArray> names;

    if (! nm.start (juce::StringArray ("nm", "--demangle", "--undefined-only", library)))
        return names;

    juce::String object;

    for (const auto& line : juce::StringArray::fromLines (nm.readAllProcessOutput()))
    {
        if (line.endsWith (".o:"))
            object = line.dropLastCharacters (1);
        else if (object.isNotEmpty() && line.trim().isNotEmpty())
            names[object].add (line.trim());
    }

    return names;
}

/** The first name of the list that mentions any of the classes of the MIDI side; empty when none does. */
juce::String findMidiSideName (const juce::StringArray& names)
{
    for (const auto& name : names)
        for (const auto* midiClass :
             { "MidiManager", "MidiDeviceLayer", "ZKEditorEngine", "TransferQueue", "PresetTransfer", "DeviceSession" })
            if (name.contains (midiClass))
                return name;

    return {};
}
} // namespace

//==============================================================================
TEST (FileCommands, ReferToNoMidiManagerEngineOrTransferQueue)
{
    const auto cliObjects = readUndefinedNames (ZKM_CLI_LIBRARY);
    const auto coreObjects = readUndefinedNames (ZKM_CORE_LIBRARY);
    ASSERT_TRUE (cliObjects.count ("DeviceSession.cpp.o") == 1) << "nm could not read " << ZKM_CLI_LIBRARY;

    // The proof that a reference would show: the device commands' session makes a MIDI manager.
    EXPECT_TRUE (cliObjects.at ("DeviceSession.cpp.o").joinIntoString ("\n").contains ("MidiManager::MidiManager"));

    for (const auto* object : { "FileCommands.cpp.o", "PresetFiles.cpp.o", "PresetJson.cpp.o" })
    {
        ASSERT_TRUE (cliObjects.count (object) == 1) << object;
        EXPECT_EQ (findMidiSideName (cliObjects.at (object)), juce::String()) << object;
    }

    for (const auto* object : { "PresetFileCodec.cpp.o", "PresetFileWriter.cpp.o" })
    {
        ASSERT_TRUE (coreObjects.count (object) == 1) << object;
        EXPECT_EQ (findMidiSideName (coreObjects.at (object)), juce::String()) << object;
    }
}
