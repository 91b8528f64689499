// The unit combo kinds and their window classes for dialog templates.
#include "junitcombo.h"

#include "cntlrc.h"
#include "direction.h"
#include "jenvmanager.h"
#include "unitvalue.h"
#include "libstate.h"
#include "module.h"

#include <new>

IMPLEMENT_DYNAMIC(JDistanceComboBox, JUnitComboBox)
IMPLEMENT_DYNAMIC(JAngleComboBox, JUnitComboBox)
IMPLEMENT_DYNAMIC(JDirectionComboBox, JUnitComboBox)
IMPLEMENT_DYNAMIC(JScalarComboBox, JUnitComboBox)
IMPLEMENT_DYNAMIC(JWeightComboBox, JUnitComboBox)

namespace {

HINSTANCE ClassModule()
{
    return ControlModule() ? ControlModule() : ::GetModuleHandleA(nullptr);
}

bool QuadrantBearings()
{
    const JBearingInfo& bearing = ControlState().bearing;
    return bearing.nOn && !bearing.nAzimuthMode;
}

// The object a window of a registered class gets: it goes with its window.
template <class TCombo>
class JAutoUnitCombo final : public TCombo {
public:
    static WNDPROC s_pfnCombo;   // the system combo box class's procedure

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // Long entries scroll, long lists get a scroll bar. The combo box reads its style
        // from the creation data (and hands the scroll bar on to its list): both change.
        if (message == WM_NCCREATE) {
            this->ModifyStyle(0, CBS_AUTOHSCROLL | WS_VSCROLL);
            if (auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam))
                pCreate->style |= CBS_AUTOHSCROLL | WS_VSCROLL;
        }
        return TCombo::WindowProc(message, wParam, lParam);
    }

    static LRESULT CALLBACK StartUp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        // An object made with Create subclassed the window itself: this is its default processing.
        if (CWnd::FromHandlePermanent(hWnd))
            return ::CallWindowProcA(s_pfnCombo, hWnd, message, wParam, lParam);
        auto* pCombo = new (std::nothrow) JAutoUnitCombo;
        if (!pCombo)
            return ::CallWindowProcA(s_pfnCombo, hWnd, message, wParam, lParam);
        JUnitComboBox::AdoptWindow(pCombo, hWnd, s_pfnCombo);
        return AfxCallWndProc(pCombo, hWnd, message, wParam, lParam);
    }

protected:
    void PostNcDestroy() override { delete this; }
};

template <class TCombo>
WNDPROC JAutoUnitCombo<TCombo>::s_pfnCombo = nullptr;

}   // namespace

void JUnitComboBox::AdoptWindow(JUnitComboBox* pCombo, HWND hWnd, WNDPROC pfnCombo)
{
    pCombo->Attach(hWnd);
    pCombo->m_pfnSuper = pfnCombo;
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
}

BOOL JUnitComboBox::RegisterComboSuperclass(LPCSTR className, UINT classStyle, WNDPROC pfnStartUp, WNDPROC* ppfnCombo)
{
    WNDCLASSA combo{};
    if (!::GetClassInfoA(nullptr, "combobox", &combo))
        return FALSE;
    *ppfnCombo = combo.lpfnWndProc;
    WNDCLASSA existing{};
    if (::GetClassInfoA(ClassModule(), className, &existing))
        return existing.lpfnWndProc == pfnStartUp;
    WNDCLASSA wc = combo;
    wc.hInstance = ClassModule();
    wc.lpszClassName = className;
    wc.style = classStyle;
    wc.lpfnWndProc = pfnStartUp;
    return ::RegisterClassA(&wc) != 0;
}

