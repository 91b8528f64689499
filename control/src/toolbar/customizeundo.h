// The journal of customization steps: while the customize dialog is open, each
// drop or deletion keeps the toolbars it touches as they were, so that the last
// step can be taken back.
#pragma once
#include "jbars.h"

#include <memory>
#include <vector>

// A copy of a picture record with a bitmap of its own; NULL for NULL.
CTMBITMAPSTRUCT* CopyPictureRecord(const CTMBITMAPSTRUCT* pRecord);
// Destroys a toolbar's window, or its floating frame when it floats.
void DestroyToolbarWindow(JToolBar* pBar);

class JCustomizeJournal {
public:
    // One step, from its construction to its end; steps made inside another belong to it.
    class Step {
    public:
        Step();
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;
        // Keeps the toolbar as it is now (once a step).
        void Touch(JToolBar* pBar);
        // The toolbar was made by this step.
        void Made(JToolBar* pBar);

    private:
        bool m_bOuter = false;
    };

    static void Open();
    static void Close();
    static BOOL Undo();

private:
    // A toolbar as it was: its buttons and where it stood.
    struct BarState {
        HWND hWnd = nullptr;
        std::vector<JToolBar::ButtonSlot> slots;   // records in `records`
        std::vector<std::unique_ptr<CTMBITMAPSTRUCT>> records;
        CString strName;
        UINT nID = 0;
        BOOL bIDFixed = FALSE;
        DWORD dwWindowStyle = 0, dwBarStyle = 0, dwDockStyle = 0;
        bool bFloating = false;
        CPoint ptFloat;
        UINT nDockBarID = 0;
        CRect rectDocked;   // screen
        HWND hFrame = nullptr;
        BOOL bDefault = FALSE;
        std::vector<UINT> defaults;
        GUserText strEnvironment;
    };
    struct StepRecord {
        std::vector<BarState> before;
        std::vector<HWND> made;
    };

    static JCustomizeJournal& Get();
    static JToolBar* LiveBar(HWND hWnd);
    static BarState Capture(JToolBar* pBar);
    static bool Unchanged(const BarState& state);
    static std::vector<JToolBar::ButtonSlot> SlotsOf(const BarState& state);
    static JToolBar* Recreate(const BarState& state);
    // A live toolbar of the same name and environment, or NULL.
    static JToolBar* Namesake(const BarState& state);
    // Windows made again stand for the old ones in the steps before.
    void Remap(HWND hOld, HWND hNew);

    bool m_bOpen = false;
    std::unique_ptr<StepRecord> m_pCurrent;   // the step being made
    std::vector<StepRecord> m_steps;
};
