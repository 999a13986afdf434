#include "cli/ZkmCommands.h"

#include "cli/CliFailure.h"
#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/SlotCommands.h"

#include <cstdio>
#include <iostream>

namespace
{
struct Command
{
    const char* name;
    const char* syntax;
    const char* summary;
    juce::String help;
    std::function<int (const juce::ArgumentList&)> run;
};

const juce::String deviceHelp =
    "Devices: --device NAME opens the MIDI input and output of that name (as \"zkm devices\" prints "
    "them); --midi-in NAME and --midi-out NAME choose each one. Without them, the devices last chosen in "
    "the editor's Device Setup are used. Progress goes to the standard error output while it is a "
    "terminal; --quiet turns it off. Ctrl+C, SIGTERM and SIGHUP cancel a transfer (exit code 3).";

const juce::String outputHelp = "-o FILE, -o=FILE, --output FILE and --output=FILE name the file to write.";

const std::vector<Command>& getCommands()
{
    static const std::vector<Command> commands{
        { "devices", "devices", "Lists the MIDI inputs and outputs",
          "Lists the MIDI inputs and outputs by the names that --device, --midi-in and --midi-out take. "
          "The virtual controller is listed too when ZKM_EDITOR_VIRTUAL_CONTROLLER is set (\"1\": slots "
          "in memory; anything else: the file that keeps its slots).",
          DeviceCommands::devices },
        { "get", "get SLOT -o FILE [--device NAME] [--quiet]", "Fetches a slot (1 to 24) into a preset file",
          "Fetches the preset in slot SLOT (1 to 24) of the controller and writes it as a preset file, "
          "as the editor's Get and Save do. Where the file goes is checked before the device is opened; "
          "nothing is written when the Get fails. "
              + outputHelp + " " + deviceHelp,
          DeviceCommands::get },
        { "send", "send FILE SLOT [--no-verify] [--changes-only] [--force] [--device NAME] [--quiet]",
          "Writes a preset file into a slot and verifies it",
          "Writes the preset file FILE into slot SLOT (1 to 24), then reads the slot back and compares it "
          "with what was sent, naming every parameter that differs. --no-verify skips the read-back. "
          "--changes-only reads the slot first and writes only the bytes that differ; a slot that holds "
          "the preset already is left alone (\"Slot 3 already holds this preset\"). A "
          "file that is not framed as a preset dump, or holds a value that the editor would not accept, "
          "is refused unless --force is given. "
              + deviceHelp,
          DeviceCommands::send },
        { "backup", "backup FOLDER [--force] [--device NAME] [--quiet]", "Backs up all 24 slots into a folder",
          "Reads all 24 slots and writes them as \"ZKM Slot 01.zkp\" ... \"ZKM Slot 24.zkp\" into FOLDER "
          "(made when it does not exist, checked before the device is opened), each file as soon as its "
          "slot has arrived. A folder that holds "
          "a backup already is refused unless --force is given. A slot that does not answer is named in "
          "the summary and the exit code is 3. "
              + deviceHelp,
          DeviceCommands::backup },
        { "restore", "restore FOLDER [--device NAME] [--quiet]", "Writes a backup back into all 24 slots",
          "Checks the 24 files of a backup made by \"zkm backup\" or the editor and, only when every one "
          "is a preset file, writes them into their slots: each slot is read first, only the bytes that "
          "differ are written, and a slot written is read back and compared. "
              + deviceHelp,
          DeviceCommands::restore },
        { "names", "names [--json] [--device NAME] [--quiet]", "Prints the names of all 24 slots",
          "Reads the name of every slot (its 16 name bytes alone, so all 24 take about a second) and "
          "prints one line per slot, \"  1  Lead\". A byte that is not a printable character shows as "
          "a middle dot. --json prints an array of {\"slot\": 1, \"name\": \"Lead\"} instead, with \"bytes\" (the "
          "16 bytes) for a name that holds bytes that are not printable. A slot that does not answer is "
          "named and the exit code is 3. "
              + deviceHelp,
          SlotCommands::names },
        { "rename", "rename SLOT NAME [--device NAME] [--quiet]", "Renames the preset in a slot",
          "Writes NAME (at most 16 printable ASCII characters, taken as typed) as the name of the preset "
          "in slot SLOT (1 to 24): only the 16 name bytes are written, then read back and compared. "
              + deviceHelp,
          SlotCommands::rename },
        { "copy", "copy FROM TO [--device NAME] [--quiet]", "Copies the preset of one slot into another",
          "Reads slot FROM and brings slot TO to the same preset: only the bytes that differ are "
          "written, and each one is read back and compared. "
              + deviceHelp,
          SlotCommands::copy },
        { "swap", "swap A B [--device NAME] [--quiet]", "Swaps the presets of two slots",
          "Reads slots A and B, writes B's preset into A, then A's old preset into B, each written byte "
          "read back and compared. Before it writes, A's preset is saved as \"Slot NN before swap.zkp\" "
          "in the current folder (never over another file), which goes once the swap is verified. When "
          "the swap stops between the two (an interrupt, a failure), A's old preset is held by no slot "
          "but that file: the message names it and says which slot holds what. "
              + deviceHelp,
          SlotCommands::swap },
        { "show", "show FILE [--json] [--force]", "Prints every parameter of a preset file",
          "Prints the parameters of a preset file by control and name with the values the editor shows. "
          "--json prints one JSON document instead, which holds every byte of the preset (also those "
          "the present mode of a knob, pad or switch does not use) and which \"zkm import\" reads back. "
          "A file that is not framed as a preset dump (F0, the maker's and the model's bytes, F7) is "
          "refused unless --force is given, here and in diff, set and send.",
          FileCommands::show },
        { "diff", "diff FILE_A FILE_B [--force]", "Lists the parameters in which two preset files differ",
          "Prints one line per parameter that differs, \"Knob 3: CC 21 / 74\", as the editor's compare "
          "window does. The exit code is 0 when the presets are the same and 1 when they differ.",
          FileCommands::diff },
        { "set", "set FILE CONTROL PARAMETER VALUE [-o OUT] [--force]", "Changes one parameter of a preset file",
          "Sets a parameter, named as \"zkm show\" names it (\"Knob 3\" \"CC\" 74), to a value as the "
          "editor shows it: a number with its display offset (channels from 1) or an entry of its list. "
          "The value is range checked as the editor checks it. The file is replaced safely, or OUT is "
          "written instead. \"Preset Name\" \"Name\" TEXT renames the preset. Words are taken as typed: "
          "a value with spaces around it is refused, an empty name clears the name.",
          FileCommands::set },
        { "import", "import JSON -o FILE", "Makes a preset file from a JSON document",
          "Reads a document as \"zkm show --json\" prints it and writes the preset file. Every control "
          "and parameter must be there once and every value is range checked; a key given twice, a comma "
          "before a closing bracket, text after the document and a document of more than 1 MB are "
          "refused, and nothing is written then. FILE may not be the document itself. "
              + outputHelp,
          FileCommands::import },
        { "check", "check FILE [--json] [--force]", "Lists what may go wrong when a preset is played",
          "Prints one line per problem of a preset file, as the editor's Check Preset does: controls that "
          "send the same message in the modes they are in (\"Knob 3 and Pad 5 both send CC 74 on channel "
          "1\"), keybed zones that reach notes outside 0 to 127, a Min above its Max, values outside their "
          "ranges and a name with characters the controller cannot show; \"No problems found\" when there "
          "are none. --json prints an array of {\"text\": ..., \"controls\": [\"Knob 3\", ...]} instead. "
          "The exit code is 0 when there are no problems and 1 when there are.",
          FileCommands::check },
    };

    return commands;
}

/** The command of that name; ends the program as wrong usage when there is none. */
const Command& findCommand (const juce::String& name)
{
    for (const auto& command : getCommands())
        if (name == command.name)
            return command;

    CliFailure::fail (CliFailure::wrongUsage, "no command named " + name.quoted() + " (\"zkm --help\" lists them)");
}

/** The text in lines of at most lineWidth characters, broken between words; the first line starts
    with firstIndent, the others with indent. */
juce::String wrapped (const juce::String& text, const juce::String& firstIndent = {}, const juce::String& indent = {})
{
    constexpr int lineWidth = 78;
    juce::String result, line (firstIndent);

    for (const auto& word : juce::StringArray::fromTokens (text, " ", {}))
    {
        if (line.trim().isNotEmpty() && line.length() + 1 + word.length() > lineWidth)
        {
            result << line << "\n";
            line = indent;
        }

        line << (line.trim().isEmpty() ? "" : " ") << word;
    }

    return result + line;
}

void printUsage (std::ostream& stream)
{
    stream << "zkm " << ZKM_VERSION_STRING
           << ": the ZKM controller and its preset files from the command line\n\nUsage:\n";

    // Each command on a line of its own and its summary below it, so that no line is wider than
    // the rest of the help.
    for (const auto& command : getCommands())
        stream << wrapped ("zkm " + juce::String (command.syntax), "  ", "          ") << "\n        "
               << command.summary << "\n";

    stream
        << "\n  zkm help COMMAND    explains a command\n"
        << "  zkm --version       prints the version\n\n"
        << wrapped (deviceHelp) << "\n\n"
        << wrapped (outputHelp) << "\n\n"
        << wrapped (
               "Exit codes: 0 done; 1 the presets differ (diff) or have problems (check); 2 wrong usage; 3 a device or "
               "transfer failure, or a cancel; 4 a missing, rejected or unwritable file, or output that cannot be "
               "written. No file is ever left half written.")
        << std::endl;
}

int printHelp (const juce::ArgumentList& arguments)
{
    if (arguments.size() < 2)
    {
        printUsage (std::cout);
        return 0;
    }

    const auto& command = findCommand (arguments[1].text);
    std::cout << "Usage: zkm " << command.syntax << "\n\n" << wrapped (command.help) << std::endl;
    return 0;
}
} // namespace

