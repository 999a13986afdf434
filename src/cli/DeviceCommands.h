#pragma once

#include "cli/CommandArguments.h"

/** The commands of the zkm program that talk to the controller. Each takes the command's words,
    returns the program's exit code and ends the command through CliFailure when it cannot do what
    it was asked. */
namespace DeviceCommands
{
/** The syntax of a command that talks to the controller: the device options and --quiet besides
    its own flags, options and number of positional arguments. */
CommandArguments::Syntax deviceSyntax (const juce::String& command, juce::StringArray flags,
                                       juce::StringArray valueOptions, int positional);

int devices (const juce::ArgumentList& arguments);
int get (const juce::ArgumentList& arguments);
int send (const juce::ArgumentList& arguments);
int backup (const juce::ArgumentList& arguments);
int restore (const juce::ArgumentList& arguments);
} // namespace DeviceCommands
