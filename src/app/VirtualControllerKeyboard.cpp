#include "app/VirtualControllerKeyboard.h"

#include "app/VirtualControllerColours.h"

namespace
{
constexpr int keysPerOctave = 12;

/** Of the twelve keys of an octave from C, the black ones. */
bool isBlackKey (int key)
{
    const auto inOctave = key % keysPerOctave;
    return inOctave == 1 || inOctave == 3 || inOctave == 6 || inOctave == 8 || inOctave == 10;
}

int countWhiteKeys (int numKeys)
{
    int count = 0;

    for (int key = 0; key < numKeys; ++key)
        count += isBlackKey (key) ? 0 : 1;

    return count;
}

constexpr float blackKeyWidthRatio = 0.6f;
constexpr float blackKeyHeightRatio = 0.62f;
} // namespace

//==============================================================================
class VirtualControllerKeyboard::Key : public juce::Component
{
public:
    Key (VirtualControllerKeyboard& ownerToUse, int indexToUse)
        : juce::Component ("Key " + juce::String (indexToUse + 1))
        , owner (ownerToUse)
        , index (indexToUse)
        , black (isBlackKey (indexToUse))
    {
    }

    bool isBlack() const noexcept { return black; }

    void paint (juce::Graphics& g) override
    {
        // Rounded at the front only: the top corners lie beyond the top edge.
        const auto area = getLocalBounds().toFloat().withTrimmedTop (-4.0f).reduced (0.5f, 0.0f);
        const auto colour = black ? VirtualControllerColours::blackKey : VirtualControllerColours::whiteKey;
        g.setColour (down ? VirtualControllerColours::lit : colour);
        g.fillRoundedRectangle (area, 3.0f);
        g.setColour (VirtualControllerColours::edge);
        g.drawRoundedRectangle (area, 3.0f, 1.0f);
    }

    void mouseDown (const juce::MouseEvent&) override { setDown (true); }
    void mouseUp (const juce::MouseEvent&) override { setDown (false); }

    void setDown (bool shouldBeDown)
    {
        if (down == shouldBeDown)
            return;

        down = shouldBeDown;
        repaint();

        if (owner.onKey != nullptr)
            owner.onKey (index, down);
    }

private:
    VirtualControllerKeyboard& owner;
    const int index;
    const bool black;
    bool down = false;
};

//==============================================================================
VirtualControllerKeyboard::VirtualControllerKeyboard (int numKeys)
    : juce::Component ("Keyboard")
{
    for (int i = 0; i < numKeys; ++i)
        keys.add (new Key (*this, i)); // owned by keys

    // The black keys lie over the white ones and take the clicks there.
    for (auto* key : keys)
        if (! key->isBlack())
            addAndMakeVisible (key);

    for (auto* key : keys)
        if (key->isBlack())
            addAndMakeVisible (key);
}

VirtualControllerKeyboard::~VirtualControllerKeyboard() = default;

void VirtualControllerKeyboard::releaseAll()
{
    for (auto* key : keys)
        key->setDown (false);
}

void VirtualControllerKeyboard::resized()
{
    const auto whiteWidth = (float) getWidth() / (float) juce::jmax (1, countWhiteKeys (keys.size()));
    const auto blackWidth = whiteWidth * blackKeyWidthRatio;
    const auto blackHeight = (float) getHeight() * blackKeyHeightRatio;
    float x = 0;

    for (auto* key : keys)
    {
        if (key->isBlack())
        {
            key->setBounds (
                juce::Rectangle<float> (x - blackWidth / 2.0f, 0.0f, blackWidth, blackHeight).toNearestInt());
        }
        else
        {
            key->setBounds (juce::Rectangle<float> (x, 0.0f, whiteWidth, (float) getHeight()).toNearestInt());
            x += whiteWidth;
        }
    }
}
