#include "resources/UiResources.h"

// The templates are French-language resources; the pages replace every text but "..."
// with the string table's text in the user's language when they open.
namespace {
constexpr int IDC_STATIC = -1;

using Kind = KvUiControlKind;

KvUiControlTemplate label(int id, int x, int y, int cx, int cy, const std::u16string& text)
{
    return kvuiControl(id, Kind::Label, x, y, cx, cy, SS_LEFT, text);
}

KvUiControlTemplate button(int id, int x, int y, int cx, int cy, const std::u16string& text, DWORD style = 0)
{
    return kvuiControl(id, Kind::PushButton, x, y, cx, cy, BS_PUSHBUTTON | WS_TABSTOP | style, text);
}

KvUiControlTemplate defButton(int id, int x, int y, int cx, int cy, const std::u16string& text)
{
    return kvuiControl(id, Kind::PushButton, x, y, cx, cy, BS_DEFPUSHBUTTON | WS_TABSTOP, text);
}

KvUiControlTemplate checkBox(int id, int x, int y, int cx, int cy, const std::u16string& text)
{
    return kvuiControl(id, Kind::CheckBox, x, y, cx, cy, BS_AUTOCHECKBOX | WS_TABSTOP, text);
}

KvUiControlTemplate groupBox(int id, int x, int y, int cx, int cy, const std::u16string& text)
{
    return kvuiControl(id, Kind::GroupBox, x, y, cx, cy, BS_GROUPBOX, text);
}

KvUiControlTemplate edit(int id, int x, int y, int cx, int cy)
{
    return kvuiControl(id, Kind::Edit, x, y, cx, cy, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
}

KvUiControlTemplate reportList(int id, int x, int y, int cx, int cy)
{
    return kvuiControl(id, Kind::ListView, x, y, cx, cy, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP);
}

KvUiControlTemplate listModeList(int id, int x, int y, int cx, int cy)
{
    return kvuiControl(id, Kind::ListView, x, y, cx, cy, LVS_LIST | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP);
}

KvUiControlTemplate sideBitmap(int y)
{
    return kvuiControl(IDC_STATIC, Kind::Picture, 7, y, 100, 236, SS_BITMAP, u"", IDB_SIDE);
}

KvUiDialogTemplate page(int id, int cx, const std::u16string& title)
{
    KvUiDialogTemplate d;
    d.id = id;
    d.cx = cx;
    d.cy = 271;
    d.style = DS_MODALFRAME | DS_SETFONT | WS_CAPTION | WS_SYSMENU;
    d.title = title;
    return d;
}

// Previous, Next, Cancel at y = 250, left to right.
void addWizardButtons(KvUiDialogTemplate& d, int xPrevious, int xNext, int xCancel, const std::u16string& next)
{
    d.controls.push_back(button(1001, xPrevious, 250, 50, 14, u"< Précédent"));
    d.controls.push_back(defButton(IDOK, xNext, 250, 50, 14, next));
    d.controls.push_back(button(IDCANCEL, xCancel, 250, 50, 14, u"Annuler"));
}

KvUiDialogTemplate startPage()
{
    KvUiDialogTemplate d = page(IDD_ASSIST1, 316, u"Extraction de données - Démarrage (1/5)");
    d.controls.push_back(sideBitmap(7));
    d.controls.push_back(
        label(1035, 111, 35, 192, 24, u"Assistant d'extraction des objets du dessin vers une table ou un fichier"));
    d.controls.push_back(checkBox(1004, 125, 74, 163, 10, u"Créer une nouvelle extraction"));
    d.controls.push_back(button(1002, 124, 89, 15, 11, u"..."));
    d.controls.push_back(label(1047, 143, 91, 91, 8, u"Utiliser une extraction .kvx"));
    d.controls.push_back(edit(1046, 143, 104, 144, 14));
    addWizardButtons(d, 150, 205, 259, u"Suivant >");
    d.controls[d.controls.size() - 3].style |= WS_DISABLED;  // nothing before the first page
    return d;
}

KvUiDialogTemplate dataSourcePage()
{
    KvUiDialogTemplate d = page(IDD_ASSIST2, 316, u"Extraction de données - Source des données (2/5)");
    d.controls.push_back(sideBitmap(7));
    d.controls.push_back(groupBox(1035, 111, 30, 190, 49, u"Source des données"));
    d.controls.push_back(label(1036, 122, 46, 56, 10, u"Sélection d'objets"));
    d.controls.push_back(button(1002, 184, 44, 17, 12, u"..."));
    // Alone in its group: the controls on each side start groups of their own.
    d.controls.push_back(kvuiControl(1037, Kind::RadioButton, 120, 61, 63, 10,
                                     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, u"Dessin courant"));
    d.controls.push_back(kvuiControl(1051, Kind::Label, 111, 86, 56, 8, SS_LEFT | WS_GROUP, u"Fichier dessin :"));
    d.controls.push_back(listModeList(1011, 110, 97, 191, 50));
    addWizardButtons(d, 150, 205, 259, u"Suivant >");
    return d;
}

KvUiDialogTemplate objectsPage()
{
    KvUiDialogTemplate d = page(IDD_ASSIST3, 414, u"Extraction de données - Sélection des objets (3/5)");
    d.controls.push_back(sideBitmap(7));
    d.controls.push_back(label(1035, 111, 20, 192, 8, u"Sélectionnez les objets à extraire."));
    d.controls.push_back(groupBox(1038, 111, 32, 283, 163, u"Objets"));
    d.controls.push_back(reportList(1022, 117, 45, 198, 145));
    d.controls.push_back(label(1039, 321, 45, 65, 9, u"Filtre"));
    d.controls.push_back(listModeList(1023, 321, 55, 68, 99));
    addWizardButtons(d, 224, 282, 339, u"Suivant >");
    return d;
}

KvUiDialogTemplate propertiesPage()
{
    KvUiDialogTemplate d = page(IDD_ASSIST4, 415, u"Extraction de données - Sélection des propriétés (4/5)");
    d.controls.push_back(sideBitmap(6));
    d.controls.push_back(label(1035, 111, 20, 204, 12, u"Sélectionnez les propriétés à extraire."));
    d.controls.push_back(groupBox(1040, 111, 32, 283, 163, u"Propriétés"));
    d.controls.push_back(reportList(1025, 117, 45, 198, 145));
    d.controls.push_back(label(1039, 321, 45, 65, 9, u"Filtre"));
    d.controls.push_back(listModeList(1023, 321, 55, 68, 99));
    d.controls.push_back(checkBox(1033, 120, 199, 105, 10, u"Combiner les lignes par :"));
    d.controls.push_back(
        kvuiControl(1034, Kind::ComboBox, 237, 198, 122, 52, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP));
    d.controls.push_back(checkBox(1030, 120, 210, 117, 10, u"Afficher la colonne des quantités"));
    d.controls.push_back(checkBox(1032, 120, 221, 129, 10, u"Afficher la colonne des noms d'objets"));
    d.controls.push_back(checkBox(1028, 120, 232, 71, 10, u"Afficher les totaux"));
    addWizardButtons(d, 225, 282, 339, u"Suivant >");
    return d;
}

KvUiDialogTemplate outputPage()
{
    KvUiDialogTemplate d = page(IDD_ASSIST5, 414, u"Extraction de données - Sélection de la sortie (Fin 5/5)");
    d.controls.push_back(sideBitmap(7));
    d.controls.push_back(label(1041, 111, 20, 60, 8, u"Aperçu de la table"));
    d.controls.push_back(reportList(1022, 110, 30, 300, 109));
    d.controls.push_back(groupBox(1038, 110, 142, 281, 72, u"Options de sortie"));
    d.controls.push_back(label(1043, 115, 153, 200, 8, u"Choisissez un type de sortie pour cette extraction"));
    d.controls.push_back(button(1031, 128, 167, 20, 12, u"...", BS_ICON));
    d.controls.push_back(label(1044, 155, 167, 211, 12, u"Insérer la table d'extraction dans le dessin"));
    d.controls.push_back(button(1029, 128, 182, 20, 12, u"..."));
    d.controls.push_back(label(1045, 155, 184, 181, 10, u"Exporter les données dans un fichier externe (.csv, .xls)"));
    d.controls.push_back(edit(1016, 155, 196, 228, 14));
    d.controls.push_back(groupBox(1042, 110, 216, 281, 30, u"Enregistrer l'extraction (.kvx)"));
    d.controls.push_back(button(1003, 128, 228, 20, 12, u"..."));
    d.controls.push_back(edit(1017, 155, 227, 228, 14));
    // Previous, Cancel, Finish on the last page.
    d.controls.push_back(button(1001, 238, 250, 50, 14, u"< Précédent"));
    d.controls.push_back(button(IDCANCEL, 293, 250, 50, 14, u"Annuler"));
    d.controls.push_back(defButton(IDOK, 349, 250, 50, 14, u"Terminer"));
    return d;
}

KvUiDialogTemplate updateDialog()
{
    KvUiDialogTemplate d;
    d.id = IDD_UPDATE;
    d.cx = 267;
    d.cy = 134;
    d.style = DS_MODALFRAME | DS_SETFONT | WS_CAPTION | WS_SYSMENU;
    d.title = u"Mise à jour de l'exportation";
    d.controls.push_back(groupBox(1048, 7, 7, 253, 97, u"Choix de mise à jour"));
    const char16_t* captions[] = {u"Sélectionner la table et mettre à jour", u"Ajouter de nouveaux objets à la table",
                                  u"Remplacer la sélection d'objets d'une table", u"Mettre à jour l'exportation"};
    for (int i = 0; i < 4; ++i) {
        d.controls.push_back(button(1051 + i, 15, 23 + 20 * i, 20, 14, u"..."));
        d.controls.push_back(label(1055 + i, 40, 26 + 20 * i, 212, 8, captions[i]));
    }
    d.controls.push_back(defButton(IDOK, 144, 113, 50, 14, u"Terminer"));
    d.controls.push_back(button(IDCANCEL, 208, 113, 44, 14, u"Annuler"));
    return d;
}
}  // namespace

void AddDialogTemplates(KvUiResourceModule& module)
{
    for (KvUiDialogTemplate d :
         {startPage(), dataSourcePage(), objectsPage(), propertiesPage(), outputPage(), updateDialog()})
        module.dialogs[d.id] = d;
}
