#include "cli/CommandArguments.h"
#include "cli/ZkmCommands.h"

#include <juce_events/juce_events.h>

/** The zkm program: the controller and its preset files without a window. It needs no display:
    the message loop that the transfers report through runs on the main thread. */
int main (int argc, char* argv[])
{
    juce::MessageManager::getInstance();
    const auto exitCode = ZkmCommands::run (CommandArguments::fromCommandLine (argc, argv));

    juce::DeletedAtShutdown::deleteAll();
    juce::MessageManager::deleteInstance();
    return exitCode;
}
