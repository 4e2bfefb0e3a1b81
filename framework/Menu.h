// CMenu: a menu handle. Menus handed out by CWnd::GetSystemMenu belong to the window.
#pragma once

#include <windows.h>

class CMenu {
public:
    explicit CMenu(HMENU hMenu = nullptr) : m_hMenu(hMenu) {}
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu;

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* newItem = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
    }
};
