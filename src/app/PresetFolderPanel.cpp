#include "app/PresetFolderPanel.h"

#include "app/DarkTable.h"
#include "app/PlatformDialogs.h"
#include "widgets/EditorColours.h"

#include <atomic>

namespace
{
const juce::String defaultFolderName ("ZKM Presets");
const juce::String chooserTitle ("Choose a Folder of Presets");
const juce::String emptyFolderText ("No presets in this folder");
const juce::String notAPresetText ("Not a preset file");
const juce::String dateFormat ("%Y-%m-%d %H:%M");

constexpr int margin = 6;
constexpr int headerHeight = 26;
constexpr int buttonWidth = 120;
constexpr int searchHeight = 24;
constexpr int rowHeight = 20;
constexpr int cellPadding = 4;
constexpr int nameColumnWidth = 130;
constexpr int fileColumnWidth = 120;
constexpr int dateColumnWidth = 125;
constexpr int minimumColumnWidth = 40;
constexpr float textSize = 14.0f;

/** How long closing the panel waits for its scan to stop, which it does within one file's read. */
constexpr int scanStopTimeoutMs = 10000;
} // namespace

//==============================================================================
/** Scans the panel's folder on a thread of its own when asked to look, rescanning only when the
    folder changed, and hands each new list to the message thread. The panel is told through a
    SafePointer: a list that arrives after the panel went is dropped. */
class PresetFolderPanel::Scanner : private juce::Thread
{
public:
    explicit Scanner (PresetFolderPanel& panelToTell)
        : juce::Thread ("Preset folder scan")
        , panel (&panelToTell)
    {
        startThread (juce::Thread::Priority::low);
    }

    ~Scanner() override
    {
        // The scan asks before each file whether to stop.
        signalThreadShouldExit();
        notify();
        stopThread (scanStopTimeoutMs);
    }

    /** Lists that folder from now on, and hands its list over once scanned even if it is the
        folder listed already; a scan under way stops. */
    void setFolder (const juce::File& folderToList)
    {
        {
            const juce::ScopedLock sl (folderLock);
            requestedFolder = folderToList;
        }

        folderRequested = true;
        notify();
    }

    /** Looks at the folder as soon as the scan is free: wakes the thread, which rescans if the
        folder changed. */
    void lookSoon() { notify(); }

private:
    void run() override
    {
        PresetFolder list;
        bool panelHasList = false;
        const auto shouldStop = [this] { return threadShouldExit() || folderRequested.load(); };

        while (! threadShouldExit())
        {
            // A request made while a scan ran has left the event set: the wait ends at once.
            wait (-1);

            if (folderRequested.exchange (false))
            {
                const juce::ScopedLock sl (folderLock);
                list.setFolder (requestedFolder);
                panelHasList = false;
            }

            const auto changed = list.rescanIfChanged (shouldStop);

            if (shouldStop())
                continue;

            if (changed || ! panelHasList)
            {
                panelHasList = true;
                juce::MessageManager::callAsync (
                    [target = panel, scanned = list.getFolder(), entries = list.getSharedEntries()]
                    {
                        if (auto* owner = target.getComponent())
                            owner->showEntries (scanned, entries);
                    });
            }
        }
    }

    // Made on the message thread; the scan only copies it.
    const juce::Component::SafePointer<PresetFolderPanel> panel;
    juce::CriticalSection folderLock;
    juce::File requestedFolder;
    std::atomic<bool> folderRequested{ false };
};

