// The customize dialog's menu page. Menus are not arranged by the library yet: this page
// holds the dialog's place for it, says so to the user and changes nothing.
#pragma once
#include "jtspropertypage.h"

#include <vector>

class CCategoryPtrList;

class CONTROL_CLASS CMenuPage : public CTsPropertyPage {
    DECLARE_DYNAMIC(CMenuPage)
public:
    CMenuPage();

    // What the page works on: the categories, the frame's menu bar and the dialog's working
    // copy of the frame's accelerators.
    void SetMenuData(CCategoryPtrList* pCategories, HMENU hMainMenu, std::vector<ACCEL>* pAccelerators);
    // Turns customization mode on whenever the page is shown.
    BOOL OnSetActive() override;
    // The dialog's OK: nothing is edited, nothing is applied.
    void OnOK() override;

    // ---- fields, in declaration order ----
    CCategoryPtrList* m_pCategories = nullptr;
    HMENU m_hMainMenu = nullptr;
    std::vector<ACCEL>* m_pAccelerators = nullptr;
};
