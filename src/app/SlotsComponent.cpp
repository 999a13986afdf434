#include "app/SlotsComponent.h"

#include "app/PlatformDialogs.h"
#include "engine/PresetFileWriter.h"
#include "engine/SlotBackup.h"
#include "model/PresetNameText.h"
#include "model/ZKMModel.h"

namespace
{
const juce::Colour backgroundColour{ 0xff16181b };

constexpr int margin = 10;
constexpr int buttonHeight = 26;
constexpr int folderPanelWidth = 400;

/** The actions on a slot, as buttons under the table and as the rows' pop-up menu. */
const char* const actionNames[] = { "Open",      "Send Active Window Here", "Copy To Slot...", "Swap With Slot...",
                                    "Rename...", "Back Up This Slot..." };

const juce::String cannotReachText =
    "The controller cannot be reached: choose its MIDI input and output in Options > Device Setup.";

juce::String quoted (const juce::String& text) { return "\"" + text + "\""; }

juce::String slotTitle (int slot) { return "Slot " + juce::String (slot + 1); }

/** Runs a step that asks the user. Its modal loop may delete the component and its steps with it,
    so a copy of the step is run. */
template <typename Step, typename... Args>
auto ask (const Step& step, Args&&... args)
{
    const auto copy = step;
    return copy (std::forward<Args> (args)...);
}
} // namespace

//==============================================================================
SlotsComponent::SlotsComponent (ZKEditorEngine::Ptr engineToUse, juce::PropertySet& settings)
    : chooseSlot (&PlatformDialogs::runSlotChooser)
    , askName (&PlatformDialogs::runNameQuestion)
    , askQuestion (&PlatformDialogs::runChoice)
    , chooseFile (&PlatformDialogs::runFileChooser)
    , engine (engineToUse)
    , jobs (engineToUse)
    , folderPanel (settings)
{
    setName ("Slots");

    table.getNameText = [this] (int slot) { return getNameText (slot); };
    table.getStateText = [this] (int slot) { return getStateText (slot); };
    table.onSelectionChanged = [this] { updateButtons(); };
    table.onDoubleClick = [this] (int slot) { openSlot (slot); };
    table.onRightClick = [this] (int slot) { showSlotMenu (slot); };
    table.onFilesDropped = [this] (int slot, const juce::StringArray& files) { dropFiles (slot, files); };
    table.onSlotDropped = [this] (int from, int to) { dropSlot (from, to); };
    table.isInterestedInOtherDrag = [] (const juce::var& description)
    { return PresetFolderPanel::fileOfDragDescription (description) != juce::File(); };
    table.onOtherDrop = [this] (int slot, const juce::var& description)
    { sendFile (slot, PresetFolderPanel::fileOfDragDescription (description)); };
    addAndMakeVisible (table);

    statusBar.onCancel = [this] { jobs.cancel(); };
    statusBar.showMessage ("Read Names reads the name of every slot in about a second.");
    addAndMakeVisible (statusBar);

    folderPanel.onOpenFile = [this] (const juce::File& file)
    {
        if (onOpenFile != nullptr)
            onOpenFile (file);
    };
    addAndMakeVisible (folderPanel);

    readNamesButton.onClick = [this] { readNames(); };
    addAndMakeVisible (readNamesButton);

    using Action = void (SlotsComponent::*) (int);
    const Action actions[] = { &SlotsComponent::openSlot,   &SlotsComponent::sendActiveWindowTo,
                               &SlotsComponent::copySlot,   &SlotsComponent::swapSlot,
                               &SlotsComponent::renameSlot, &SlotsComponent::backUpSlot };

    for (size_t i = 0; i < std::size (actionNames); ++i)
    {
        auto* button = actionButtons.add (new juce::TextButton (actionNames[i]));
        button->onClick = [this, action = actions[i]]
        {
            if (table.getSelectedSlot() >= 0)
                (this->*action) (table.getSelectedSlot());
        };
        addAndMakeVisible (button);
    }

    jobs.onChange = [this] { jobChanged(); };
    jobs.onFinished = [this] { jobFinished(); };

    refreshBackup();
    table.selectSlot (0);
    updateButtons();

    // Other windows' Gets and Sends change what the editor knows of the slots.
    startTimer (1000);
    setSize (1000, 680); // all 24 rows without scrolling
}

SlotsComponent::~SlotsComponent()
{
    stopTimer();
    jobs.onChange = nullptr;
    jobs.onFinished = nullptr;
}

juce::TextButton* SlotsComponent::findButton (const juce::String& name)
{
    if (name == readNamesButton.getButtonText())
        return &readNamesButton;

    for (auto* button : actionButtons)
        if (button->getButtonText() == name)
            return button;

    return nullptr;
}

//==============================================================================
void SlotsComponent::readNames() { reportIfNotStarted (jobs.readNames()); }

void SlotsComponent::openSlot (int slot)
{
    if (onOpenSlot != nullptr)
        onOpenSlot (slot);
}

