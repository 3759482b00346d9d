#pragma once
// Popup menus. Which item the user chooses is asked of the user-interface driver; each
// item carries an answer key the driver matches (its id unless given otherwise).
#include <string>
#include <vector>

#include "kvui/KvUiDefs.h"

class CMenu {
public:
    struct Item {
        UINT flags = MF_STRING;
        UINT_PTR id = 0;
        std::u16string text;
        int key = 0;
    };

    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const std::u16string& text = u"");
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::u16string& text, int nAnswerKey);
    UINT GetMenuItemCount() const { return static_cast<UINT>(m_items.size()); }
    const std::vector<Item>& GetItems() const { return m_items; }
    // The enabled item the key names, or null.
    const Item* FindEnabledByKey(int nKey) const;

    // With TPM_RETURNCMD returns the chosen id (0 for none); otherwise sends the chosen
    // id to the window as a command and returns whether one was chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);

private:
    bool m_bCreated = false;
    std::vector<Item> m_items;
};
