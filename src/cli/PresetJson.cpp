#include "cli/PresetJson.h"

#include "cli/JsonShapeCheck.h"
#include "engine/ParameterDescriptions.h"
#include "engine/PresetFileCodec.h"
#include "engine/PresetParameters.h"
#include "model/PresetLayout.h"
#include "model/PresetNameText.h"

#include <set>

namespace
{
const char* const formatKey = "format";
const char* const versionKey = "version";
const char* const controlsKey = "controls";
const char* const formatName = "ZKM preset";
constexpr int formatVersion = 1;

juce::String nameControl() { return ParameterDescriptions::getControlName (PresetName, 0); }
constexpr int characterCodeMaximum = 127;

juce::Array<int> namePositionsOf (const juce::Array<PresetParameters::Parameter>& parameters)
{
    juce::Array<int> positions;

    for (const auto& parameter : parameters)
        if (parameter.controlType == PresetName)
            positions.add (parameter.imageIndex);

    return positions;
}

juce::Result refuseShape (const juce::String& problem)
{
    return juce::Result::fail ("not a preset document: " + problem);
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
        group->setProperty (PresetJson::nameParameter, PresetJson::getPrintableName (bytes));
    else
        group->setProperty (PresetJson::nameParameter, PresetJson::getCharacterCodes (bytes));

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
        if (! PresetNameText::isPrintable (character))
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
        const auto code = nameBytes[i];

        if (i < length ? ! PresetNameText::isPrintable (code) : code != 0)
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

juce::Array<juce::var> getCharacterCodes (const juce::Array<juce::uint8>& nameBytes)
{
    juce::Array<juce::var> codes;

    for (auto code : nameBytes)
        codes.add ((int) code);

    return codes;
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
    const auto bytes = JsonShapeCheck::checkBytes (data);

    if (bytes.failed())
        return refuseShape (bytes.getErrorMessage());

    return fromJsonText (juce::String::fromUTF8 (static_cast<const char*> (data.getData()), (int) data.getSize()),
                         image);
}

juce::Result fromJsonText (const juce::String& text, juce::Array<juce::uint8>& image)
{
    // The document's own nesting: document, "controls", a control, and the name's list of codes.
    constexpr size_t deepestNesting = 4;
    const auto shape = JsonShapeCheck::checkText (text, deepestNesting);

    if (shape.failed())
        return refuseShape (shape.getErrorMessage());

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
