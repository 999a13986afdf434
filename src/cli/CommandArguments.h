#pragma once

#include <juce_core/juce_core.h>

/** The words after a command of the zkm program, sorted into positional arguments, flags
    ("--quiet") and options with a value ("-o FILE", "-o=FILE", "--output FILE", "--output=FILE").
    Anything the command does not take, a missing value, an option word where a value is due ("-o
    --quiet") or the wrong number of positional arguments ends the command as wrong usage. A word
    that is a negative number ("-5") is a positional argument, and "--" ends the options. Words are
    taken as typed: nothing is trimmed and an empty word is an argument like any other. */
class CommandArguments
{
public:
    struct Syntax
    {
        juce::String command;           // "get"
        juce::StringArray flags;        // "--quiet|-q"
        juce::StringArray valueOptions; // "--output|-o"
        int minimumPositional = 0;
        int maximumPositional = 0;
    };

    CommandArguments (const juce::ArgumentList& arguments, const Syntax& syntax);

    static juce::ArgumentList fromCommandLine (int argc, const char* const* argv);

    //==============================================================================
    const juce::String& getPositional (int index) const { return positional.getReference (index); }

    /** A positional argument as a file, relative to the working folder. */
    juce::File getPositionalFile (int index) const;

    /** A positional argument as a slot, 1 to 24 as the user counts it, 0 to 23 as the engine does;
        anything but a plain number in that range ends the command as wrong usage. */
    juce::uint8 getSlot (int index) const;

    /** Flags and options are named by any of their spellings ("--quiet|-q"). */
    bool hasFlag (const juce::String& flag) const;

    /** Empty when not given. */
    juce::String getValue (const juce::String& option) const;

    /** Relative to the working folder; File() when not given. */
    juce::File getFile (const juce::String& option) const;

private:
    [[noreturn]] void failUsage (const juce::String& problem) const;
    static bool matches (const juce::String& word, const juce::String& spellings);

    const Syntax syntax;
    juce::StringArray positional;
    juce::StringArray givenFlags;
    juce::StringPairArray values;
};
