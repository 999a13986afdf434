#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/PresetNameField.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The first editor view: the four preset buttons of the document and the field of the preset's
    name beside them. The view does not act on the buttons; the document window listens to them
    and tells them apart by their names. */
class MainSectionView : public juce::Component
{
public:
    explicit MainSectionView (ZKEditorEngine::Ptr engine);
    ~MainSectionView() override;

    //==============================================================================
    /** "Get From Hardware", "Send To Hardware", "Save To File" and "Load From File", in this order. */
    const juce::OwnedArray<juce::ImageButton>& getPresetButtons() const noexcept { return buttons; }

    PresetNameField& getPresetNameField() noexcept { return *nameField; }

    //==============================================================================
    void resized() override;

private:
    //==============================================================================
    juce::OwnedArray<juce::ImageButton> buttons;
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<PresetNameField> nameField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainSectionView)
};
