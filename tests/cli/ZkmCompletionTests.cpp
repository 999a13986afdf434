// The bash completion of zkm (packaging/zkm.bash-completion), sourced into bash and asked as bash
// asks it when Tab is pressed: COMP_WORDS and COMP_CWORD set, the completion function called, and
// COMPREPLY read back. The commands and options it offers are checked against the program's own help.
#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

namespace
{
juce::File completionFile() { return juce::File (ZKM_SOURCE_DIR).getChildFile ("packaging/zkm.bash-completion"); }

struct Completion
{
    juce::StringArray replies;
    juce::String errors;

    /** The replies in one line, as a failure shows them. */
    juce::String list() const { return replies.joinIntoString (" | "); }
};

/** Runs bash, with the environment of this test, through a shell line; its standard output. */
juce::String runShell (const juce::String& command, const juce::File& errorFile = {})
{
    juce::ChildProcess process;
    auto line = command;

    if (errorFile != juce::File())
        line << " 2>" << errorFile.getFullPathName().quoted ('\'');

    EXPECT_TRUE (process.start (juce::StringArray{ "bash", "-c", line }, juce::ChildProcess::wantStdOut));
    const auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (60000);
    return output;
}

juce::String quoted (const juce::String& word) { return "'" + word.replace ("'", "'\\''") + "'"; }

/** What the completion offers for the command line `words`, the last word being completed, with
    `program` standing for zkm (the built program, or one that fails). */
Completion complete (const juce::StringArray& words, const juce::String& program = ZKM_CLI_BINARY)
{
    juce::String script = "export ZKM_EDITOR_VIRTUAL_CONTROLLER=1; source "
                          + quoted (completionFile().getFullPathName()) + "; COMP_WORDS=(";

    for (const auto& word : words)
        script << quoted (word) << " ";

    script << "); COMP_CWORD=" << (words.size() - 1) << "; _zkm " << quoted (program)
           << "; printf '%s\\n' \"${COMPREPLY[@]}\"";

    const auto errorFile = juce::File::createTempFile ("zkm_completion_errors");
    Completion result;
    result.replies = juce::StringArray::fromLines (runShell ("bash -c " + quoted (script), errorFile).trimEnd());
    result.replies.removeEmptyStrings (false);
    result.errors = errorFile.loadFileAsString();
    errorFile.deleteFile();
    return result;
}

/** The commands that `zkm --help` lists, in its order. */
juce::StringArray commandsOfTheProgram()
{
    juce::StringArray commands;

    for (const auto& line : juce::StringArray::fromLines (runShell (quoted (ZKM_CLI_BINARY) + " --help")))
        if (line.startsWith ("  zkm ") && ! line.startsWith ("  zkm --"))
            commands.add (
                line.fromFirstOccurrenceOf ("  zkm ", false, false).upToFirstOccurrenceOf (" ", false, false));

    return commands;
}
} // namespace

//==============================================================================
TEST (ZkmCompletion, OffersTheProgramsCommandsTheirOptionsAndSlotNumbers)
{
    ASSERT_TRUE (completionFile().existsAsFile());
    EXPECT_EQ (runShell ("bash -n " + quoted (completionFile().getFullPathName()) + " && echo valid").trim(), "valid");

    // Every command of the program, and only those; "help" names them again.
    auto commands = commandsOfTheProgram();
    ASSERT_GE (commands.size(), 15);
    EXPECT_EQ (complete ({ "zkm", "" }).list(), commands.joinIntoString (" | "));
    EXPECT_EQ (complete ({ "zkm", "g" }).list(), "get");
    EXPECT_EQ (complete ({ "zkm", "help", "s" }).list(), "send | swap | show | set");

    // Every option that a command's usage names is offered after "-" ("-o" by its long name).
    commands.removeString ("help");

    for (const auto& command : commands)
    {
        const auto usage =
            runShell (quoted (ZKM_CLI_BINARY) + " help " + command).upToFirstOccurrenceOf ("\n", false, false);
        const auto offered = complete ({ "zkm", command, "-" }).replies;

        for (auto word : juce::StringArray::fromTokens (usage, " []", ""))
        {
            word = word == "-o" ? juce::String ("--output") : word;

            if (word.startsWith ("-"))
            {
                EXPECT_TRUE (offered.contains (word)) << command << " does not offer " << word;
            }
        }
    }

    // An option already given is not offered again (the program refuses it twice).
    EXPECT_EQ (complete ({ "zkm", "send", "lead.zkp", "--changes-only", "5", "--c" }).list(), "");
    EXPECT_EQ (complete ({ "zkm", "send", "lead.zkp", "5", "--c" }).list(), "--changes-only");

    // Slot numbers where a slot is due, past the options and their values.
    juce::StringArray slots;

    for (int slot = 1; slot <= 24; ++slot)
        slots.add (juce::String (slot));

    EXPECT_EQ (complete ({ "zkm", "get", "" }).list(), slots.joinIntoString (" | "));
    EXPECT_EQ (complete ({ "zkm", "send", "--force", "lead.zkp", "" }).list(), slots.joinIntoString (" | "));
    EXPECT_EQ (complete ({ "zkm", "swap", "--device", "ZKM Virtual Controller", "3", "2" }).list(),
               "2 | 20 | 21 | 22 | 23 | 24");
    EXPECT_EQ (complete ({ "zkm", "rename", "5", "" }).list(), ""); // the name is the user's
}

TEST (ZkmCompletion, OffersTheDeviceNamesThatZkmDevicesListsQuotedForTheCommandLine)
{
    EXPECT_EQ (complete ({ "zkm", "get", "5", "--device", "" }).list(), "ZKM\\ Virtual\\ Controller");
    EXPECT_EQ (complete ({ "zkm", "names", "--midi-in", "ZKM\\ Vi" }).list(), "ZKM\\ Virtual\\ Controller");
    EXPECT_EQ (complete ({ "zkm", "names", "--midi-out", "\"ZKM" }).list(), "ZKM Virtual Controller");
    EXPECT_EQ (complete ({ "zkm", "names", "--midi-out", "Other" }).list(), "");

    // A program that fails gives no names and no message in the middle of the command line.
    const auto failing = complete ({ "zkm", "get", "5", "--device", "" }, "/nonexistent/zkm");
    EXPECT_TRUE (failing.replies.isEmpty());
    EXPECT_EQ (failing.errors, juce::String());
}
