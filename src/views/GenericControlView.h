#pragma once

#include "views/ControlViewSizes.h"
#include "widgets/ControlSettings.h"
#include "widgets/DoubleParameterControllerComboBox.h"

/** The frame of a control with modes (knob, pad, switch): a title, a mode list under it and, under
    that, one group of widgets per mode, of which only the selected one is visible. */
class GenericControlView
    : public juce::Component
    , public juce::ComboBox::Listener
    , public ControlSettings::Holder
{
public:
    /** Lays out a column of widgets; the widgets belong to the view that created them. */
    class GenericControlViewControlGroup : public juce::Component
    {
    public:
        explicit GenericControlViewControlGroup (const juce::Array<juce::Component*>& widgets);

        static constexpr int widgetWidth = ControlViewSizes::widgetWidth;
        static constexpr int widgetHeight = 18;
        static constexpr int widgetGap = ControlViewSizes::gapBetweenWidgets;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericControlViewControlGroup)
    };

    //==============================================================================
    explicit GenericControlView (const juce::String& titleText);
    ~GenericControlView() override;

    //==============================================================================
    virtual void createControlGroups() = 0;

    /** Places the mode list under the title and follows its selection. The list belongs to the
        concrete view. */
    void setModeSelector (DoubleParameterControllerComboBox* modeList);

    /** Adds an entry to the mode list and a hidden group with these widgets for it. */
    void addControlGroup (const juce::String& entryText, const juce::Array<juce::Component*>& widgets);

    /** A number without a group hides them all. */
    void showControlGroup (int groupNumber);

    //==============================================================================
    void comboBoxChanged (juce::ComboBox* box) override;

    /** Offers copy, paste and fill for this view's control through a right-click on the title. */
    void enableControlSettings (ZKEditorEngine::Ptr engine, int controlType, int controlIndex);
    ControlSettings* getControlSettings() override { return controlSettings.get(); }

    //==============================================================================
    juce::Label& getTitleLabel() noexcept { return *titleLabel; }
    DoubleParameterControllerComboBox* getModeSelector() const noexcept { return modeSelector.getComponent(); }
    int getNumControlGroups() const noexcept { return controlGroups.size(); }
    GenericControlViewControlGroup* getControlGroup (int groupNumber) const noexcept
    {
        return controlGroups[groupNumber];
    }

    //==============================================================================
    static constexpr int viewWidth = ControlViewSizes::viewWidth;
    static constexpr int viewHeight = ControlViewSizes::viewHeight;
    static constexpr int titleX = ControlViewSizes::titleX;
    static constexpr int titleWidth = ControlViewSizes::titleWidth;
    static constexpr int titleHeight = 18;
    static constexpr float titleFontHeight = ControlViewSizes::titleFontHeight;
    static constexpr int modeSelectorGap = ControlViewSizes::gapBelowTitle;
    static constexpr int modeSelectorWidth = ControlViewSizes::widgetWidth;
    static constexpr int modeSelectorHeight = 18;
    static constexpr int groupGap = ControlViewSizes::gapBetweenWidgets;
    static constexpr int groupWidth = ControlViewSizes::widgetWidth;
    static constexpr int groupHeight = 180;

private:
    //==============================================================================
    std::unique_ptr<juce::Label> titleLabel;
    std::unique_ptr<ControlSettings> controlSettings;

    // Owned by the concrete view, which deletes it before this part of the view goes.
    juce::Component::SafePointer<DoubleParameterControllerComboBox> modeSelector;

    // Deleted from the last to the first.
    juce::OwnedArray<GenericControlViewControlGroup> controlGroups;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericControlView)
};
