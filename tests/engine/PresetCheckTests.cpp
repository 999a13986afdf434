// Check Preset on keybed zones: a zone whose keys reach past the notes MIDI has is a finding, named
// by its zone, with the notes it plays and which of them are lost.
#include "engine/PresetCheck.h"
#include "model/PresetLayout.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Zone = PresetMessages::ControlRef::Zone;

// The keybed's bytes: "Keybed Transpose" (0, stored 12 for no transposition), "Keybed Octave" (1),
// "Split Mode" (4, 0 is on), "Split Point" (5) and each split zone's transpose and octave.
constexpr int transposeByte = 0, octaveByte = 1, splitModeByte = 4, splitPointByte = 5;
constexpr int lowerTransposeByte = 6, lowerOctaveByte = 7, upperTransposeByte = 10, upperOctaveByte = 11;

juce::Array<juce::uint8> keybedWith (std::initializer_list<std::pair<int, int>> bytes)
{
    auto image = getImageOfDump (defaultPresetDump());

    for (const auto& [byte, value] : bytes)
        image.set (PresetLayout::getOffset (Keybed, 0) + byte, (juce::uint8) value);

    return image;
}

/** The findings about keybed zones, their texts and the zones they name. */
std::vector<std::pair<juce::String, Zone>> zoneFindings (const juce::Array<juce::uint8>& image)
{
    std::vector<std::pair<juce::String, Zone>> found;

    for (const auto& finding : PresetCheck::check (image))
        if (finding.controls.size() == 1 && finding.controls[0].controlType == Keybed)
            found.emplace_back (finding.text, finding.controls[0].zone);

    return found;
}

using Found = std::vector<std::pair<juce::String, Zone>>;
} // namespace

//==============================================================================
TEST (PresetCheckKeybed, AZoneReachingAboveNote127OrBelowNote0IsFoundAndOneEndingAt127IsNot)
{
    EXPECT_EQ (zoneFindings (getImageOfDump (defaultPresetDump())), Found());

    // The whole keybed, 61 keys from note 12 * octave + transpose: up to note 127 exactly, then one
    // semitone more; the highest octave; one semitone below note 0.
    EXPECT_EQ (zoneFindings (keybedWith ({ { octaveByte, 5 }, { transposeByte, 12 + 7 } })), Found());
    EXPECT_EQ (zoneFindings (keybedWith ({ { octaveByte, 5 }, { transposeByte, 12 + 8 } })),
               Found ({ { "The keybed plays notes 68 to 128: notes above 127 are not sent", Zone::whole } }));
    EXPECT_EQ (zoneFindings (keybedWith ({ { octaveByte, 10 } })),
               Found ({ { "The keybed plays notes 120 to 180: notes above 127 are not sent", Zone::whole } }));
    EXPECT_EQ (zoneFindings (keybedWith ({ { octaveByte, 0 }, { transposeByte, 12 - 1 } })),
               Found ({ { "The keybed plays notes -1 to 59: notes below 0 are not sent", Zone::whole } }));

    // Split at the 31st key: each zone on its own keys, the upper one too high, the lower one too low.
    EXPECT_EQ (zoneFindings (keybedWith ({ { splitModeByte, 0 },
                                           { splitPointByte, 30 },
                                           { lowerOctaveByte, 0 },
                                           { lowerTransposeByte, 0 },
                                           { upperOctaveByte, 8 },
                                           { upperTransposeByte, 12 } })),
               Found ({ { "The lower zone plays notes -12 to 17: notes below 0 are not sent", Zone::lower },
                        { "The upper zone plays notes 126 to 156: notes above 127 are not sent", Zone::upper } }));
}
