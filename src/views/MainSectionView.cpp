#include "views/MainSectionView.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "images/ScalableImageButton.h"
#include "views/EditorViews.h"

namespace
{
constexpr int buttonMargin = 5;
constexpr int gapBetweenButtons = 10;

// The name stands beside the second button, below the connection status that the window shows
// beside the first, and level with it on the left.
constexpr int nameFieldX = 270;
constexpr int nameFieldRow = 1;
} // namespace

//==============================================================================
MainSectionView::MainSectionView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    struct PresetButton
    {
        const char* name;
        ScalableImage normal, over;
    };

    // A pressed button shows its normal picture again; only hovering changes it.
    const PresetButton presetButtons[] = {
        { "Get From Hardware", EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_GetFromHardware_Off)),
          EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_GetFromHardware_Over)) },
        { "Send To Hardware", EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_SendToHardware_Off)),
          EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_SendToHardware_Over)) },
        { "Save To File", EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_SaveToHD_Off)),
          EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_SaveToHD_Over)) },
        { "Load From File", EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_LoadFromHD_Off)),
          EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (Editor_PresetButton_LoadFromHD_Over)) },
    };

    for (const auto& presetButton : presetButtons)
    {
        auto pictured = std::make_unique<ScalableImageButton> (presetButton.name);
        pictured->setPictures (presetButton.normal, presetButton.over, presetButton.normal);
        auto* button = buttons.add (std::move (pictured));
        addAndMakeVisible (button);
    }

    nameField = std::make_unique<PresetNameField> (engine);
    addAndMakeVisible (*nameField);

    setSize (EditorViews::viewWidth, EditorViews::viewHeight);
}

MainSectionView::~MainSectionView() = default;

//==============================================================================
void MainSectionView::resized()
{
    auto y = buttonMargin;

    for (auto* button : buttons)
    {
        button->setTopLeftPosition (buttonMargin, y);
        y += button->getHeight() + gapBetweenButtons;
    }

    if (auto* besideButton = buttons[nameFieldRow])
        nameField->setTopLeftPosition (nameFieldX,
                                       besideButton->getY() + (besideButton->getHeight() - nameField->getHeight()) / 2);
}
