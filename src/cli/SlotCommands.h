#pragma once

#include <juce_core/juce_core.h>

/** The commands of the zkm program that work on the controller's slots as wholes: the names of all
    slots, a rename, a copy and a swap. Each takes the command's words, returns the program's exit
    code and ends the command through CliFailure when it cannot do what it was asked. */
namespace SlotCommands
{
int names (const juce::ArgumentList& arguments);
int rename (const juce::ArgumentList& arguments);
int copy (const juce::ArgumentList& arguments);
int swap (const juce::ArgumentList& arguments);
} // namespace SlotCommands
