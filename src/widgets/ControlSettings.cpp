#include "widgets/ControlSettings.h"

#include "model/PresetLayout.h"

namespace
{
/** What was copied last: the kind of control and its block. */
struct Clipboard
{
    int controlType = -1;
    juce::Array<juce::uint8> values;
};

Clipboard& getClipboard()
{
    static Clipboard clipboard;
    return clipboard;
}

/** The edits that give a control these block bytes: each byte under the first of its names that
    accepts the value. A byte that no name accepts (an out-of-range byte of a loaded file) is left. */
juce::Array<ZKEditorEngine::ParameterEdit> editsForBlock (Control& control, int controlType, int controlIndex,
                                                          const juce::Array<juce::uint8>& values)
{
    juce::Array<ZKEditorEngine::ParameterEdit> edits;
    juce::Array<int> bytesDone;

    for (const auto& name : control.getParameterNames())
    {
        const auto byte = control.getIndex (name);

        if (! juce::isPositiveAndBelow (byte, values.size()) || bytesDone.contains (byte))
            continue;

        if (values[byte] > control.getMaximum (name) || values[byte] < control.getMinimum (name))
            continue;

        bytesDone.add (byte);
        edits.add ({ controlType, controlIndex, name, control.getValue (name), values[byte] });
    }

    return edits;
}
} // namespace

//==============================================================================
ControlSettings::ControlSettings (ZKEditorEngine::Ptr engineToUse, int type, int index, const juce::String& name,
                                  juce::Component& titleComponent)
    : engine (std::move (engineToUse))
    , controlType (type)
    , controlIndex (index)
    , controlName (name)
    , title (&titleComponent)
{
    titleComponent.addMouseListener (this, false);
}

ControlSettings::~ControlSettings()
{
    if (title != nullptr)
        title->removeMouseListener (this);
}

ControlSettings* ControlSettings::findFor (juce::Component* component)
{
    for (auto* c = component; c != nullptr; c = c->getParentComponent())
        if (auto* holder = dynamic_cast<Holder*> (c))
            if (auto* settings = holder->getControlSettings())
                return settings;

    return nullptr;
}

void ControlSettings::clearClipboard() { getClipboard() = Clipboard(); }

//==============================================================================
juce::String ControlSettings::getCopyText() const { return "Copy " + controlName + " Settings"; }

juce::String ControlSettings::getPasteText() const { return "Paste Settings to " + controlName; }

juce::String ControlSettings::getPasteToAllText() const { return "Paste Settings to All " + getKindName (true); }

juce::String ControlSettings::getFillText() const
{
    const auto count = getNumToFill();
    const auto numberWord = controlType == ControlType::Pad ? "Notes" : "CC";

    return "Number " + juce::String (numberWord) + " Ascending From Here (" + juce::String (count) + " "
           + getKindName (count != 1) + ")";
}

bool ControlSettings::canPaste() const
{
    return getClipboard().controlType == controlType && ! getClipboard().values.isEmpty();
}

int ControlSettings::getNumToFill() const
{
    auto* control = getControl();

    if (control == nullptr)
        return 0;

    const auto number = getNumberName();
    const auto numAfter = engine->getControls (controlType).size() - 1 - controlIndex;
    const auto room = (int) control->getMaximum (number) - (int) control->getValue (number);

    return juce::jmax (0, juce::jmin (numAfter, room));
}

//==============================================================================
void ControlSettings::copy()
{
    if (auto* control = getControl())
        getClipboard() = { controlType, control->getValues() };
}

int ControlSettings::pasteHere() { return paste (controlIndex, controlIndex, "Paste to " + controlName); }

int ControlSettings::pasteToAll()
{
    return paste (0, engine->getControls (controlType).size() - 1, "Paste to All " + getKindName (true));
}

int ControlSettings::paste (int firstIndex, int lastIndex, const juce::String& actionName)
{
    if (! canPaste())
        return 0;

    // Copied before the edits: pasting never changes what is on the clipboard.
    const auto values = getClipboard().values;
    auto& controls = engine->getControls (controlType);
    juce::Array<ZKEditorEngine::ParameterEdit> edits;

    for (int i = firstIndex; i <= lastIndex; ++i)
        if (auto* control = controls[i])
            edits.addArray (editsForBlock (*control, controlType, i, values));

    return engine->editParameters (actionName, edits);
}

int ControlSettings::fillAscending()
{
    auto* control = getControl();

    if (control == nullptr)
        return 0;

    const auto number = getNumberName();
    const auto first = (int) control->getValue (number);
    auto& controls = engine->getControls (controlType);
    juce::Array<ZKEditorEngine::ParameterEdit> edits;

    for (int step = 1; step <= getNumToFill(); ++step)
        if (auto* next = controls[controlIndex + step])
            edits.add (
                { controlType, controlIndex + step, number, next->getValue (number), (juce::uint8) (first + step) });

    return engine->editParameters (controlType == ControlType::Pad ? "Number Notes Ascending" : "Number CC Ascending",
                                   edits);
}

//==============================================================================
juce::PopupMenu ControlSettings::createMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (copyItem, getCopyText());
    menu.addItem (pasteItem, getPasteText(), canPaste());
    menu.addItem (pasteToAllItem, getPasteToAllText(), canPaste());
    menu.addItem (fillItem, getFillText(), getNumToFill() > 0);
    return menu;
}

void ControlSettings::perform (int menuItem)
{
    switch (menuItem)
    {
        case copyItem:
            copy();
            break;
        case pasteItem:
            pasteHere();
            break;
        case pasteToAllItem:
            pasteToAll();
            break;
        case fillItem:
            fillAscending();
            break;
        default:
            break;
    }
}

void ControlSettings::mouseDown (const juce::MouseEvent& event)
{
    if (! event.mods.isPopupMenu() || title == nullptr)
        return;

    // The menu may outlive this object (the window can close while it is open).
    createMenu().showMenuAsync (juce::PopupMenu::Options().withTargetComponent (title.getComponent()),
                                [safeTitle = title, this] (int chosen)
                                {
                                    if (safeTitle != nullptr && chosen != 0)
                                        perform (chosen);
                                });
}

//==============================================================================
juce::String ControlSettings::getKindName (bool plural) const
{
    const auto& names = PresetLayout::getTypeNames ((ControlType) controlType);
    return plural ? names.plural : names.singular;
}

juce::String ControlSettings::getNumberName() const { return controlType == ControlType::Pad ? "Note" : "CC"; }

Control* ControlSettings::getControl() const { return engine->getControls (controlType)[controlIndex]; }
