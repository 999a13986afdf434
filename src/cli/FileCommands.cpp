#include "cli/FileCommands.h"

#include "cli/CliFailure.h"
#include "cli/CommandArguments.h"
#include "cli/PresetFiles.h"
#include "cli/PresetJson.h"
#include "engine/ParameterDescriptions.h"
#include "engine/PresetCheck.h"
#include "engine/PresetDifferences.h"
#include "engine/PresetParameters.h"
#include "model/PresetLayout.h"

#include <iostream>
#include <sys/stat.h>

namespace
{
constexpr int labelColumn = 26;

juce::String describeName (const juce::Array<juce::uint8>& bytes)
{
    if (PresetJson::isPrintableName (bytes))
        return PresetJson::getPrintableName (bytes).quoted();

    juce::StringArray codes;

    for (auto code : bytes)
        codes.add (juce::String ((int) code));

    return "character codes " + codes.joinIntoString (" ");
}

/** The parameters of a preset as the editor shows them, one control after another. */
void printListing (const juce::Array<juce::uint8>& image)
{
    const auto parameters = PresetParameters::list (image);
    juce::String currentControl;

    std::cout << ParameterDescriptions::getControlName (PresetName, 0) << ": "
              << describeName (PresetJson::getNameBytes (parameters)) << "\n";

    for (const auto& parameter : parameters)
    {
        if (parameter.controlType == PresetName || ! parameter.shownInEditor)
            continue;

        if (parameter.controlName != currentControl)
        {
            currentControl = parameter.controlName;
            std::cout << currentControl << "\n";
        }

        std::cout << "  " << parameter.label.paddedRight (' ', labelColumn) << " " << parameter.displayValue << "\n";
    }
}

/** Whether two names lead to one file on the disk, through links and "..", as the system sees it. */
bool isSameFile (const juce::File& first, const juce::File& second)
{
    struct stat firstStatus, secondStatus;

    return ::stat (first.getFullPathName().toRawUTF8(), &firstStatus) == 0
           && ::stat (second.getFullPathName().toRawUTF8(), &secondStatus) == 0
           && firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}

const PresetParameters::Parameter& findParameter (const juce::Array<PresetParameters::Parameter>& parameters,
                                                  const juce::String& control, const juce::String& label)
{
    juce::StringArray labels;

    for (const auto& parameter : parameters)
    {
        if (! parameter.controlName.equalsIgnoreCase (control))
            continue;

        if (parameter.label.equalsIgnoreCase (label))
            return parameter;

        labels.add (parameter.label.quoted());
    }

    if (labels.isEmpty())
        CliFailure::fail (CliFailure::wrongUsage,
                          "set: no control named " + control.quoted() + " (\"zkm show FILE\" lists them)");

    CliFailure::fail (CliFailure::wrongUsage, "set: " + control + " has no parameter " + label.quoted()
                                                  + " in its present mode; it has " + labels.joinIntoString (", "));
}
} // namespace

namespace FileCommands
{
int show (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "show", { "--json", "--force" }, {}, 1, 1 });
    const auto image = PresetFiles::readImage (words.getPositionalFile (0), words.hasFlag ("--force"));

    if (words.hasFlag ("--json"))
        std::cout << PresetJson::toJsonText (image) << std::endl;
    else
        printListing (image);

    return 0;
}

int diff (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "diff", { "--force" }, {}, 2, 2 });
    const auto force = words.hasFlag ("--force");
    const auto first = PresetFiles::readImage (words.getPositionalFile (0), force);
    const auto second = PresetFiles::readImage (words.getPositionalFile (1), force);
    const auto differences = PresetDifferences::find (first, second);

    for (const auto& difference : differences)
        std::cout << difference.toString() << "\n";

    std::cout << std::flush;

    // As diff does: the exit code tells a script whether the presets differ.
    return differences.isEmpty() ? 0 : (int) CliFailure::presetsDiffer;
}