#define UNIT_COMBO_CLASS(theClass, classStyle) \
    BOOL theClass::RegisterControlClass() \
    { \
        return RegisterComboSuperclass(#theClass, classStyle, JAutoUnitCombo<theClass>::StartUp, \
                                       &JAutoUnitCombo<theClass>::s_pfnCombo); \
    } \
    BOOL theClass::UnregisterControlClass() \
    { \
        return ::UnregisterClassA(#theClass, ClassModule()); \
    }

UNIT_COMBO_CLASS(JUnitComboBox, CS_GLOBALCLASS | CS_DBLCLKS)
UNIT_COMBO_CLASS(JDistanceComboBox, CS_GLOBALCLASS)
UNIT_COMBO_CLASS(JAngleComboBox, CS_GLOBALCLASS)
UNIT_COMBO_CLASS(JDirectionComboBox, CS_GLOBALCLASS)
UNIT_COMBO_CLASS(JScalarComboBox, CS_GLOBALCLASS)
UNIT_COMBO_CLASS(JWeightComboBox, CS_GLOBALCLASS)

JDistanceComboBox::JDistanceComboBox(int useDefaults) : JUnitComboBox(useDefaults, UNIT_TYPE_DISTANCE)
{
}

void JDistanceComboBox::AddDefaultValues()
{
    for (LPCSTR text : {"0.5 in", "1.0 in"})
        AddStringToLB(CString(FormatStored(Parse(text)).Text()), 1);
}

JAngleComboBox::JAngleComboBox(int useDefaults) : JUnitComboBox(useDefaults, UNIT_TYPE_ANGLE)
{
}

JDirectionComboBox::JDirectionComboBox(int useDefaults) : JUnitComboBox(useDefaults, UNIT_TYPE_ANGLE)
{
}

void JDirectionComboBox::AddDefaultValues()
{
    // Plain angles whatever the bearing mode: they parse in every mode.
    for (LPCSTR text : {"45.0", "90.0", "135.0", "180.0"})
        AddStringToLB(CString(JUnitComboBox::FormatStored(Parse(text)).Text()), 1);
}

GUserText JDirectionComboBox::FormatStored(double value)
{
    if (!QuadrantBearings())
        return JUnitComboBox::FormatStored(value);
    const tagUomFormat format = DisplayFormat();
    const UINT *primary, *secondary, *tertiary;
    DisplayUnits(&primary, &secondary, &tertiary);
    return FormatQuadrantBearingText(m_nUnitType, value, format, primary, secondary, tertiary);
}

int JDirectionComboBox::ParseStored(const GUserText& text, double* value)
{
    const int result = JUnitComboBox::ParseStored(text, value);
    if (result == 1 || !QuadrantBearings())
        return result;
    return JDirectionEdit::ParseQuadrantBearing(m_nUnitType, text, value, nullptr);
}

int JDirectionComboBox::Parse()
{
    const JBearingInfo& bearing = ControlState().bearing;
    if (!bearing.nOn)
        return JUnitComboBox::Parse();
    return UnitValue<JUnitComboBox>::ParseDirection(*this, bearing);
}

void JDirectionComboBox::Display()
{
    const JBearingInfo& bearing = ControlState().bearing;
    if (!bearing.nOn) {
        JUnitComboBox::Display();
        return;
    }
    if (!bearing.nAzimuthMode) {
        SetWindowText(FormatStored(QuadrantAzimuth(m_dValue)));
        return;
    }
    SetWindowText(JUnitComboBox::FormatStored(AzimuthFromDirection(bearing, m_dValue)));
}

JScalarComboBox::JScalarComboBox(int useDefaults) : JUnitComboBox(useDefaults, UNIT_TYPE_SCALAR)
{
}

void JScalarComboBox::SetToDoubleControl(BYTE decimals)
{
    tagUomFormat format = GetLocalFormat();
    format.precision = decimals;
    SetLocalFormat(format);
    SetUnitDisplayMode(0);
}

void JScalarComboBox::SetToIntegerControl()
{
    tagUomFormat format = GetLocalFormat();
    format.precision = 0;
    format.integerDisplay = 1;
    SetLocalFormat(format);
    SetUnitDisplayMode(0);
}

JWeightComboBox::JWeightComboBox(int useDefaults) : JUnitComboBox(useDefaults, UNIT_TYPE_DISTANCE)
{
}

void JWeightComboBox::OnCreated()
{
    ModifyStyle(JCBS_HISTORY, 0);
    m_nValueLimit = 25;
    SetUpPresets(true);
}

int JWeightComboBox::Init()
{
    SetUpPresets(false);
    return 1;
}

void JWeightComboBox::SetUpPresets(bool localSeparator)
{
    // The list is rebuilt, not extended: Init after creation must not repeat the presets.
    ResetContent();
    CString presets[9];
    for (UINT i = 0; i < 9; ++i)
        if (!ControlResources() || !AfxLoadString(ControlResources(), IDS_WEIGHT_PRESET_FIRST + i, presets[i]))
            presets[i].Empty();
    char separator[8] = ".";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    const bool replace = localSeparator && separator[0] && presets[0].Find(separator) < 0;
    for (CString& preset : presets) {
        if (preset.IsEmpty())
            continue;
        if (replace) {
            int at = preset.Find('.');
            if (at < 0)
                at = preset.Find(',');
            if (at >= 0)
                preset = preset.Left(at) + separator + preset.Mid(at + 1);
        }
        AddString(preset);
    }
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current()) {
        const UINT primary = (UINT)pInfo->m_nDisplayPrimaryUnits;
        const UINT none = UNIT_NONE;
        SetLocalUnits(&primary, &none, nullptr);
        tagUomFormat format = GetLocalFormat();
        format.mode = (BYTE)pInfo->m_nFormatMode;
        format.precision = (BYTE)pInfo->m_nFormatPrecision;
        SetLocalFormat(format);
    }
    SetUnitDisplayMode(0);
}
