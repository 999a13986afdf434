#pragma once

#include "app/EditorWindow.h"

#include <atomic>
#include <functional>
#include <juce_events/juce_events.h>

/** Keeps one editor per user and display. The first start holds a lock in a private folder and
    listens on a named pipe there; a later start that names a preset file hands its absolute path
    through the pipe to the running editor, which opens it in a new window, and ends. A lock or
    pipe left by an editor that crashed holds nobody back: the lock goes with its process, and the
    next first start replaces the pipe.

    Messages arrive on a thread of this class and reach the windows through the message thread.
    Each one is a frame of a header (magic number, payload length) and absolute paths separated by
    NUL characters, small enough to be written to the pipe in one piece, so that two starts at
    once never mix their frames. Anything else is refused without being kept. */
class RunningInstance : private juce::Thread
{
public:
    /** Opens one more document window with the preset of that file, or with the default preset
        for juce::File(); nullptr when the file is refused (which the opener tells the user), the
        editor is quitting or no window could be made. */
    using WindowOpener = std::function<EditorWindow*(const juce::File& file)>;

    explicit RunningInstance (WindowOpener openNewWindow, juce::File folder = getDefaultFolder());
    ~RunningInstance() override;

    //==============================================================================
    /** Decides what this start is. True: it is the first (or the running editor did not answer
        in time) and goes on; it listens for later starts when it can. False: the running editor
        took the file named on the command line, or there was none to hand over, and this start
        should end. Waits, briefly, for an editor that is starting or quitting. Called once. */
    bool claim (const juce::String& commandLine,
                const juce::File& workingFolder = juce::File::getCurrentWorkingDirectory());

    bool isListening() const noexcept { return listening; }

    /** Opens the file in a new window through the opener: a file that is refused opens no window,
        the "File Error" notice alone tells of it. The file goes into a window of its own rather
        than whichever window has the focus, so it is never dropped when another program holds the
        focus. */
    EditorWindow* openInNewWindow (const juce::File& file);

    /** Called on the message thread for each message refused, with the reason. */
    std::function<void (const juce::String&)> onMessageRefused;

    //==============================================================================
    /** The file named by a command line: one path, quotes allowed, relative to the working
        folder; none when the command line is blank or starts with '-'. */
    static juce::File getNamedFile (const juce::String& commandLine,
                                    const juce::File& workingFolder = juce::File::getCurrentWorkingDirectory());

    /** Hands absolute paths to the editor listening in the folder; true when it has them. */
    static bool handOver (const juce::File& folder, const juce::StringArray& paths);

    /** $XDG_RUNTIME_DIR/zkm-editor, or the run folder beside the settings when it is not set. */
    static juce::File getDefaultFolder();

    /** The longest frame: what a pipe takes in one piece. */
    static constexpr int maxFrameBytes = 4096;
    static constexpr int maxPathsPerMessage = 16;

private:
    //==============================================================================
    void run() override;
    bool makePrivateFolder() const;
    bool tryLock();
    void unlock();
    bool openPipe();
    void closePipe();

    /** Reads one frame when one comes; false when what came cannot be a frame. The refusal says
        why a message was not taken. */
    bool readFrame (juce::String& refusal);
    void refuse (const juce::String& reason);
    void deliver (const juce::StringArray& paths);

    static juce::StringArray parsePaths (const juce::MemoryBlock& payload, juce::String& reason);
    static juce::String getInstanceName();

    WindowOpener openNewWindow;
    const juce::File folder;
    const juce::String pipePath;
    juce::NamedPipe pipe;
    int lockHandle = -1;
    std::atomic<bool> listening{ false };
    juce::WeakReference<RunningInstance> self;

    JUCE_DECLARE_WEAK_REFERENCEABLE (RunningInstance)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RunningInstance)
};
