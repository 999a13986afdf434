#include "views/TabSelectorButtons.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "views/EditorViews.h"

namespace
{
struct Tab
{
    const char* buttonName;
    EmbeddedImages::ButtonPictures pictures;
};

// In the order of EditorViews::ViewIndex: the tab at position i selects view i. A toggled-on image button draws its
// pressed picture, so the tab of the shown view shows its "On" picture.
const Tab tabs[] = {
    { "Main View Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Main, Off, Over, On) },
    { "Knob Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Knobs, Off, Over, On) },
    { "Switches Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Switches, Off, Over, On) },
    { "Drum Pad Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_DrumPads, Off, Over, On) },
    { "Roll Mode Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_RollMode, Off, Over, On) },
    { "Transport Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Transport, Off, Over, On) },
    { "Keybed Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Keybed, Off, Over, On) },
    { "Pitch/Mod Wheel Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_ModPitch, Off, Over, On) },
    { "Sustain Selector Button", ZKM_BUTTON_PICTURES (ZKEditor_MenuTabs_Sustain, Off, Over, On) },
};

static_assert (std::size (tabs) == EditorViews::numViews, "one tab per editor view");
} // namespace

//==============================================================================
TabSelectorButtons::TabSelectorButtons()
{
    for (int viewIndex = 0; viewIndex < (int) std::size (tabs); ++viewIndex)
        addSelectorButton (viewIndex,
                           EmbeddedImages::createButton (tabs[viewIndex].buttonName, tabs[viewIndex].pictures));

    auto x = 0;

    for (auto* button : getButtons())
    {
        button->setTopLeftPosition (x, 0);
        x += button->getWidth();
        addAndMakeVisible (button);
        button->addListener (this);
    }

    // The row takes its height from the transport tab; all tabs are equally high.
    setSize (x, getButtons()[EditorViews::transportView]->getHeight());
}

TabSelectorButtons::~TabSelectorButtons() = default;
