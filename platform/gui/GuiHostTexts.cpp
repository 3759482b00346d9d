#include "kvgui/GuiHostTexts.h"

namespace {

struct Texts {
    GuiHostText id;
    const char* en;
    const char* es;
    const char* fr;
};

// One line a text, in the order of GuiHostText. The French texts put a no-break space
// (\u00a0) before a colon, as French typography does.
constexpr Texts kTexts[] = {
    {GuiHostText::kMenuFile, "&File", "&Archivo", "&Fichier"},
    {GuiHostText::kMenuView, "&View", "&Ver", "&Affichage"},
    {GuiHostText::kMenuTools, "&Tools", "&Herramientas", "&Outils"},
    {GuiHostText::kOpen, "&Open...", "&Abrir...", "&Ouvrir..."},
    {GuiHostText::kOpenHelp, "Open a drawing", "Abre un dibujo", "Ouvre un dessin"},
    {GuiHostText::kSave, "&Save", "&Guardar", "&Enregistrer"},
    {GuiHostText::kSaveHelp, "Save the drawing to its file", "Guarda el dibujo en su archivo",
     "Enregistre le dessin dans son fichier"},
    {GuiHostText::kSaveAs, "Save &As...", "Guardar &como...", "Enregistrer &sous..."},
    {GuiHostText::kSaveAsHelp, "Save the drawing to another file", "Guarda el dibujo en otro archivo",
     "Enregistre le dessin dans un autre fichier"},
    {GuiHostText::kQuit, "&Quit", "&Salir", "&Quitter"},
    {GuiHostText::kQuitHelp, "Quit without saving", "Sale sin guardar", "Quitte sans enregistrer"},
    {GuiHostText::kExtract, "&Data extraction...", "&Extracción de datos...", "&Extraction de données..."},
    {GuiHostText::kExtractHelp, "Extract data from the drawing's objects (DATAEXTRACTION)",
     "Extrae datos de los objetos del dibujo (DATAEXTRACTION)",
     "Extrait des données des objets du dessin (DATAEXTRACTION)"},
    {GuiHostText::kUpdate, "&Update extraction...", "&Actualizar extracción...", "&Mettre à jour l'extraction..."},
    {GuiHostText::kUpdateHelp, "Update an extraction table (DATAEXTRACTIONUPDATE)",
     "Actualiza una tabla de extracción (DATAEXTRACTIONUPDATE)",
     "Met à jour une table d'extraction (DATAEXTRACTIONUPDATE)"},
    {GuiHostText::kZoomExtents, "Zoom &extents", "&Zoom extensión", "&Zoom étendu"},
    {GuiHostText::kZoomExtentsHelp, "Show the whole drawing", "Muestra todo el dibujo", "Affiche l'ensemble du dessin"},
    {GuiHostText::kToolOpen, "Open", "Abrir", "Ouvrir"},
    {GuiHostText::kToolSave, "Save", "Guardar", "Enregistrer"},
    {GuiHostText::kToolSaveAs, "Save As", "Guardar como", "Enregistrer sous"},
    {GuiHostText::kToolExtract, "Data extraction", "Extracción de datos", "Extraction de données"},
    {GuiHostText::kToolUpdate, "Update extraction", "Actualizar extracción", "Mettre à jour"},
    {GuiHostText::kToolZoomExtents, "Zoom extents", "Zoom extensión", "Zoom étendu"},
    {GuiHostText::kToolQuit, "Quit", "Salir", "Quitter"},
    {GuiHostText::kCommandPrompt, "Command:", "Comando:", "Commande\u00a0:"},
    {GuiHostText::kCommandRunning, "A command is running: answer or cancel it first.",
     "Hay un comando en curso: respóndalo o cancélelo primero.",
     "Une commande est en cours\u00a0: répondez-y ou annulez-la d'abord."},
    {GuiHostText::kCloseDialogFirst, "Close the dialog first.", "Cierre primero el cuadro de diálogo.",
     "Fermez d'abord la boîte de dialogue."},
    {GuiHostText::kOpenTitle, "Open drawing", "Abrir dibujo", "Ouvrir un dessin"},
    {GuiHostText::kSaveAsTitle, "Save drawing as", "Guardar dibujo como", "Enregistrer le dessin sous"},
    {GuiHostText::kDrawingFiles, "Drawings (*.dxf)", "Dibujos (*.dxf)", "Dessins (*.dxf)"},
    {GuiHostText::kAllFiles, "All files", "Todos los archivos", "Tous les fichiers"},
    {GuiHostText::kCancelButton, "&Cancel", "&Cancelar", "&Annuler"},
    {GuiHostText::kOpenButton, "&Open", "&Abrir", "&Ouvrir"},
    {GuiHostText::kSaveButton, "&Save", "&Guardar", "&Enregistrer"},
    {GuiHostText::kOpeningFile, "Opening %s", "Abriendo %s", "Ouverture de %s"},
    {GuiHostText::kSavingFile, "Saving %s", "Guardando %s", "Enregistrement de %s"},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<std::size_t>(GuiHostText::kCount),
              "one line for every text");

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < sizeof kTexts / sizeof kTexts[0]; ++i)
        if (kTexts[i].id != static_cast<GuiHostText>(i)) return false;
    return true;
}
static_assert(inOrder(), "the table follows the order of GuiHostText");

}  // namespace

wxString kvguiHostText(GuiHostText id, KvUiLanguage language)
{
    const Texts& texts = kTexts[static_cast<std::size_t>(id)];
    switch (language) {
    case KvUiLanguage::Spanish: return wxString::FromUTF8(texts.es);
    case KvUiLanguage::French: return wxString::FromUTF8(texts.fr);
    default: return wxString::FromUTF8(texts.en);
    }
}

wxString kvguiHostText(GuiHostText id)
{
    return kvguiHostText(id, kvGetUiLanguage());
}
