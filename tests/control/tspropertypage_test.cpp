// The library's property pages take their templates and tab texts from the library's resource
// module whatever module the host made current, and show with that module current.
#include "cntlrc.h"
#include "jtspropertypage.h"
#include "module.h"

#include <gtest/gtest.h>

namespace {

class CProbeTsPage : public CTsPropertyPage {
public:
    CProbeTsPage() : CTsPropertyPage(IDD_TABNAME, IDS_TABNAME_TITLE) {}
    HINSTANCE exchangedWith = nullptr;   // the current resource module at the last exchange

protected:
    void DoDataExchange(CDataExchange*) override { exchangedWith = AfxGetResourceHandle(); }
};

TEST(TsPropertyPage, TemplateTabTextAndActivationUseTheLibraryResources)
{
    const HINSTANCE hProgram = ::GetModuleHandleA(nullptr);
    const bool attach = ControlResources() == nullptr;
    if (attach)
        ControlAttachProcess(hProgram);
    ASSERT_NE(nullptr, ControlResources()) << "cntlrc.drx must lie beside the test program";
    {
        CResourceSwitch host(hProgram);   // the host's module has no such template or text
        CProbeTsPage page;
        CTsPropertyPage other(IDD_TABNAME);
        CPropertySheet sheet("Library pages");
        sheet.AddPage(&page);
        sheet.AddPage(&other);
        ASSERT_TRUE(sheet.Create(nullptr, WS_POPUP | WS_CAPTION));
        EXPECT_NE(nullptr, ::GetDlgItem(page.m_hWnd, IDC_TABNAME_EDIT));

        char text[128] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(sheet.GetTabControl()->GetItem(0, &item));
        EXPECT_STREQ(LibraryText(IDS_TABNAME_TITLE, "?"), text);

        // Shown again, the page loads its controls with the library's module current.
        EXPECT_TRUE(sheet.SetActivePage(1));
        page.exchangedWith = nullptr;
        EXPECT_TRUE(sheet.SetActivePage(0));
        EXPECT_EQ(ControlResources(), page.exchangedWith);
        EXPECT_EQ(hProgram, AfxGetResourceHandle());
        sheet.DestroyWindow();
    }
    if (attach)
        ControlDetachProcess();
}

}   // namespace
