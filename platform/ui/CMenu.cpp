#include "kvui/CMenu.h"

#include "kvui/CWnd.h"
#include "kvui/KvUiDriver.h"

BOOL CMenu::CreatePopupMenu()
{
    m_items.clear();
    m_bCreated = true;
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    m_items.clear();
    m_bCreated = false;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::u16string& text)
{
    return AppendMenu(nFlags, nIDNewItem, text, static_cast<int>(nIDNewItem));
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::u16string& text, int nAnswerKey)
{
    if (!m_bCreated) return FALSE;
    m_items.push_back(Item{nFlags, nIDNewItem, text, nAnswerKey});
    return TRUE;
}

const CMenu::Item* CMenu::FindEnabledByKey(int nKey) const
{
    for (const auto& item : m_items)
        if (!(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) && item.key == nKey) return &item;
    return nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int, int, CWnd* pWnd)
{
    UINT_PTR chosen = 0;
    KvUiPendingMenuChoice& pending = kvuiPendingMenuChoice();
    if (pending.bActive && !pending.bUsed) {
        // The choice came with the user's right-click.
        pending.bUsed = true;
        if (!pending.bNone) {
            if (const Item* item = FindEnabledByKey(pending.key))
                chosen = item->id;
            else
                pending.error = "the menu has no item " + std::to_string(pending.key) + " to choose";
        }
        if (KvUiDriver* driver = kvuiDriver(); driver && pending.error.empty()) {
            const UINT_PTR shown = driver->PopupMenuChoosing(*this, chosen);
            if (shown != chosen)
                pending.error =
                    "the menu on screen gave item " + std::to_string(shown) + " instead of " + std::to_string(chosen);
        }
    } else if (KvUiDriver* driver = kvuiDriver()) {
        chosen = driver->PopupMenu(*this);
    }
    if (nFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && pWnd) pWnd->OnChildCommand(static_cast<int>(chosen), 0);
    return chosen != 0;
}
