#pragma once

#include <juce_core/juce_core.h>

/** The commands of the zkm program that talk to the controller. Each takes the command's words,
    returns the program's exit code and ends the command through CliFailure when it cannot do what
    it was asked. */
namespace DeviceCommands
{
int devices (const juce::ArgumentList& arguments);
int get (const juce::ArgumentList& arguments);
int send (const juce::ArgumentList& arguments);
int backup (const juce::ArgumentList& arguments);
int restore (const juce::ArgumentList& arguments);
} // namespace DeviceCommands
