#include "views/ZKMProductProductImageViewSelector.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "views/EditorViews.h"

namespace
{
// Top-left corners of the regions in the picture. The roll mode button sits inside the transport
// area and the switch rows start a little left of the knob row.
const juce::Point<int> drumPadsPosition{ 10, 120 };
const juce::Point<int> knobsPosition{ 384, 12 };
const juce::Point<int> keybedPosition{ 170, 120 };
const juce::Point<int> wheelsPosition{ 30, 10 };
const juce::Point<int> transportPosition{ 200, 56 };
const juce::Point<int> rollModeOffsetInTransport{ 78, 0 };
constexpr int switchesLeftOfKnobs = 5;
constexpr int switchesY = 35;

std::unique_ptr<juce::ImageButton> createRegion (const char* name, const EmbeddedImages::ButtonPictures& pictures,
                                                 juce::Point<int> topLeft)
{
    auto button = EmbeddedImages::createButton (name, pictures);
    button->setTopLeftPosition (topLeft);
    return button;
}
} // namespace

//==============================================================================
ZKMProductProductImageViewSelector::ZKMProductProductImageViewSelector()
{
    const auto background = EmbeddedImages::loadForFirstPaint (ZKM_EMBEDDED_PICTURE (ZKM_Background));
    picture.setPicture (background);
    picture.setBounds (0, 0, background.getWidth(), background.getHeight());
    addAndMakeVisible (picture);
    picture.toBack();

    auto drumPads = createRegion ("Drum Pad Selector Button", ZKM_BUTTON_PICTURES (ZKM_PadBank, Normal, Hover, Select),
                                  drumPadsPosition);
    auto knobs =
        createRegion ("Knob Selector Button", ZKM_BUTTON_PICTURES (ZKM_Knobs, Normal, Hover, Select), knobsPosition);
    auto keybed = createRegion ("Keybed Selector Button", ZKM_BUTTON_PICTURES (ZKM_Keybed, Normal, Hover, Select),
                                keybedPosition);
    auto wheels = createRegion ("Wheel Selector Button", ZKM_BUTTON_PICTURES (ZKM_ModPitch, Normal, Hover, Select),
                                wheelsPosition);
    auto transport = createRegion ("Transport Selector Button",
                                   ZKM_BUTTON_PICTURES (ZKM_Transport, Normal, Hover, Select), transportPosition);
    auto rollMode = createRegion ("Roll Mode Selector Button", ZKM_BUTTON_PICTURES (ZKM_Roll, Normal, Hover, Select),
                                  transport->getPosition() + rollModeOffsetInTransport);
    auto switches =
        createRegion ("Switches Selector Button", ZKM_BUTTON_PICTURES (ZKM_ButtonBank, Normal, Hover, Select),
                      { knobs->getX() - switchesLeftOfKnobs, switchesY });

    auto* rollModeButton = rollMode.get();

    addSelectorButton (EditorViews::drumPadsView, std::move (drumPads));
    addSelectorButton (EditorViews::knobsView, std::move (knobs));
    addSelectorButton (EditorViews::switchesView, std::move (switches));
    addSelectorButton (EditorViews::keybedView, std::move (keybed));
    addSelectorButton (EditorViews::rollModeView, std::move (rollMode));
    addSelectorButton (EditorViews::wheelsView, std::move (wheels));
    addSelectorButton (EditorViews::transportView, std::move (transport));

    for (auto* button : getButtons())
    {
        addAndMakeVisible (button);
        button->addListener (this);
    }

    // The transport region contains the roll mode region; the roll mode button must lie in front so
    // that a point inside it hovers and clicks roll mode, not transport.
    rollModeButton->toFront (false);

    setSize (picture.getWidth(), picture.getHeight());
}

ZKMProductProductImageViewSelector::~ZKMProductProductImageViewSelector() = default;
