#include "views/TabSelectorButtons.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "images/ScalableImageButton.h"
#include "views/EditorViews.h"

namespace
{
struct Tab
{
    const char* buttonName;
    EmbeddedImages::Picture off, over, on;
};

// In the order of EditorViews::ViewIndex: the tab at position i selects view i. A toggled-on image button draws its
// pressed picture, so the tab of the shown view shows its "On" picture.
const Tab tabs[] = {
    { "Main View Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Main_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Main_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Main_On) },
    { "Knob Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Knobs_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Knobs_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Knobs_On) },
    { "Switches Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Switches_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Switches_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Switches_On) },
    { "Drum Pad Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_DrumPads_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_DrumPads_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_DrumPads_On) },
    { "Roll Mode Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_RollMode_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_RollMode_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_RollMode_On) },
    { "Transport Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Transport_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Transport_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Transport_On) },
    { "Keybed Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Keybed_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Keybed_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Keybed_On) },
    { "Pitch/Mod Wheel Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_ModPitch_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_ModPitch_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_ModPitch_On) },
    { "Sustain Selector Button", ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Sustain_Off),
      ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Sustain_Over), ZKM_EMBEDDED_PICTURE (ZKEditor_MenuTabs_Sustain_On) },
};

static_assert (std::size (tabs) == EditorViews::numViews, "one tab per editor view");
} // namespace

//==============================================================================
TabSelectorButtons::TabSelectorButtons()
{
    for (int viewIndex = 0; viewIndex < (int) std::size (tabs); ++viewIndex)
    {
        const auto& tab = tabs[viewIndex];
        auto button = std::make_unique<ScalableImageButton> (tab.buttonName);
        button->setPictures (EmbeddedImages::load (tab.off), EmbeddedImages::load (tab.over),
                             EmbeddedImages::load (tab.on));
        addSelectorButton (viewIndex, std::move (button));
    }

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