int set (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "set", { "--force" }, { "--output|-o" }, 4, 4 });
    const auto file = words.getPositionalFile (0);
    const auto target = words.getValue ("--output").isEmpty() ? file : words.getFile ("--output");
    auto image = PresetFiles::readImage (file, words.hasFlag ("--force"));
    const auto parameters = PresetParameters::list (image);
    const auto control = words.getPositional (1);
    const auto label = words.getPositional (2);
    const auto value = words.getPositional (3);

    // Spaces are part of a name, but around a number or a list entry they are a slip that would
    // otherwise be passed over unseen.
    const auto nameControl = ParameterDescriptions::getControlName (PresetName, 0);
    const auto isName = control.equalsIgnoreCase (nameControl);

    if (! isName && value != value.trim())
        CliFailure::fail (CliFailure::wrongUsage, "set: the value " + value.quoted() + " has spaces around it");

    if (isName && label.equalsIgnoreCase (PresetJson::nameParameter))
    {
        const auto named = PresetJson::setName (value, parameters, image);

        if (named.failed())
            CliFailure::fail (CliFailure::wrongUsage, "set: " + named.getErrorMessage());

        PresetFiles::writeImage (image, target);
        std::cout << nameControl << ": " << value.quoted() << std::endl;
        return 0;
    }

    const auto& parameter = findParameter (parameters, control, label);
    juce::uint8 stored = 0;
    const auto checked = PresetParameters::parseDisplayValue (parameter, value, stored);

    if (checked.failed())
        CliFailure::fail (CliFailure::wrongUsage, "set: " + checked.getErrorMessage());

    image.set (parameter.imageIndex, stored);
    PresetFiles::writeImage (image, target);

    std::cout << parameter.controlName << ": " << parameter.label << " " << parameter.displayValue << " -> "
              << ParameterDescriptions::getDisplayValue (parameter.controlType, parameter.name, stored) << std::endl;
    return 0;
}

int import (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "import", {}, { "--output|-o" }, 1, 1 });

    if (words.getValue ("--output").isEmpty())
        CliFailure::fail (CliFailure::wrongUsage, "import: the preset file to write is missing (-o FILE)");

    const auto source = words.getPositionalFile (0);
    const auto target = words.getFile ("--output");

    // Under any name or link: a failed write would keep the document, but a good one would replace it.
    if (isSameFile (source, target))
        CliFailure::fail (CliFailure::wrongUsage, "import: " + target.getFullPathName()
                                                      + " is the document being read; write the preset file elsewhere");

    PresetFiles::checkWritable (target);
    const auto document = PresetFiles::readDocument (source);
    juce::Array<juce::uint8> image;
    const auto result = PresetJson::fromJsonData (document, image);

    if (result.failed())
        CliFailure::fail (CliFailure::rejectedFile, source.getFileName() + ": " + result.getErrorMessage());

    PresetFiles::writeImage (image, target);
    return 0;
}

int check (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "check", { "--json", "--force" }, {}, 1, 1 });
    const auto image = PresetFiles::readImage (words.getPositionalFile (0), words.hasFlag ("--force"));
    const auto findings = PresetCheck::check (image);

    if (words.hasFlag ("--json"))
    {
        juce::Array<juce::var> list;

        for (const auto& finding : findings)
        {
            juce::Array<juce::var> controls;

            for (const auto& control : finding.controls)
                controls.add (PresetMessages::getName (control));

            auto* object = new juce::DynamicObject();
            const juce::var entry (object); // owns the object from here
            object->setProperty ("text", finding.text);
            object->setProperty ("controls", controls);
            list.add (entry);
        }

        std::cout << juce::JSON::toString (list) << std::endl;
    }
    else
    {
        for (const auto& finding : findings)
            std::cout << finding.text << "\n";

        if (findings.empty())
            std::cout << "No problems found\n";

        std::cout << std::flush;
    }

    // As diff does: the exit code tells a script whether there is something to look at.
    return findings.empty() ? 0 : (int) CliFailure::problemsFound;
}
} // namespace FileCommands
