// Types any text into a number box and ends the edit: the box keeps a number inside its range, and
// its label shows that number.
#include "widgets/NumberBox.h"

#include <cstdlib>

namespace
{
struct Fixture
{
    juce::ScopedJuceInitialiser_GUI juce;
    NumberBox box;

    Fixture() { box.setSize (100, 18); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Fixture fixture;
    auto& box = fixture.box;
    if (size < 2)
        return 0;

    // The first two bytes choose a range such as the editor's boxes use (-12..12, 0..127, 1..16 ...).
    const int minimum = (int) (int8_t) data[0];
    const int maximum = minimum + data[1];
    box.minimum = minimum;
    box.maximum = maximum;
    box.setNumber (minimum);

    box.showEditor();
    if (auto* editor = box.getCurrentTextEditor())
    {
        editor->selectAll();
        // Typed text goes through the field's input filter, as key presses do.
        editor->insertTextAtCaret (juce::String::fromUTF8 ((const char*) data + 2, (int) size - 2));
        box.hideEditor (false);
    }

    if (box.getValue() < minimum || box.getValue() > maximum)
        std::abort();
    if (box.getText() != juce::String (box.getValue(), 0))
        std::abort();
    return 0;
}