void SlotsComponent::sendActiveWindowTo (int slot)
{
    const auto image = getActiveWindowImage != nullptr ? getActiveWindowImage() : juce::Array<juce::uint8>();

    if (image.isEmpty())
    {
        statusBar.showMessage ("No document window is open to send from.");
        return;
    }

    const auto name = PresetNameText::toText (image);
    reportIfNotStarted (
        jobs.write (slot, image, name.isNotEmpty() ? quoted (name) : juce::String ("the active window's preset")));
}

void SlotsComponent::copySlot (int slot) { pairWithSlot (slot, false); }

void SlotsComponent::swapSlot (int slot) { pairWithSlot (slot, true); }

void SlotsComponent::pairWithSlot (int slot, bool swap)
{
    const juce::Component::SafePointer<SlotsComponent> self (this);

    // Another slot than this one, the next (the one before for the last), is offered first.
    const auto suggested = slot + 1 < ZKMModel::numberOfSlots ? slot + 1 : slot - 1;
    const auto other =
        swap ? ask (chooseSlot, "Swap With Slot", "Swap " + describeSlot (slot) + " with slot:", "Swap", suggested)
             : ask (chooseSlot, "Copy To Slot", "Copy " + describeSlot (slot) + " to slot:", "Copy", suggested);

    if (self == nullptr || other < 0)
        return;

    if (other == slot)
        statusBar.showMessage (swap ? "A slot cannot be swapped with itself." : "A slot cannot be copied onto itself.");
    else if (swap)
        reportIfNotStarted (jobs.swap (slot, other));
    else
        reportIfNotStarted (jobs.copy (slot, other));
}

void SlotsComponent::renameSlot (int slot)
{
    const juce::Component::SafePointer<SlotsComponent> self (this);
    const auto oldBytes = engine->getKnownSlotName ((juce::uint8) slot);
    const auto answer = ask (askName, "Rename " + slotTitle (slot), PresetNameText::toText (oldBytes));

    if (self == nullptr || ! answer.has_value())
        return;

    const auto bytes = PresetNameText::toBytes (*answer, oldBytes);

    if (bytes.isEmpty())
        statusBar.showMessage ("A preset name has at most 16 characters, printable ASCII only.");
    else
        reportIfNotStarted (jobs.rename (slot, bytes));
}

void SlotsComponent::backUpSlot (int slot)
{
    const juce::Component::SafePointer<SlotsComponent> self (this);
    const auto name = PresetNameText::toFileName (getNameText (slot));
    const auto suggested = name.isNotEmpty() ? name : juce::String (ZKMModel::modelName) + " " + slotTitle (slot);
    const auto start =
        juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile (suggested + ".zkp");
    const auto file = ask (chooseFile, "Back Up " + slotTitle (slot), start, engine->getFilePattern(), true);

    if (self == nullptr || file == juce::File())
        return;

    reportIfNotStarted (jobs.backUp (slot, file.hasFileExtension ("zkp") ? file : file.withFileExtension ("zkp")));
}

void SlotsComponent::dropFiles (int slot, const juce::StringArray& files)
{
    if (files.size() != 1)
        statusBar.showMessage ("Drop one preset file onto a slot.");
    else
        sendFile (slot, juce::File (files[0]));
}

void SlotsComponent::sendFile (int slot, const juce::File& file)
{
    const auto image = engine->readPresetFileImage (file);

    if (image.isEmpty())
    {
        statusBar.showMessage (file.getFileName() + " is not a preset file; nothing was sent.");
        return;
    }

    if (jobs.isBusy())
    {
        statusBar.showMessage ("Another job runs on the slots; drop the file again once it is over.");
        return;
    }

    const auto presetName = PresetNameText::toText (image);
    const auto shownName = quoted (presetName.isNotEmpty() ? presetName : file.getFileNameWithoutExtension());
    const auto slotName = getNameText (slot);
    const auto replaced = slotName.isNotEmpty() ? quoted (slotName) : juce::String ("what it holds");

    const juce::Component::SafePointer<SlotsComponent> self (this);
    const auto answer =
        ask (askQuestion, "Send Preset File",
             "Send " + shownName + " to slot " + juce::String (slot + 1) + ", replacing " + replaced + "?",
             juce::StringArray{ "Send", "Cancel" });

    if (self != nullptr && answer == 0)
        reportIfNotStarted (jobs.write (slot, image, shownName));
}

void SlotsComponent::dropSlot (int fromSlot, int toSlot)
{
    const juce::Component::SafePointer<SlotsComponent> self (this);
    const auto answer =
        ask (askQuestion, "Slot " + juce::String (fromSlot + 1) + " onto Slot " + juce::String (toSlot + 1),
             "Copy " + describeSlot (fromSlot) + " to slot " + juce::String (toSlot + 1) + ", or swap the two slots?",
             juce::StringArray{ "Copy", "Swap", "Cancel" });

    if (self == nullptr)
        return;

    if (answer == 0)
        reportIfNotStarted (jobs.copy (fromSlot, toSlot));
    else if (answer == 1)
        reportIfNotStarted (jobs.swap (fromSlot, toSlot));
}

