#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <utility>
#include <vector>

/** The commands of one command target, each with what it does, in the order the target lists them:
    one list answers both getAllCommands and perform, so that a command cannot be listed without
    being carried out, or the other way round. */
class CommandActions
{
public:
    using Action = std::function<void()>;

    CommandActions (std::initializer_list<std::pair<juce::CommandID, Action>> commandsAndActions)
        : entries (commandsAndActions)
    {
    }

    /** Adds the commands in the order they were given. */
    void addCommandsTo (juce::Array<juce::CommandID>& commands) const
    {
        for (const auto& entry : entries)
            commands.add (entry.first);
    }

    /** Carries out the command; false when it is not one of these. The action runs on a copy: an
        action such as "Close Window" deletes the target, and these actions with it. */
    bool perform (juce::CommandID commandID) const
    {
        for (const auto& entry : entries)
        {
            if (entry.first == commandID)
            {
                const auto action = entry.second;
                action();
                return true;
            }
        }

        return false;
    }

private:
    std::vector<std::pair<juce::CommandID, Action>> entries;
};
