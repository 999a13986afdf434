#include "views/KeybedControlView.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "views/EditorViews.h"
#include "views/KeybedParameterView.h"
#include "views/KeybedSplitSelectorView.h"

namespace
{
constexpr int viewHeight = 300;
const juce::Rectangle<int> splitSelectorBounds{ 40, 10, 200, 300 };
constexpr int gapBeforeDivider = 10;
constexpr int dividerY = 15;
constexpr int gapAfterDivider = 5;
constexpr int zoneY = 10;
constexpr int zoneWidth = 300;
constexpr int zoneHeight = 200;
constexpr int gapBetweenZones = 5;
// The upper zone stands a little lower than the other two.
constexpr int upperZoneY = 15;

enum ZoneIndex
{
    wholeKeybed = 0,
    lowerKeybed,
    upperKeybed
};
} // namespace

//==============================================================================
KeybedControlView::KeybedControlView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (EditorViews::viewWidth, viewHeight);

    splitSelector = std::make_unique<KeybedSplitSelectorView> (engine, [this] (bool split) { setSplit (split); });
    addAndMakeVisible (*splitSelector);
    splitSelector->setBounds (splitSelectorBounds);

    const auto dividerImage = EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (ZKEditor_VertDividerLine));
    divider.setPicture (dividerImage);
    divider.setBounds (splitSelector->getRight() + gapBeforeDivider, dividerY, dividerImage.getWidth(),
                       dividerImage.getHeight());
    addAndMakeVisible (divider);

    for (auto* name : { "Keybed", "Lower Keybed", "Upper Keybed" })
        zoneViews.add (std::make_unique<KeybedParameterView> (name, engine));

    // The whole keybed and the lower zone share one place; they are never shown together.
    const auto zoneX = divider.getRight() + gapAfterDivider;
    zoneViews[wholeKeybed]->setBounds (zoneX, zoneY, zoneWidth, zoneHeight);
    zoneViews[lowerKeybed]->setBounds (zoneX, zoneY, zoneWidth, zoneHeight);
    zoneViews[upperKeybed]->setBounds (zoneViews[lowerKeybed]->getRight() + gapBetweenZones, upperZoneY, zoneWidth,
                                       zoneHeight);

    // Which zones show is decided by the first change of the "Split Mode" list.
    for (auto* zone : zoneViews)
        addChildComponent (zone);
}

KeybedControlView::~KeybedControlView() = default;

//==============================================================================
void KeybedControlView::setSplit (bool split)
{
    // The split list may speak before the zone views exist; then there is nothing to show yet.
    for (int zone = 0; zone < zoneViews.size(); ++zone)
        zoneViews.getUnchecked (zone)->setVisible ((zone != wholeKeybed) == split);
}
