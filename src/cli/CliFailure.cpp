#include "cli/CliFailure.h"

#include <exception>

namespace CliFailure
{
void fail (ExitCode code, const juce::String& message)
{
    // ConsoleApplication turns this into the printed line and the exit code of the program.
    juce::ConsoleApplication::fail ("zkm: " + message, (int) code);
    std::terminate(); // not reached: fail always throws
}
} // namespace CliFailure
