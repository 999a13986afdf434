#include "views/GenericControlView.h"

#include "widgets/EditorColours.h"

//==============================================================================
GenericControlView::GenericControlViewControlGroup::GenericControlViewControlGroup (
    const juce::Array<juce::Component*>& widgets)
{
    int y = 0;

    for (auto* widget : widgets)
    {
        widget->setBounds (0, y, widgetWidth, widgetHeight);
        addAndMakeVisible (widget);
        y += widget->getHeight() + widgetGap;
    }
}

//==============================================================================
GenericControlView::GenericControlView (const juce::String& titleText)
{
    setSize (viewWidth, viewHeight);

    titleLabel = std::make_unique<juce::Label> (titleText, titleText);
    titleLabel->setBounds (titleX, 0, titleWidth, titleHeight);
    titleLabel->setColour (juce::Label::textColourId, EditorColours::white);
    titleLabel->setFont (juce::Font (titleFontHeight));
    addAndMakeVisible (*titleLabel);
}

GenericControlView::~GenericControlView()
{
    // Normally the concrete view has deleted the mode list already; if it lives on, it must forget us.
    if (modeSelector != nullptr)
        modeSelector->getComboBox().removeListener (this);
}

//==============================================================================
void GenericControlView::setModeSelector (DoubleParameterControllerComboBox* modeList)
{
    modeSelector = modeList;
    modeList->getComboBox().addListener (this);
    modeList->setBounds (0, titleLabel->getBottom() + modeSelectorGap, modeSelectorWidth, modeSelectorHeight);
    addAndMakeVisible (modeList);
}

void GenericControlView::addControlGroup (const juce::String& entryText, const juce::Array<juce::Component*>& widgets)
{
    jassert (modeSelector != nullptr);

    auto& modeList = modeSelector->getComboBox();
    const auto itemId = modeList.getNumItems() + 1;
    modeList.addItem (entryText, itemId);

    // The list selected its first entry before it had any; now that the entry exists, show its text
    // so that the pending change message reads a selection instead of an empty list.
    if ((int) modeList.getSelectedIdAsValue().getValue() == itemId && modeList.getSelectedId() != itemId)
        modeList.setSelectedId (itemId, juce::dontSendNotification);

    auto* group = controlGroups.add (std::make_unique<GenericControlViewControlGroup> (widgets));
    group->setBounds (0, modeSelector->getBottom() + groupGap, groupWidth, groupHeight);
    addChildComponent (group);
}

void GenericControlView::showControlGroup (int groupNumber)
{
    for (int i = 0; i < controlGroups.size(); ++i)
        controlGroups.getUnchecked (i)->setVisible (i == groupNumber);
}

//==============================================================================
void GenericControlView::comboBoxChanged (juce::ComboBox* box) { showControlGroup (box->getSelectedId() - 1); }

void GenericControlView::enableControlSettings (ZKEditorEngine::Ptr engine, int controlType, int controlIndex)
{
    controlSettings = std::make_unique<ControlSettings> (std::move (engine), controlType, controlIndex,
                                                         titleLabel->getText(), *titleLabel);
}
