#pragma once

#include <juce_core/juce_core.h>

/** The commands of the zkm program that work on preset files alone, without a device. Each takes
    the command's words, returns the program's exit code and ends the command through CliFailure
    when it cannot do what it was asked. */
namespace FileCommands
{
int show (const juce::ArgumentList& arguments);
int diff (const juce::ArgumentList& arguments);
int set (const juce::ArgumentList& arguments);
int import (const juce::ArgumentList& arguments);
int check (const juce::ArgumentList& arguments);
} // namespace FileCommands
