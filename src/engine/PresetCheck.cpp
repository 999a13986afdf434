#include "engine/PresetCheck.h"

#include "engine/ControlAssignments.h"
#include "engine/PresetParameters.h"
#include "model/PresetNameText.h"

#include <map>
#include <set>
#include <tuple>

namespace
{
using Ref = PresetMessages::ControlRef;
using Finding = PresetCheck::Finding;
using Assignment = ControlAssignments::Assignment;
using Kind = Assignment::Kind;

constexpr int numChannels = 16, lowestNote = 0, highestNote = 127;

//==============================================================================
/** One message that some controls send: its kind, channel, number and, for a program change, its bank. */
using MessageKey = std::tuple<Kind, int, int, int>;

struct Senders
{
    juce::Array<Ref> controls;
    bool onlyBankSelects = true; // CC 0 and CC 32 of program changes alone do not clash with each other
    bool anyContinuous = false;  // a knob, a wheel, a note: its values depend on how it is played
    std::set<std::pair<int, int>> buttonValues;

    /** Buttons that send the same two values on one CC (a switch beside the sustain pedal, both 127
        and 0) are one function on two controls; anything else on one message fights over it. */
    bool clash() const
    {
        return controls.size() > 1 && ! onlyBankSelects && (anyContinuous || buttonValues.size() > 1);
    }
};

/** Every message that two or more controls send, a wheel set to "Omni" counted on every channel and
    a keybed zone on each of its notes. A held pad's aftertouch follows its note and is left out. */
std::map<MessageKey, Senders> findSharedMessages (const ControlAssignments& assignments)
{
    std::map<MessageKey, Senders> messages;

    for (const auto& assignment : assignments.getAll())
    {
        if (assignment.kind == Kind::polyPressure)
            continue;

        const auto bank = assignment.kind == Kind::program ? assignment.value : 0;

        for (int channel = 1; channel <= numChannels; ++channel)
        {
            if (! assignment.isOnChannel (channel))
                continue;

            for (int number = assignment.first; number <= assignment.last; ++number)
            {
                auto& senders = messages[{ assignment.kind, channel, number, bank }];
                senders.controls.addIfNotAlreadyThere (assignment.control);
                senders.onlyBankSelects = senders.onlyBankSelects && assignment.bankSelect;

                // A bank select or a program change sends one value: the same program twice is no clash.
                if (assignment.onValue != ControlAssignments::anyValue)
                    senders.buttonValues.insert ({ assignment.onValue, assignment.offValue });
                else if (assignment.value != ControlAssignments::anyValue)
                    senders.buttonValues.insert ({ assignment.value, assignment.value });
                else
                    senders.anyContinuous = true;
            }
        }
    }

    for (auto it = messages.begin(); it != messages.end();)
    {
        if (! it->second.clash())
            it = messages.erase (it);
        else
            ++it;
    }

    return messages;
}

/** One finding per run of notes (or numbers) that the same controls send on one channel. */
void addClashes (const ControlAssignments& assignments, std::vector<Finding>& findings)
{
    const auto shared = findSharedMessages (assignments);

    for (auto it = shared.begin(); it != shared.end();)
    {
        const auto [kind, channel, first, bank] = it->first;
        const auto& controls = it->second.controls;
        auto last = first;
        auto next = std::next (it);

        while (kind == Kind::note && next != shared.end() && next->first == MessageKey{ kind, channel, last + 1, bank }
               && next->second.controls == controls)
        {
            ++last;
            ++next;
        }

        const auto what = last > first ? "Notes " + juce::String (first) + " to " + juce::String (last)
                                       : ControlAssignments::describeKind (kind, first);
        findings.push_back ({ ControlAssignments::joinNames (controls)
                                  + (controls.size() == 2 ? " both send " : " all send ") + what + " on channel "
                                  + juce::String (channel),
                              controls });
        it = next;
    }
}

void addZonesOutsideNotes (const ControlAssignments& assignments, std::vector<Finding>& findings)
{
    for (const auto& zone : assignments.getZones())
    {
        if (! zone.hasKeys())
            continue;

        const auto lowest = zone.noteOf (zone.firstKey), highest = zone.noteOf (zone.lastKey);

        if (lowest >= lowestNote && highest <= highestNote)
            continue;

        const auto name = zone.zone == Ref::Zone::lower   ? "The lower zone"
                          : zone.zone == Ref::Zone::upper ? "The upper zone"
                                                          : "The keybed";
        const auto lost = highest > highestNote ? "notes above 127 are not sent" : "notes below 0 are not sent";
        findings.push_back ({ juce::String (name) + " plays notes " + juce::String (lowest) + " to "
                                  + juce::String (highest) + ": " + lost,
                              { Ref{ (int) Keybed, 0, zone.zone } } });
    }
}

void addMinimumAboveMaximum (const ControlAssignments& assignments, std::vector<Finding>& findings)
{
    auto check = [&findings] (const Ref& control, int minimum, int maximum)
    {
        if (minimum > maximum)
            findings.push_back ({ PresetMessages::getName (control) + ": Min " + juce::String (minimum)
                                      + " is above Max " + juce::String (maximum),
                                  { control } });
    };

    // Every control of a type that has a "Min" and a "Max", whatever its mode, then the mod wheel.
    for (const auto& block : PresetLayout::blocks)
        if (PresetLayout::findParameter (block.type, "Min") != nullptr
            && PresetLayout::findParameter (block.type, "Max") != nullptr)
            for (int i = 0; i < block.count; ++i)
                check ({ (int) block.type, i }, assignments.getByte (block.type, i, "Min"),
                       assignments.getByte (block.type, i, "Max"));

    check ({ (int) Wheels, 1 }, assignments.getByte (Wheels, 0, "Mod Wheel Min"),
           assignments.getByte (Wheels, 0, "Mod Wheel Max"));
}

/** The control that a parameter belongs to, as the rest of the check names controls. */
Ref controlOf (const PresetParameters::Parameter& parameter)
{
    Ref control{ parameter.controlType, parameter.controlIndex };

    if (parameter.controlType == Wheels)
        control.controlIndex = parameter.name.startsWith ("Mod Wheel") ? 1 : 0;

    if (parameter.controlType == Keybed)
        control.zone = parameter.name.startsWith ("Lower")    ? Ref::Zone::lower
                       : parameter.name.startsWith ("Upper")  ? Ref::Zone::upper
                       : parameter.name.startsWith ("Keybed") ? Ref::Zone::whole
                                                              : Ref::Zone::none;

    return control;
}

void addBytesOutOfRange (const juce::Array<juce::uint8>& image, std::vector<Finding>& findings)
{
    for (const auto& parameter : PresetParameters::list (image))
    {
        const auto type = (ControlType) parameter.controlType;

        // The name is judged as a whole below; a byte that the mode of its control does not use sends nothing.
        if (type == PresetName || ! parameter.shownInEditor)
            continue;

        const auto* range = PresetLayout::findRange (type, parameter.name);

        if (range == nullptr || parameter.value <= range->maximum)
            continue;

        // "Pad 2: Curve 9", but "Lower Keybed Curve 10" where the label names its control already.
        const auto offset = range->displayOffset;
        const auto what = parameter.label.startsWith (parameter.controlName)
                              ? parameter.label
                              : parameter.controlName + ": " + parameter.label;
        findings.push_back ({ what + " " + juce::String (parameter.value + offset) + " is outside "
                                  + juce::String (offset) + " to " + juce::String (range->maximum + offset),
                              { controlOf (parameter) } });
    }
}

void addNameThatCannotBeShown (const juce::Array<juce::uint8>& image, std::vector<Finding>& findings)
{
    const auto offset = PresetLayout::getOffset (PresetName, 0);
    const auto length = juce::jmin (PresetNameText::length, image.size() - offset);
    auto end = length;

    // Zeros after the last character are the padding of a shorter name.
    while (end > 0 && image[offset + end - 1] == 0)
        --end;

    juce::StringArray positions;

    for (int i = 0; i < end; ++i)
        if (! PresetNameText::isPrintable ((juce::juce_wchar) image[offset + i]))
            positions.add (juce::String (i + 1));

    if (positions.isEmpty())
        return;

    findings.push_back ({ "The preset name holds characters the controller cannot show: "
                              + juce::String (positions.size() == 1 ? "position " : "positions ")
                              + positions.joinIntoString (", "),
                          { Ref{ (int) PresetName, 0 } } });
}
} // namespace

//==============================================================================
std::vector<PresetCheck::Finding> PresetCheck::check (const juce::Array<juce::uint8>& image)
{
    const ControlAssignments assignments (image, ZKMModel::numKeys);
    std::vector<Finding> findings;

    addClashes (assignments, findings);
    addZonesOutsideNotes (assignments, findings);
    addMinimumAboveMaximum (assignments, findings);
    addBytesOutOfRange (image, findings);
    addNameThatCannotBeShown (image, findings);
    return findings;
}