//==============================================================================
juce::String SlotsComponent::getNameText (int slot) const
{
    return PresetNameText::toText (engine->getKnownSlotName ((juce::uint8) slot));
}

juce::String SlotsComponent::getStateText (int slot) const
{
    const auto image = engine->getKnownSlotImage ((juce::uint8) slot);
    const auto seen = engine->getWhenSlotSeen ((juce::uint8) slot).formatted ("%H:%M");

    if (image.isEmpty())
        return engine->getKnownSlotName ((juce::uint8) slot).isEmpty() ? "unknown" : "name read " + seen;

    const auto& backup = backupImages[slot];

    if (backup.isEmpty())
        return "read " + seen;

    // What the slot held when it was read: the controller may have been edited since, which only
    // another read shows, so the comparison with the backup is dated by that read.
    return "read " + seen + ", "
           + (backup == image ? "as in backup " + backupTimes[slot].formatted ("%Y-%m-%d")
                              : juce::String ("changed since backup"));
}

juce::String SlotsComponent::describeSlot (int slot) const
{
    // The controller pads names with blanks, which a quote would show.
    const auto name = getNameText (slot).trim();
    return "slot " + juce::String (slot + 1) + (name.isNotEmpty() ? " (" + quoted (name) + ")" : juce::String());
}

void SlotsComponent::refreshBackup()
{
    backupFolder = getBackupFolder != nullptr ? getBackupFolder() : juce::File();
    backupImages.clearQuick();
    backupTimes.clearQuick();

    for (int slot = 0; slot < ZKMModel::numberOfSlots; ++slot)
    {
        const auto file = backupFolder == juce::File()
                              ? juce::File()
                              : SlotBackup::getSlotFile (backupFolder, ZKMModel::modelName, slot);
        const bool present = file != juce::File() && file.existsAsFile();
        backupImages.add (present ? engine->readPresetFileImage (file) : juce::Array<juce::uint8>());
        backupTimes.add (present ? file.getLastModificationTime() : juce::Time());
    }

    table.refresh();
}

void SlotsComponent::reportIfNotStarted (bool started)
{
    // A job refused while another runs is not an error: its buttons are off meanwhile.
    if (! started && ! jobs.isBusy())
        statusBar.showMessage (cannotReachText);
}

//==============================================================================
void SlotsComponent::jobChanged()
{
    if (jobs.isBusy())
    {
        const auto progress = jobs.getProgress();
        statusBar.showJob (progress.text, progress.done, progress.whole,
                           progress.whole > 0 ? juce::String (progress.done) + " of " + juce::String (progress.whole)
                                              : juce::String());
    }

    table.refresh();
    updateButtons();
}

void SlotsComponent::jobFinished() { statusBar.showMessage (jobs.getSummary()); }

void SlotsComponent::updateButtons()
{
    const bool idle = ! jobs.isBusy();
    const bool selected = table.getSelectedSlot() >= 0;
    readNamesButton.setEnabled (idle);

    for (auto* button : actionButtons)
        button->setEnabled (idle && selected);
}

void SlotsComponent::showSlotMenu (int slot)
{
    table.selectSlot (slot);
    juce::PopupMenu menu;

    for (int i = 0; i < (int) std::size (actionNames); ++i)
        menu.addItem (i + 1, actionNames[i], ! jobs.isBusy());

    const juce::Component::SafePointer<SlotsComponent> self (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&table),
                        [self, slot] (int chosen)
                        {
                            if (self != nullptr && chosen > 0 && chosen <= self->actionButtons.size())
                            {
                                self->table.selectSlot (slot);
                                self->actionButtons[chosen - 1]->triggerClick();
                            }
                        });
}

void SlotsComponent::timerCallback() { table.refresh(); }

//==============================================================================
void SlotsComponent::paint (juce::Graphics& g) { g.fillAll (backgroundColour); }

void SlotsComponent::resized()
{
    auto area = getLocalBounds().reduced (margin);
    statusBar.setBounds (area.removeFromBottom (TransferStatusBar::barHeight));
    area.removeFromBottom (margin);

    folderPanel.setBounds (area.removeFromRight (folderPanelWidth));
    area.removeFromRight (margin);

    auto top = area.removeFromTop (buttonHeight);
    readNamesButton.setBounds (top.removeFromLeft (120));
    area.removeFromTop (margin);

    // Two rows of three actions under the table.
    auto actionsArea = area.removeFromBottom (buttonHeight * 2 + margin / 2);
    area.removeFromBottom (margin);
    table.setBounds (area);

    const auto columnWidth = (actionsArea.getWidth() - margin) / 3;

    for (int i = 0; i < actionButtons.size(); ++i)
    {
        const auto row = i / 3, column = i % 3;
        actionButtons[i]->setBounds (actionsArea.getX() + column * (columnWidth + margin / 2),
                                     actionsArea.getY() + row * (buttonHeight + margin / 2), columnWidth, buttonHeight);
    }
}
