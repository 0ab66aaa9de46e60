// Test dialogs, a scripted user and the transcript they leave, for the window-model tests.
#pragma once

#include <afxwin.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "dlgtemplate.h"
#include "host/Codepage.h"
#include "host/ScriptBackend.h"
#include "host/UiBackend.h"

// Run-time text from a UTF-8 literal (plain literals are CP932 bytes in this build).
inline const char* U8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

enum {
    IDD_TEST = 900,       // edits, radio buttons, a disabled button, a progress bar, Cancel
    IDD_DEFAULT = 901,    // an edit and a default push button
    IDC_LABEL = 10,
    IDC_NAME = 11,
    IDC_NUMBER = 12,
    IDC_FIRST = 13,
    IDC_SECOND = 14,
    IDC_DISABLED = 15,
    IDC_RUN = 16,
    IDC_BAR = 17,
    IDC_GO = 20,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

inline const DialogItemTemplate testItems[] = {
    {IDC_LABEL, ControlClass::Static, "名前", 5, 5, 30, 10, kChild | WS_GROUP},
    {IDC_NAME, ControlClass::Edit, "", 40, 5, 60, 12, kChild | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_NUMBER, ControlClass::Edit, "", 40, 20, 20, 12, kChild | WS_TABSTOP | ES_NUMBER},
    {IDC_FIRST, ControlClass::Button, "一", 5, 35, 40, 10, kChild | BS_AUTORADIOBUTTON | WS_GROUP},
    {IDC_SECOND, ControlClass::Button, "二", 5, 45, 40, 10, kChild | BS_AUTORADIOBUTTON},
    {IDC_DISABLED, ControlClass::Button, "Off", 5, 60, 40, 14, kChild | WS_TABSTOP | WS_DISABLED | WS_GROUP},
    {IDC_RUN, ControlClass::Button, "Run", 50, 60, 40, 14, kChild | WS_TABSTOP},
    {IDC_BAR, ControlClass::Progress, "", 5, 80, 100, 8, kChild},
    {IDCANCEL, ControlClass::Button, "Cancel", 95, 60, 40, 14, kChild | WS_TABSTOP},
    {-1, ControlClass::Static, "：", 5, 95, 10, 10, kChild},
};

inline const DialogItemTemplate defaultItems[] = {
    {IDC_NAME, ControlClass::Edit, "abc", 5, 5, 60, 12, kChild | WS_TABSTOP},
    {IDC_GO, ControlClass::Button, "Go", 5, 20, 40, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
};

inline const DialogTemplate testDialogs[] = {
    {IDD_TEST, "テスト", 150, 110, "", 9, WS_POPUP | WS_CAPTION, testItems,
     static_cast<int>(sizeof(testItems) / sizeof(testItems[0]))},
    {IDD_DEFAULT, "Default", 100, 40, "", 9, WS_POPUP | WS_CAPTION, defaultItems,
     static_cast<int>(sizeof(defaultItems) / sizeof(defaultItems[0]))},
};

inline const StringResource testStrings[] = {
    {1, "21.00.03"},
    {2, "決算書"},
};

inline const ResourceTable testResources = {
    testDialogs, 2, testStrings, 2, nullptr,
};

// A modal dialog over IDD_TEST (or another template) that records every message its
// PreTranslateMessage sees, with the focus and key state at that moment.
class RecordingDialog : public CDialog {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        int focusId;
        bool shift, ctrl, alt;
    };

    explicit RecordingDialog(UINT templateId = IDD_TEST, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN || msg->message == WM_CHAR) {
            seen.push_back({msg->message, msg->wParam, ::GetDlgCtrlID(::GetFocus()), GetKeyState(VK_SHIFT) < 0,
                            GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0});
            if (msg->message == WM_KEYDOWN && msg->wParam == swallowKey) {
                return TRUE;
            }
        }
        return CDialog::PreTranslateMessage(msg);
    }

    std::vector<Seen> seen;
    std::vector<int> clicks;
    WPARAM swallowKey = 0;
    int endOnRun = 0;           // EndDialog code of the Run button; 0 keeps the dialog open
    CString name;
    CString number;
    CEdit nameEdit;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        if (m_templateId != IDD_TEST) {
            return;
        }
        DDX_Control(dx, IDC_NAME, nameEdit);
        DDX_Text(dx, IDC_NAME, name);
        DDV_MaxChars(dx, name, 8);
        DDX_Text(dx, IDC_NUMBER, number);
        DDV_MaxChars(dx, number, 2);
    }

    void OnRun()
    {
        clicks.push_back(IDC_RUN);
        if (endOnRun != 0) {
            UpdateData(TRUE);
            EndDialog(endOnRun);
        }
    }
    void OnFirst() { clicks.push_back(IDC_FIRST); }
    void OnGo()
    {
        clicks.push_back(IDC_GO);
        EndDialog(IDC_GO);
    }

    DECLARE_MESSAGE_MAP()
};

// Each test gets a scratch folder, its own transcript and a script of its own.
class ScriptedUi : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/stmtport-windows-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        transcript_ = root_ + "/transcript.jsonl";
        setenv("STMTPORT_UI_LOG", transcript_.c_str(), 1);
        RegisterModuleResources(&testResources);
    }

    void TearDown() override
    {
        unsetenv("STMTPORT_UI_LOG");
        std::string error;
        Script("");
        std::string command = "rm -rf '" + root_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    // A new, empty transcript file (the transcript keeps its file open, so it is never removed).
    void FreshTranscript()
    {
        transcript_ = root_ + "/transcript-" + std::to_string(++transcripts_) + ".jsonl";
        setenv("STMTPORT_UI_LOG", transcript_.c_str(), 1);
    }

    // Starts the scripted user on `text` (UTF-8, written to a file as the program would read it).
    void Script(const std::string& text)
    {
        std::string path = root_ + "/script.txt";
        std::ofstream(path, std::ios::binary) << text;
        std::string error;
        ASSERT_TRUE(host::StartUi("script:" + path, error)) << error;
    }

    // The transcript lines written so far.
    std::vector<std::string> Transcript() const
    {
        std::ifstream file(transcript_, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The lines of one event, in order.
    std::vector<std::string> Events(const std::string& event) const
    {
        std::vector<std::string> found;
        for (const std::string& line : Transcript()) {
            if (line.rfind("{\"event\":\"" + event + "\"", 0) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

    std::string root_;
    std::string transcript_;
    int transcripts_ = 0;
};
