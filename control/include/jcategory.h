// Command categories: the host's commands by name, with their button image strips.
#pragma once
#include "controlapi.h"

// One category. A command's image index in the strips is the number of
// non-zero IDs before it; an ID of 0 is a separator and has no image.
class CONTROL_CLASS JCategory {
public:
    enum Strip { SmallPlain = 0, SmallColor = 1, LargePlain = 2, LargeColor = 3, StripCount = 4 };

    HINSTANCE m_hModule = nullptr;   // holds the bitmap resources; NULL for a category of handles
    CString m_strName;               // the lookup key, compared case-sensitively
    UINT m_nBitmapIDs[StripCount] = {};
    HBITMAP m_hBitmaps[StripCount] = {};   // owned
    CUIntArray m_arrIDs;                   // commands in strip order
    CStringArray m_arrNames;               // display names, when the host gave them
    int m_nOption = 0;                     // stored as given

    JCategory() = default;
    ~JCategory();   // deletes the bitmap handles
    JCategory(const JCategory&) = delete;
    JCategory& operator=(const JCategory&) = delete;

    // The position of a command in the ID array, or -1.
    int FindPosition(UINT nCommandID) const;
    // The image index of a command (non-zero IDs before it), or -1 when it is not here.
    int FindImageIndex(UINT nCommandID) const;
};

// The categories of one environment, in order of registration; owns them.
class CONTROL_CLASS CCategoryPtrList : public CPtrArray {
public:
    CCategoryPtrList() = default;
    ~CCategoryPtrList() override;
    CCategoryPtrList(const CCategoryPtrList&) = delete;
    CCategoryPtrList& operator=(const CCategoryPtrList&) = delete;

    // Registers a category whose strips are bitmap resources of hModule. A category
    // with the same module and name moves to the end and keeps what it had.
    void AddCategory(const char* name, UINT smallID, UINT smallColorID, UINT largeID, UINT largeColorID,
                     const UINT* commandIDs, const CStringArray* names, int count, HINSTANCE hModule, int option);
    // Registers a category whose strips are bitmap handles, which it then owns. A
    // category with the same name moves to the end; the handles stay the caller's.
    void AddCategory(const char* name, HBITMAP small, HBITMAP smallColor, HBITMAP large, HBITMAP largeColor,
                     const UINT* commandIDs, const CStringArray* names, int count, int option);

    JCategory* GetCategory(int index) const;          // NULL out of range
    JCategory* GetCategory(const char* name) const;   // the first with that name, or NULL
    void RemoveAllCategories();
    void RemoveCategory(int index);
    void RemoveCategory(const char* name);

    // The command's image index in the named category, or -1.
    int FindID(const char* name, UINT commandID);
    // The length of the named category's ID array (separators included), or -1.
    int NumberOfCommands(const char* name);
    // The ID at a position of the named category, or 0.
    UINT GetCmdID(const char* name, int position);
    // The name of the first registered category holding the command, or empty.
    void FindCategoryName(UINT commandID, CString& out);

private:
    int IndexOf(const char* name, HINSTANCE hModule, bool matchModule) const;
    void MoveToEnd(int index);
    JCategory* Append(const char* name, const UINT* commandIDs, const CStringArray* names, int count, int option);
};