//==============================================================================
PresetFolderPanel::PresetFolderPanel (juce::PropertySet& settingsToUse, FolderChooser chooseFolderToUse)
    : settings (settingsToUse)
    , folderChooser (chooseFolderToUse ? std::move (chooseFolderToUse)
                                       : FolderChooser (&PlatformDialogs::runFolderChooser))
{
    setName ("Preset Folder");
    setLookAndFeel (&look);

    folderLabel.setName ("Preset Folder Path");
    folderLabel.setColour (juce::Label::textColourId, EditorColours::white);
    folderLabel.setMinimumHorizontalScale (1.0f);
    chooseButton.setName ("Choose Folder...");
    chooseButton.onClick = [this] { chooseFolder(); };

    searchBox.setName ("Search Presets");
    searchBox.setTextToShowWhenEmpty ("Search", EditorColours::listDimText);
    searchBox.setColour (juce::TextEditor::textColourId, EditorColours::white);
    searchBox.setColour (juce::TextEditor::highlightColourId, EditorColours::blue);
    searchBox.setColour (juce::CaretComponent::caretColourId, EditorColours::white);
    searchBox.onTextChange = [this] { applySearch(); };
    searchBox.onEscapeKey = [this]
    {
        searchBox.clear();
        applySearch();
    };

    table.setName ("Preset Files");
    table.setModel (this);
    DarkTable::style (table, rowHeight, minimumColumnWidth,
                      { { "Name", nameColumn, nameColumnWidth },
                        { "File", fileColumn, fileColumnWidth },
                        { "Date", dateColumn, dateColumnWidth } });

    emptyNotice.setName ("Empty Folder Notice");
    emptyNotice.setText (emptyFolderText, juce::dontSendNotification);
    emptyNotice.setColour (juce::Label::textColourId, EditorColours::listDimText);
    emptyNotice.setInterceptsMouseClicks (false, false);

    addAndMakeVisible (folderLabel);
    addAndMakeVisible (chooseButton);
    addAndMakeVisible (searchBox);
    addAndMakeVisible (table);
    addChildComponent (emptyNotice);

    scanner = std::make_unique<Scanner> (*this);
    const auto remembered = settings.getValue (settingsKey);
    showFolder (remembered.isNotEmpty() && juce::File::isAbsolutePath (remembered) ? juce::File (remembered)
                                                                                   : getDefaultFolder());
    startTimer (rescanIntervalMs);
}

PresetFolderPanel::~PresetFolderPanel()
{
    stopTimer();
    scanner.reset();
    table.setModel (nullptr);
    setLookAndFeel (nullptr);
}

//==============================================================================
void PresetFolderPanel::setFolder (const juce::File& folderToList)
{
    settings.setValue (settingsKey, folderToList.getFullPathName());
    table.deselectAllRows();
    showFolder (folderToList);
}

void PresetFolderPanel::refresh() { scanner->lookSoon(); }

juce::File PresetFolderPanel::getSelectedFile() const
{
    const auto row = table.getSelectedRow();
    return juce::isPositiveAndBelow (row, (int) shownEntries->size()) ? (*shownEntries)[(size_t) row].file
                                                                      : juce::File();
}

//==============================================================================
juce::var PresetFolderPanel::createDragDescription (const juce::File& file)
{
    return juce::String (dragPrefix) + file.getFullPathName();
}

juce::File PresetFolderPanel::fileOfDragDescription (const juce::var& description)
{
    if (! description.isString())
        return {};

    const auto text = description.toString();

    if (! text.startsWith (dragPrefix))
        return {};

    const auto path = text.substring (juce::String (dragPrefix).length());
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

juce::File PresetFolderPanel::getDefaultFolder()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile (defaultFolderName);
}

//==============================================================================
void PresetFolderPanel::paint (juce::Graphics& g)
{
    g.fillAll (EditorColours::listPanel);

    // The editor's text fields are transparent: the search box gets its field drawn here.
    const auto field = searchBox.getBounds().toFloat();
    g.setColour (EditorColours::listRow);
    g.fillRoundedRectangle (field, CustomLook::comboBoxCornerSize);
    g.setColour (EditorColours::listDimText);
    g.drawRoundedRectangle (field, CustomLook::comboBoxCornerSize, 1.0f);
}

void PresetFolderPanel::resized()
{
    auto area = getLocalBounds().reduced (margin);
    auto header = area.removeFromTop (headerHeight);
    chooseButton.setBounds (header.removeFromRight (buttonWidth));
    header.removeFromRight (margin);
    folderLabel.setBounds (header);

    area.removeFromTop (margin);
    searchBox.setBounds (area.removeFromTop (searchHeight));
    area.removeFromTop (margin);
    table.setBounds (area);
    emptyNotice.setBounds (area.withTrimmedTop (table.getHeaderHeight()).reduced (margin));
}

//==============================================================================
int PresetFolderPanel::getNumRows() { return (int) shownEntries->size(); }

void PresetFolderPanel::paintRowBackground (juce::Graphics& g, int row, int, int, bool isSelected)
{
    DarkTable::paintRowBackground (g, row, isSelected);
}

