#include "cli/JsonShapeCheck.h"

#include <cstring>
#include <set>
#include <vector>

namespace
{
constexpr juce::juce_wchar byteOrderMark = 0xfeff;
const char* const byteOrderMarkProblem = "it begins with a byte-order mark, which a JSON document may not have";
} // namespace

struct JsonShapeCheck::OpenContainer
{
    bool isObject = false;
    bool expectingKey = false;
    juce::String name; // the key it stands under, to name it in a message
    std::set<juce::String> keys;
};

//==============================================================================
juce::Result JsonShapeCheck::checkBytes (const juce::MemoryBlock& data)
{
    const auto* bytes = static_cast<const char*> (data.getData());
    const auto size = (int) data.getSize();

    if (size == 0)
        return juce::Result::fail ("the file is empty");

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
        return juce::Result::fail (byteOrderMarkProblem);

    if (std::memchr (bytes, 0, (size_t) size) != nullptr || ! juce::CharPointer_UTF8::isValidString (bytes, size))
        return juce::Result::fail ("it is not UTF-8 text");

    return juce::Result::ok();
}

/** Whether the four characters after the 'u' of an escape are "0000". */
bool JsonShapeCheck::isEscapedZero (juce::String::CharPointerType escapeLetter)
{
    constexpr int hexDigits = 4;

    for (int i = 0; i < hexDigits; ++i)
        if (*++escapeLetter != '0')
            return false;

    return true;
}

juce::Result JsonShapeCheck::checkText (const juce::String& text, size_t deepestNesting)
{
    constexpr int longestDigitRun = 9;

    auto character = text.getCharPointer();
    std::vector<OpenContainer> open;
    juce::String lastKey;
    bool documentEnded = false;
    juce::juce_wchar previous = 0; // the last bracket, comma or colon; 'v' after a value

    if (*character == byteOrderMark)
        return juce::Result::fail (byteOrderMarkProblem);

    while (! character.isEmpty())
    {
        const auto c = *character;

        if (juce::CharacterFunctions::isWhitespace (c))
        {
            ++character;
            continue;
        }

        if (documentEnded)
            return juce::Result::fail ("there is text after the end of the document");

        if (c == '{' || c == '[')
        {
            if (open.size() >= deepestNesting)
                return juce::Result::fail ("it is nested more than " + juce::String ((int) deepestNesting)
                                           + " levels deep");

            open.push_back ({ c == '{', c == '{', lastKey, {} });
        }
        else if (c == '}' || c == ']')
        {
            if (previous == ',')
                return juce::Result::fail ("a comma stands before \"" + juce::String::charToString (c) + "\"");

            if (! open.empty())
                open.pop_back();

            documentEnded = open.empty();
        }
        else if (c == ',' || c == ':')
        {
            if (! open.empty() && open.back().isObject)
                open.back().expectingKey = c == ',';
        }
        else if (c == '"')
        {
            juce::String content;

            for (++character; ! character.isEmpty() && *character != '"'; ++character)
            {
                if (*character == '\\')
                {
                    content += *character;
                    ++character;

                    if (character.isEmpty())
                        break;

                    // JUCE's strings end at a zero character, so "a\u0000b" would read as "a".
                    if (*character == 'u' && isEscapedZero (character))
                        return juce::Result::fail (
                            "a text holds the character \\u0000, which no name or value may hold");
                }

                content += *character;
            }

            if (! open.empty() && open.back().isObject && open.back().expectingKey)
            {
                if (! open.back().keys.insert (content).second)
                    return juce::Result::fail (
                        "the key " + content.quoted() + " appears twice"
                        + (open.back().name.isEmpty() ? juce::String() : " in " + open.back().name.quoted()));

                lastKey = content;
            }

            documentEnded = open.empty();
        }
        else
        {
            // A number or a word (true, false, null).
            juce::String token;
            int digits = 0;

            for (; ! character.isEmpty()
                   && (juce::CharacterFunctions::isLetterOrDigit (*character) || *character == '+' || *character == '-'
                       || *character == '.');
                 ++character)
            {
                token += *character;
                digits = juce::CharacterFunctions::isDigit (*character) ? digits + 1 : 0;

                if (digits > longestDigitRun)
                    return juce::Result::fail ("it holds a number of more than nine digits");
            }

            if (token.isEmpty())
            {
                ++character; // anything else is the JSON reader's to name
                continue;
            }

            const auto isNumber = token[0] == '-' || juce::CharacterFunctions::isDigit (token[0]);

            if (isNumber && token.containsAnyOf ("eE"))
                return juce::Result::fail ("it holds the number " + token
                                           + "; a preset document has whole numbers only");

            documentEnded = open.empty();
            previous = 'v';
            continue;
        }

        previous = (c == '}' || c == ']' || c == '"') ? 'v' : c;

        if (! character.isEmpty())
            ++character;
    }

    return juce::Result::ok();
}
