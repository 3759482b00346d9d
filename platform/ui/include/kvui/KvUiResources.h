#pragma once
// Dialog templates, bitmaps and icons found by id through a chain of resource modules, as
// a module's resources are found once the module has added itself to the chain.
#include <map>
#include <string>
#include <vector>

#include "kvui/KvUiDefs.h"
#include "kvui/KvUiImage.h"

enum class KvUiControlKind {
    Label,        // static text
    Picture,      // static bitmap
    PushButton,   // push button, default or not, optionally with an icon
    CheckBox,     // automatic check box
    RadioButton,  // automatic radio button; WS_GROUP starts a group
    GroupBox,
    Edit,
    ComboBox,  // drop-down list
    ListView,  // report or list mode by style
};

struct KvUiControlTemplate {
    int id = 0;
    KvUiControlKind kind = KvUiControlKind::Label;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = WS_VISIBLE;
    DWORD exStyle = 0;
    std::u16string text;
    int imageId = 0;  // picture: bitmap resource; push button with BS_ICON: icon resource
};

// A visible control of a template, as a template's control line gives it.
inline KvUiControlTemplate kvuiControl(int id, KvUiControlKind kind, int x, int y, int cx, int cy, DWORD style,
                                       const std::u16string& text = u"", int imageId = 0)
{
    KvUiControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    c.style = style | WS_VISIBLE;
    c.text = text;
    c.imageId = imageId;
    return c;
}

struct KvUiDialogTemplate {
    int id = 0;
    int cx = 0, cy = 0;  // dialog units
    DWORD style = DS_MODALFRAME | WS_CAPTION | WS_SYSMENU;
    std::u16string title;
    std::u16string fontName = u"MS Shell Dlg";
    int fontSize = 8;
    std::vector<KvUiControlTemplate> controls;

    const KvUiControlTemplate* control(int controlId) const;
};

struct KvUiResourceModule {
    std::map<int, KvUiDialogTemplate> dialogs;
    std::map<int, KvUiImage> bitmaps;
    std::map<int, KvUiImage> icons;
};

// The most recently added module is searched first. The module must outlive its entry.
void kvuiAddResourceModule(const KvUiResourceModule* module);
void kvuiRemoveResourceModule(const KvUiResourceModule* module);

const KvUiDialogTemplate* kvuiFindDialogTemplate(int id);
HBITMAP kvuiLoadBitmap(int id);
HICON kvuiLoadIcon(int id);
