#pragma once

#include <juce_core/juce_core.h>

/** How a command of the zkm program ends when it cannot do what it was asked: one line on the
    standard error output and an exit code that tells a script what went wrong. Nothing is written
    to any file once a command has failed. */
namespace CliFailure
{
enum ExitCode
{
    presetsDiffer = 1, // diff: the two presets are not the same (not a failure)
    problemsFound = 1, // check: the preset has problems to look at (not a failure)
    wrongUsage = 2,    // an unknown command or option, a missing or malformed argument
    deviceFailure = 3, // a device that is not there, a transfer that failed or was cancelled
    rejectedFile = 4   // a file that is missing, not a preset, or cannot be written
};

/** Ends the command with "zkm: <message>" and that exit code. */
[[noreturn]] void fail (ExitCode code, const juce::String& message);
} // namespace CliFailure
