#pragma once
// The main window's own texts (menus, tool bar, status bar, the host's file choosers) in
// the user's language. The plug-in's texts come from its string tables; what the command
// line prints is the console's text and is not translated here.
#include <cstddef>

#include <wx/string.h>

#include "kv/KvUiLanguage.h"

enum class GuiHostText {
    kMenuFile,
    kMenuView,
    kMenuTools,
    kOpen,
    kOpenHelp,
    kSave,
    kSaveHelp,
    kSaveAs,
    kSaveAsHelp,
    kQuit,
    kQuitHelp,
    kExtract,
    kExtractHelp,
    kUpdate,
    kUpdateHelp,
    kZoomExtents,
    kZoomExtentsHelp,
    kToolOpen,
    kToolSave,
    kToolSaveAs,
    kToolExtract,
    kToolUpdate,
    kToolZoomExtents,
    kToolQuit,
    kCommandPrompt,
    kCommandRunning,
    kCloseDialogFirst,
    kOpenTitle,
    kSaveAsTitle,
    kDrawingFiles,
    kAllFiles,
    kCancelButton,
    kOpenButton,
    kSaveButton,
    kOpeningFile,
    kSavingFile,
    kCount
};

// The text in the running host's language (kvGetUiLanguage), or in the one given. Menu
// labels carry their mnemonic (&) but no accelerator; kOpeningFile and kSavingFile hold one
// %s for the file name.
wxString kvguiHostText(GuiHostText id);
wxString kvguiHostText(GuiHostText id, KvUiLanguage language);
