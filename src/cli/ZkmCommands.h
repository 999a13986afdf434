#pragma once

#include <juce_core/juce_core.h>

/** The command table of the zkm program: every command with its syntax and help, and the one
    place that runs a command line. To add a command, write its function (FileCommands or
    DeviceCommands) and give it a row of the table in ZkmCommands.cpp. */
namespace ZkmCommands
{
/** Runs the command that the first word names and returns the program's exit code. */
int run (const juce::ArgumentList& arguments);
} // namespace ZkmCommands