namespace ZkmCommands
{
int run (const juce::ArgumentList& arguments)
{
    const auto exitCode = juce::ConsoleApplication::invokeCatchingFailures (
        [&arguments]
        {
            // Usage that was not asked for is an error, and goes where errors go.
            if (arguments.size() == 0)
            {
                printUsage (std::cerr);
                return (int) CliFailure::wrongUsage;
            }

            const auto name = arguments[0].text;

            if (name == "help" || name == "--help" || name == "-h")
                return printHelp (arguments);

            if (name == "--version")
            {
                std::cout << "zkm " << ZKM_VERSION_STRING << std::endl;
                return 0;
            }

            const auto& command = findCommand (name);

            // "zkm get --help" explains rather than runs.
            for (int i = 1; i < arguments.size(); ++i)
                if (arguments[i].text == "--help" || arguments[i].text == "-h")
                    return printHelp (juce::ArgumentList ("zkm", juce::StringArray ("help", name)));

            return command.run (arguments);
        });

    // A result that did not reach the standard output (a full disk, /dev/full) is
    // no result: the command fails, unless it failed already and said so.
    std::cout.flush();
    const auto outputLost = ! std::cout.good() || std::fflush (stdout) != 0 || std::ferror (stdout) != 0;

    if (outputLost && (exitCode == 0 || exitCode == CliFailure::presetsDiffer))
    {
        std::cerr << "zkm: cannot write the output" << std::endl;
        return CliFailure::rejectedFile;
    }

    return exitCode;
}
} // namespace ZkmCommands
