#include "views/PadControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
PadControlView::PadControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 padIndex)
    : GenericControlView ("Pad " + juce::String ((int) padIndex + 1))
    , engine (std::move (editorEngine))
    , index (padIndex)
{
    createControlGroups();
    showControlGroup (0);
    enableControlSettings (engine, ControlType::Pad, index);
}

PadControlView::~PadControlView() = default;

//==============================================================================
void PadControlView::createControlGroups()
{
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, ControlType::Pad,
                                                                   juce::StringArray());
    setModeSelector (modeBox.get());

    // The groups in the order of the "Mode" values: group k holds the widgets of mode k.
    addControlGroup ("Note", ModeGroupBoxes::create (engine, index, ControlType::Pad,
                                                     { "MIDI Channel", "Note", "Fixed", "Curve" }, numberBoxes));
    addControlGroup ("CC Toggle",
                     ModeGroupBoxes::create (engine, index, ControlType::Pad,
                                             { "MIDI Channel", "CC", "Toggle On", "Toggle Off" }, numberBoxes));
    addControlGroup ("CC Momentary",
                     ModeGroupBoxes::create (engine, index, ControlType::Pad,
                                             { "MIDI Channel", "CC", "Pressed", "Released" }, numberBoxes));
    addControlGroup ("Program Change",
                     ModeGroupBoxes::create (engine, index, ControlType::Pad,
                                             { "MIDI Channel", "Bank LSB", "Bank MSB", "Program" }, numberBoxes));
}
