// One run of the real Quilvex.exe, driven from outside with window messages.
// Every wait is bounded; a run still alive when the object goes is killed.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

// Texts of the program, in code page 932.
extern const char kDialogCaption[];
extern const char kAboutCaption[];
extern const char kRestartQuestion[];
extern const char kRestartCaption[];

class QuilvexProcess {
public:
    // Where Quilvex.exe is; set once from the command line.
    static std::string s_exePath;

    QuilvexProcess() = default;
    QuilvexProcess(const QuilvexProcess&) = delete;
    QuilvexProcess& operator=(const QuilvexProcess&) = delete;
    ~QuilvexProcess();

    // Starts the program and waits (15 s at most) until its main dialog is visible.
    bool Start();
    HWND dialog() const { return m_dialog; }
    DWORD processId() const { return m_process.dwProcessId; }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    int Check(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::string Text(int id) const { return TextOf(Item(id)); }

    // Clicks a control the way the mouse does (BM_CLICK) and returns once
    // the dialog has handled the click.
    void Click(int id);
    // Sends WM_COMMAND for a control that no click reaches (BN_CLICKED
    // unless a code is given).
    void Command(int id, WORD code = BN_CLICKED);
    // Replaces a field's whole text, as a paste over the selected text does.
    void SetText(int id, const std::string& text);
    // Inserts text at the caret, as typing does.
    void Type(int id, const std::string& text);
    // Posts a click of a button that may open a modal box (OK, Cancel) and
    // returns at once.
    void PostButton(int id);
    void Post(UINT message, WPARAM wParam, LPARAM lParam);

    // The window with the input focus in the program, or null.
    HWND Focus() const;
    // A visible top-level window of the program other than the main dialog
    // whose caption is caption; null when none shows within timeoutMs.
    HWND WaitForWindow(const char* caption, DWORD timeoutMs) const;
    std::vector<HWND> TopLevelWindows() const;

    bool Running() const;
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    // Ends the run by force; true when it had to.
    bool Kill();

    // Message helpers for any window of the program, bounded to 5 s each
    // unless told otherwise.
    static LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 5000);
    static std::string TextOf(HWND window);
    static std::string ClassOf(HWND window);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

// A snapshot of every control of the main dialog that the user can change:
// check state, enabled state and text.
struct ControlState {
    int id;
    int check;
    bool enabled;
    std::string text;
    bool operator==(const ControlState& other) const
    {
        return id == other.id && check == other.check && enabled == other.enabled && text == other.text;
    }
};
std::vector<ControlState> ControlStates(const QuilvexProcess& quilvex);
void PrintTo(const ControlState& state, std::ostream* out);
