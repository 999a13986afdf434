#include "cli/CommandArguments.h"

#include "cli/CliFailure.h"
#include "model/ZKMModel.h"

namespace
{
constexpr int numberOfSlots = ZKMModel::numberOfSlots;

bool isNumber (const juce::String& word) { return word.length() > 1 && word.substring (1).containsOnly ("0123456789"); }

bool looksLikeOption (const juce::String& word)
{
    return word.startsWithChar ('-') && word != "-" && ! isNumber (word);
}
} // namespace

CommandArguments::CommandArguments (const juce::ArgumentList& arguments, const Syntax& syntaxToUse)
    : syntax (syntaxToUse)
{
    bool optionsEnded = false;

    // The first word is the command itself.
    for (int i = 1; i < arguments.size(); ++i)
    {
        const auto word = arguments[i].text;

        if (optionsEnded || ! looksLikeOption (word))
        {
            positional.add (word);
            continue;
        }

        if (word == "--")
        {
            optionsEnded = true;
            continue;
        }

        // "-o=FILE" and "--output=FILE" carry their value in the same word.
        const auto name = word.upToFirstOccurrenceOf ("=", false, false);
        const auto hasInlineValue = word.containsChar ('=');
        bool known = false;

        for (const auto& flag : syntax.flags)
        {
            if (matches (name, flag))
            {
                if (hasInlineValue)
                    failUsage (name + " takes no value");

                givenFlags.add (flag);
                known = true;
            }
        }

        for (const auto& option : syntax.valueOptions)
        {
            if (! matches (name, option))
                continue;

            known = true;

            if (values.containsKey (option))
                failUsage (name + " is given twice");

            if (hasInlineValue)
                values.set (option, word.fromFirstOccurrenceOf ("=", false, false));
            else if (i + 1 >= arguments.size())
                failUsage (name + " needs a value");
            else if (looksLikeOption (arguments[i + 1].text))
                // "-o --quiet" is a forgotten value far more often than a file named "--quiet".
                failUsage (name + " needs a value, not the option " + arguments[i + 1].text);
            else
                values.set (option, arguments[++i].text);

            if (values[option].isEmpty())
                failUsage (name + " needs a value");
        }

        if (! known)
            failUsage ("unknown option " + name);
    }

    if (positional.size() < syntax.minimumPositional)
        failUsage ("missing arguments");

    if (positional.size() > syntax.maximumPositional)
        failUsage ("unexpected argument " + positional[syntax.maximumPositional].quoted());
}

//==============================================================================
juce::ArgumentList CommandArguments::fromCommandLine (int argc, const char* const* argv)
{
    // juce::ArgumentList's own constructor trims every word, drops empty ones and takes off quotes,
    // which would turn "" (an empty preset name) or " 5" into something the user did not type.
    juce::ArgumentList list (argc > 0 ? juce::String::fromUTF8 (argv[0]) : juce::String(), juce::StringArray());

    for (int i = 1; i < argc; ++i)
        list.arguments.add ({ juce::String::fromUTF8 (argv[i]) });

    return list;
}

juce::uint8 CommandArguments::getSlot (int index) const
{
    const auto& text = getPositional (index);
    int slot = 0;

    // Digits only, and counted here rather than by getIntValue, which wraps "4294967298" to 2.
    for (auto character : text)
    {
        if (! juce::CharacterFunctions::isDigit (character) || slot > numberOfSlots)
        {
            slot = 0;
            break;
        }

        slot = slot * 10 + (int) (character - '0');
    }

    if (slot < 1 || slot > numberOfSlots)
        failUsage ("the slot must be a number from 1 to " + juce::String (numberOfSlots) + ", not " + text.quoted());

    return (juce::uint8) (slot - 1);
}

juce::File CommandArguments::getPositionalFile (int index) const
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (getPositional (index));
}

bool CommandArguments::hasFlag (const juce::String& flag) const
{
    for (const auto& given : givenFlags)
        if (matches (flag.upToFirstOccurrenceOf ("|", false, false), given))
            return true;

    return false;
}

juce::String CommandArguments::getValue (const juce::String& option) const
{
    for (const auto& key : values.getAllKeys())
        if (matches (option.upToFirstOccurrenceOf ("|", false, false), key))
            return values[key];

    return {};
}

juce::File CommandArguments::getFile (const juce::String& option) const
{
    const auto value = getValue (option);
    return value.isEmpty() ? juce::File() : juce::File::getCurrentWorkingDirectory().getChildFile (value);
}

//==============================================================================
void CommandArguments::failUsage (const juce::String& problem) const
{
    CliFailure::fail (CliFailure::wrongUsage,
                      syntax.command + ": " + problem + " (see \"zkm help " + syntax.command + "\")");
}

bool CommandArguments::matches (const juce::String& word, const juce::String& spellings)
{
    return juce::StringArray::fromTokens (spellings, "|", {}).contains (word);
}