void PresetFolderPanel::paintCell (juce::Graphics& g, int row, int columnId, int width, int height, bool isSelected)
{
    if (! juce::isPositiveAndBelow (row, (int) shownEntries->size()))
        return;

    const auto& entry = (*shownEntries)[(size_t) row];
    auto colour = isSelected || entry.isPresetFile ? EditorColours::white : EditorColours::listDimText;
    juce::String text;

    switch (columnId)
    {
        case nameColumn:
            text = entry.isPresetFile ? entry.name : notAPresetText;

            if (! entry.isPresetFile && ! isSelected)
                colour = EditorColours::warning;
            break;
        case fileColumn:
            text = entry.fileName;
            break;
        case dateColumn:
            text = entry.modificationTime.formatted (dateFormat);
            break;
        default:
            break;
    }

    g.setColour (colour);
    g.setFont (textSize);
    g.drawText (text, cellPadding, 0, width - 2 * cellPadding, height, juce::Justification::centredLeft, true);
}

void PresetFolderPanel::cellDoubleClicked (int row, int, const juce::MouseEvent&)
{
    // A file that is not a preset goes to the opener too, which says what is wrong with it.
    if (juce::isPositiveAndBelow (row, (int) shownEntries->size()) && onOpenFile)
        onOpenFile ((*shownEntries)[(size_t) row].file);
}

juce::var PresetFolderPanel::getDragSourceDescription (const juce::SparseSet<int>& selectedRows)
{
    const auto row = selectedRows.isEmpty() ? -1 : selectedRows[0];

    if (! juce::isPositiveAndBelow (row, (int) shownEntries->size()))
        return {};

    return createDragDescription ((*shownEntries)[(size_t) row].file);
}

//==============================================================================
void PresetFolderPanel::timerCallback()
{
    // A hidden panel does not touch the disk; it catches up on its first tick once shown again.
    if (isShowing())
        scanner->lookSoon();
}

//==============================================================================
void PresetFolderPanel::chooseFolder()
{
    // The chooser runs a modal loop: the panel's window may be closed meanwhile.
    const juce::Component::SafePointer<PresetFolderPanel> self (this);
    const auto chooser = folderChooser;
    const auto folder = chooser (chooserTitle, getFolder());

    if (self == nullptr || folder == juce::File() || folder.existsAsFile())
        return;

    setFolder (folder);
}

void PresetFolderPanel::applySearch()
{
    // The selection follows its file, not its row: files may have come before it meanwhile.
    const auto selected = getSelectedFile();

    // Without a search the table shows the list as it came, shared rather than copied: a crowded
    // folder's list is not copied on the message thread at every change.
    const auto text = searchBox.getText();

    if (allEntries == nullptr)
        shownEntries = std::make_shared<const PresetFolder::Entries>();
    else if (text.isEmpty())
        shownEntries = allEntries;
    else
        shownEntries = std::make_shared<const PresetFolder::Entries> (PresetFolder::filter (*allEntries, text));

    table.updateContent();

    int selectedRow = -1;

    for (size_t i = 0; i < shownEntries->size() && selectedRow < 0 && selected != juce::File(); ++i)
        if ((*shownEntries)[i].file == selected)
            selectedRow = (int) i;

    if (selectedRow >= 0)
        table.selectRow (selectedRow, true, true);
    else
        table.deselectAllRows();

    // Until the first list comes the folder is not known to be empty.
    emptyNotice.setVisible (allEntries != nullptr && allEntries->empty());
    table.repaint();
}

void PresetFolderPanel::showFolder (const juce::File& folderToShow)
{
    // The same folder again keeps its list until the new one comes.
    if (folderToShow != folder)
    {
        folder = folderToShow;
        allEntries = nullptr;
        applySearch();
    }

    folderLabel.setText (folder.getFullPathName(), juce::dontSendNotification);
    folderLabel.setTooltip (folder.getFullPathName());
    scanner->setFolder (folder);
}

void PresetFolderPanel::showEntries (const juce::File& scannedFolder,
                                     std::shared_ptr<const PresetFolder::Entries> entries)
{
    // A list of the folder shown before the user picked another is of no use now.
    if (scannedFolder != folder)
        return;

    allEntries = std::move (entries);
    applySearch();
}
