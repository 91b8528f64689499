// The toolbar's image operations: the shared ones, in the toolbar window's format.
#include "jbars.h"
#include "jimage.h"

BOOL JToolBar::IsColorBitmap(HBITMAP hBitmap)
{
    return JBitmapOps::IsColorBitmap(hBitmap);
}

HBITMAP JToolBar::CopyBitmapImage(HBITMAP hSource, COLORREF* pBackground)
{
    return JBitmapOps::CopyBitmapImage(this, hSource, pBackground);
}

HBITMAP JToolBar::CreateMask(HBITMAP hSource, COLORREF* pKey)
{
    return JBitmapOps::CreateMask(this, hSource, pKey);
}

HBITMAP JToolBar::CreateMaskedBitmap(HBITMAP hColor, HBITMAP hMask, COLORREF* pFill)
{
    return JBitmapOps::CreateMaskedBitmap(this, hColor, hMask, pFill);
}

HBITMAP JToolBar::ReplaceBackgroundColor(HBITMAP hBitmap, COLORREF* pFrom, COLORREF* pTo)
{
    return JBitmapOps::ReplaceBackgroundColor(hBitmap, pFrom, pTo);
}
