#include "cli/PresetJson.h"

#include "engine/ParameterDescriptions.h"
#include "engine/PresetFileCodec.h"
#include "engine/PresetParameters.h"
#include "model/ControlType.h"

#include <cstring>
#include <set>
#include <vector>

namespace
{
const char* const formatKey = "format";
const char* const versionKey = "version";
const char* const controlsKey = "controls";
const char* const formatName = "ZKM preset";
constexpr int formatVersion = 1;

juce::String nameControl() { return ParameterDescriptions::getControlName (PresetName, 0); }
constexpr juce::juce_wchar byteOrderMark = 0xfeff;
const char* const byteOrderMarkProblem = "it begins with a byte-order mark, which a JSON document may not have";
constexpr int firstPrintable = 32, lastPrintable = 126, characterCodeMaximum = 127;

juce::Array<int> namePositionsOf (const juce::Array<PresetParameters::Parameter>& parameters)
{
    juce::Array<int> positions;

    for (const auto& parameter : parameters)
        if (parameter.controlType == PresetName)
            positions.add (parameter.imageIndex);

    return positions;
}

/** One object or list of the document while it is scanned: its keys so far, and whether a key or a
    value comes next. */
struct OpenContainer
{
    bool isObject = false;
    bool expectingKey = false;
    juce::String name; // the key it stands under, to name it in a message
    std::set<juce::String> keys;
};

/** Whether the four characters after the 'u' of an escape are "0000". */
bool isEscapedZero (juce::String::CharPointerType escapeLetter)
{
    constexpr int hexDigits = 4;

    for (int i = 0; i < hexDigits; ++i)
        if (*++escapeLetter != '0')
            return false;

    return true;
}

juce::Result refuseShape (const juce::String& problem)
{
    return juce::Result::fail ("not a preset document: " + problem);
}

/** Checks what JUCE's JSON reader lets pass or cannot survive, before the document is read: the
    reader recurses once per bracket (so a document nested a hundred thousand deep overflows the
    stack), gathers the digits of a number in a fixed-size integer (so a long run overflows it),
    keeps the last of two equal keys, stops at the end of the first value and allows a comma before
    a closing bracket. Brackets that do not match and other broken syntax are left to the reader,
    which names them. */
juce::Result checkShape (const juce::String& text)
{
    // The document's own nesting: document, "controls", a control, and the name's list of codes.
    constexpr size_t deepestNesting = 4;
    constexpr int longestDigitRun = 9;

    auto character = text.getCharPointer();
    std::vector<OpenContainer> open;
    juce::String lastKey;
    bool documentEnded = false;
    juce::juce_wchar previous = 0; // the last bracket, comma or colon; 'v' after a value

    if (*character == byteOrderMark)
        return refuseShape (byteOrderMarkProblem);

    while (! character.isEmpty())
    {
        const auto c = *character;

        if (juce::CharacterFunctions::isWhitespace (c))
        {
            ++character;
            continue;
        }

        if (documentEnded)
            return refuseShape ("there is text after the end of the document");

        if (c == '{' || c == '[')
        {
            if (open.size() >= deepestNesting)
                return refuseShape ("it is nested more than " + juce::String ((int) deepestNesting) + " levels deep");

            open.push_back ({ c == '{', c == '{', lastKey, {} });
        }
        else if (c == '}' || c == ']')
        {
            if (previous == ',')
                return refuseShape ("a comma stands before \"" + juce::String::charToString (c) + "\"");

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
                        return refuseShape ("a text holds the character \\u0000, which no name or value may hold");
                }

                content += *character;
            }

            if (! open.empty() && open.back().isObject && open.back().expectingKey)
            {
                if (! open.back().keys.insert (content).second)
                    return refuseShape (
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
                    return refuseShape ("it holds a number of more than nine digits");
            }

            if (token.isEmpty())
            {
                ++character; // anything else is the JSON reader's to name
                continue;
            }

            const auto isNumber = token[0] == '-' || juce::CharacterFunctions::isDigit (token[0]);

            if (isNumber && token.containsAnyOf ("eE"))
                return refuseShape ("it holds the number " + token + "; a preset document has whole numbers only");

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

juce::var valueOf (const PresetParameters::Parameter& parameter)
{
    // A list entry stays text; a number, or a byte outside its list, is a number.
    if (! parameter.listEntries.isEmpty()
        && juce::isPositiveAndBelow ((int) parameter.value, parameter.listEntries.size()))
        return parameter.displayValue;

    return (int) parameter.value + parameter.displayOffset;
}

/** A JSON value as a user would have typed it into the editor; false for anything but a whole
    number or a text. */
bool textOf (const juce::var& value, juce::String& text)
{
    if (value.isString())
        text = value.toString();
    else if (value.isInt() || value.isInt64())
        text = juce::String ((juce::int64) value);
    else if (value.isDouble() && std::abs ((double) value) < 1.0e6 && std::floor ((double) value) == (double) value)
        text = juce::String ((juce::int64) (double) value);
    else
        return false;

    return true;
}

/** Where the document keeps a parameter: its control's object and its label there. */
juce::String keyOf (const juce::String& controlName, const juce::String& label) { return controlName + "\n" + label; }

/** Takes one parameter's value out of the document into the image, range checked. */
juce::Result readParameter (juce::DynamicObject& controls, const PresetParameters::Parameter& parameter,
                            juce::Array<juce::uint8>& image, std::set<juce::String>& used)
{
    auto* group = controls.getProperty (parameter.controlName).getDynamicObject();

    if (group == nullptr)
        return juce::Result::fail (parameter.controlName.quoted() + " is missing or not an object");

    if (! group->hasProperty (parameter.label))
        return juce::Result::fail (parameter.controlName + ": " + parameter.label.quoted() + " is missing");

    juce::String valueText;

    if (! textOf (group->getProperty (parameter.label), valueText))
        return juce::Result::fail (parameter.controlName + " " + parameter.label.quoted()
                                   + " is not a number or a text");

    juce::uint8 stored = 0;
    const auto checked = PresetParameters::parseDisplayValue (parameter, valueText, stored);

    if (checked.failed())
        return checked;

    image.set (parameter.imageIndex, stored);
    used.insert (keyOf (parameter.controlName, parameter.label));
    return juce::Result::ok();
}

/** Anything the preset does not have is a mistake in the document, not to be passed over. */
juce::Result findUnknownEntry (juce::DynamicObject& controls,
                               const juce::Array<PresetParameters::Parameter>& parameters,
                               const std::set<juce::String>& used)
{
    std::set<juce::String> knownControls;

    for (const auto& parameter : parameters)
        knownControls.insert (parameter.controlName);

    for (const auto& control : controls.getProperties())
    {
        const auto controlName = control.name.toString();

        if (controlName == nameControl())
            continue;

        if (knownControls.count (controlName) == 0)
            return juce::Result::fail ("unknown control " + controlName.quoted());

        auto* group = control.value.getDynamicObject();

        if (group == nullptr)
            return juce::Result::fail (controlName.quoted() + " is not an object");

        for (const auto& entry : group->getProperties())
            if (used.count (keyOf (controlName, entry.name.toString())) == 0)
                return juce::Result::fail ("unknown parameter " + controlName + ": " + entry.name.toString().quoted());
    }

    return juce::Result::ok();
}

/** The document's entry of the name: a text when it reads as one, its character codes otherwise. */
juce::var nameEntryOf (const juce::Array<juce::uint8>& bytes)
{
    juce::DynamicObject::Ptr group (new juce::DynamicObject());

    if (PresetJson::isPrintableName (bytes))
    {
        group->setProperty (PresetJson::nameParameter, PresetJson::getPrintableName (bytes));
    }
    else
    {
        juce::Array<juce::var> codes;

        for (auto code : bytes)
            codes.add ((int) code);

        group->setProperty (PresetJson::nameParameter, codes);
    }

    return group.get();
}

juce::Result readName (const juce::var& group, const juce::Array<PresetParameters::Parameter>& parameters,
                       juce::Array<juce::uint8>& image)
{
    auto* object = group.getDynamicObject();

    if (object == nullptr || object->getProperties().size() != 1 || ! object->hasProperty (PresetJson::nameParameter))
        return juce::Result::fail (nameControl().quoted() + " must hold only "
                                   + juce::String (PresetJson::nameParameter).quoted());

    const auto name = object->getProperty (PresetJson::nameParameter);

    if (name.isString())
        return PresetJson::setName (name.toString(), parameters, image);

    auto* list = name.getArray();

    if (list == nullptr)
        return juce::Result::fail ("the preset name must be a text or a list of character codes");

    const auto positions = namePositionsOf (parameters);

    if (list->size() > positions.size())
        return juce::Result::fail ("the preset name has more than " + juce::String (positions.size()) + " characters");

    for (int i = 0; i < positions.size(); ++i)
    {
        const auto code = i < list->size() ? list->getReference (i) : juce::var (0);

        if (! code.isInt() || (int) code < 0 || (int) code > characterCodeMaximum)
            return juce::Result::fail ("a character code of the preset name must be a number from 0 to 127");

        image.set (positions[i], (juce::uint8) (int) code);
    }

    return juce::Result::ok();
}
} // namespace

namespace PresetJson
{
juce::Array<juce::uint8> getNameBytes (const juce::Array<PresetParameters::Parameter>& parameters)
{
    juce::Array<juce::uint8> bytes;

    for (const auto& parameter : parameters)
        if (parameter.controlType == PresetName)
            bytes.add (parameter.value);

    return bytes;
}

juce::Result setName (const juce::String& name, const juce::Array<PresetParameters::Parameter>& parameters,
                      juce::Array<juce::uint8>& image)
{
    const auto positions = namePositionsOf (parameters);

    if (name.length() > positions.size())
        return juce::Result::fail ("the preset name may have at most " + juce::String (positions.size())
                                   + " characters");

    for (auto character : name)
        if (character < firstPrintable || character > lastPrintable)
            return juce::Result::fail ("the preset name may hold printable ASCII characters only");

    for (int i = 0; i < positions.size(); ++i)
        image.set (positions[i], (juce::uint8) (i < name.length() ? name[i] : 0));

    return juce::Result::ok();
}

bool isPrintableName (const juce::Array<juce::uint8>& nameBytes)
{
    int length = 0;

    while (length < nameBytes.size() && nameBytes[length] != 0)
        ++length;

    for (int i = 0; i < nameBytes.size(); ++i)
    {
        const auto code = (int) nameBytes[i];

        if (i < length ? (code < firstPrintable || code > lastPrintable) : code != 0)
            return false;
    }

    return true;
}

juce::String getPrintableName (const juce::Array<juce::uint8>& nameBytes)
{
    juce::String name;

    if (isPrintableName (nameBytes))
        for (int i = 0; i < nameBytes.size() && nameBytes[i] != 0; ++i)
            name += juce::String::charToString ((juce::juce_wchar) nameBytes[i]);

    return name;
}

juce::var toJson (const juce::Array<juce::uint8>& image)
{
    const auto parameters = PresetParameters::list (image);
    juce::DynamicObject::Ptr controls (new juce::DynamicObject());

    controls->setProperty (nameControl(), nameEntryOf (getNameBytes (parameters)));

    for (const auto& parameter : parameters)
    {
        if (parameter.controlType == PresetName)
            continue;

        if (! controls->hasProperty (parameter.controlName))
            controls->setProperty (parameter.controlName, new juce::DynamicObject());

        controls->getProperty (parameter.controlName)
            .getDynamicObject()
            ->setProperty (parameter.label, valueOf (parameter));
    }

    juce::DynamicObject::Ptr document (new juce::DynamicObject());
    document->setProperty (formatKey, formatName);
    document->setProperty (versionKey, formatVersion);
    document->setProperty (controlsKey, controls.get());
    return document.get();
}

juce::String toJsonText (const juce::Array<juce::uint8>& image) { return juce::JSON::toString (toJson (image)); }

juce::Result fromJsonData (const juce::MemoryBlock& data, juce::Array<juce::uint8>& image)
{
    const auto* bytes = static_cast<const char*> (data.getData());
    const auto size = (int) data.getSize();

    if (size == 0)
        return refuseShape ("the file is empty");

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
        return refuseShape (byteOrderMarkProblem);

    if (std::memchr (bytes, 0, (size_t) size) != nullptr || ! juce::CharPointer_UTF8::isValidString (bytes, size))
        return refuseShape ("it is not UTF-8 text");

    return fromJsonText (juce::String::fromUTF8 (bytes, size), image);
}

juce::Result fromJsonText (const juce::String& text, juce::Array<juce::uint8>& image)
{
    const auto shape = checkShape (text);

    if (shape.failed())
        return shape;

    juce::var document;
    const auto parsed = juce::JSON::parse (text, document);

    if (parsed.failed())
        return juce::Result::fail ("not a JSON document: " + parsed.getErrorMessage());

    auto* object = document.getDynamicObject();

    if (object == nullptr || object->getProperty (formatKey) != juce::var (formatName))
        return juce::Result::fail ("not a ZKM preset document (its \"format\" must be \"ZKM preset\")");

    if (! object->hasProperty (versionKey))
        return juce::Result::fail ("the document has no \"version\"; this program reads version 1");

    if (! object->getProperty (versionKey).isInt() || (int) object->getProperty (versionKey) != formatVersion)
        return juce::Result::fail ("a document of another version; this program reads version 1");

    for (const auto& property : object->getProperties())
        if (property.name.toString() != formatKey && property.name.toString() != versionKey
            && property.name.toString() != controlsKey)
            return juce::Result::fail ("unknown key " + property.name.toString().quoted());

    auto* controls = object->getProperty (controlsKey).getDynamicObject();

    if (controls == nullptr)
        return juce::Result::fail ("\"controls\" must be an object");

    // The mode of a knob, pad or switch decides which parameter each of its bytes is, so the modes
    // go in first; the image is then listed once more to name every byte.
    juce::Array<juce::uint8> result;
    result.insertMultiple (0, 0, PresetFileCodec::forZKM().getImageLength());

    std::set<juce::String> used;

    for (const auto& parameter : PresetParameters::list (result))
    {
        if (parameter.name != "Mode")
            continue;

        const auto mode = readParameter (*controls, parameter, result, used);

        if (mode.failed())
            return mode;
    }

    const auto parameters = PresetParameters::list (result);

    if (! controls->hasProperty (nameControl()))
        return juce::Result::fail (nameControl().quoted() + " is missing");

    const auto name = readName (controls->getProperty (nameControl()), parameters, result);

    if (name.failed())
        return name;

    for (const auto& parameter : parameters)
    {
        if (parameter.controlType == PresetName)
            continue;

        const auto read = readParameter (*controls, parameter, result, used);

        if (read.failed())
            return read;
    }

    const auto unknown = findUnknownEntry (*controls, parameters, used);

    if (unknown.failed())
        return unknown;

    image = result;
    return juce::Result::ok();
}
} // namespace PresetJson
