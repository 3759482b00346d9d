#pragma once
// The editor's requests (a point, objects, a single pick) answered in the main window: by
// clicks and drags in the view or by typing on the command line, as at the terminal.
// Each request runs an event loop of its own until the user has answered. With a UI
// script the script's line is read and performed on the widgets, so that the answer takes
// the same way as a user's.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GuiDrawingView.h"
#include "kv/KvEdInputProvider.h"
#include "kv/KvScript.h"
#include "shell/ScriptedEditorInput.h"

class GuiCommandLine;
class wxGUIEventLoop;

class GuiEditorInput : public KvEdInputProvider, public GuiViewListener {
public:
    GuiEditorInput(GuiDrawingView& view, GuiCommandLine& commandLine, KvScript* script);
    ~GuiEditorInput() override;

    int selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all) override;
    int pickObject(const std::u16string& prompt, KvDbHandle& handle) override;
    int pickFilteredObject(const std::u16string& prompt, const std::function<bool(const KvDbEntity&)>& accepts,
                           KvDbHandle& handle) override;
    int getPoint(const std::u16string& prompt, const KvGePoint3d* basePoint, KvGePoint3d& point) override;

    bool IsWaiting() const { return m_want != Want::kNone; }
    // The command line's text for the running request; false when none runs.
    bool Entered(const std::string& text);
    // Cancels the running request (Esc, or the window closing).
    void Cancel();
    // Where the cursor is, for the status bar.
    std::function<void(const RenderPoint&)> onCursor;
    // Whether a pick at the item would answer the running request.
    bool Accepts(const SceneItem& item) const;

    void ViewClicked(const RenderPoint& point, int item) override;
    void ViewDragged(const RenderBox& box, bool bCrossing) override;
    void ViewEnter() override;
    void ViewEscape() override { Cancel(); }
    void ViewCursor(const RenderPoint& point) override
    {
        if (onCursor) onCursor(point);
    }

private:
    enum class Want { kNone, kPoint, kObjects, kPick };
    int Wait(Want want, const std::u16string& prompt);
    void Finish(int rc);
    void AddItems(const std::vector<std::uint32_t>& items);
    // The running request's script line performed on the widgets; false when the line was
    // bad (already reported) and the request is cancelled without waiting.
    bool PerformScriptedPoint(const std::u16string& prompt);
    bool PerformScriptedPick(const std::u16string& prompt);
    bool PerformScriptedObjects(const std::u16string& prompt);

    GuiDrawingView& m_view;
    GuiCommandLine& m_commandLine;
    KvScript* m_pScript;
    std::unique_ptr<ScriptedEditorInput> m_scripted;
    Want m_want = Want::kNone;
    std::u16string m_prompt;
    bool m_bDone = false;
    int m_rc = 0;
    wxGUIEventLoop* m_pLoop = nullptr;
    // The answer being put together.
    KvGePoint3d m_point;
    KvDbHandle m_handle;
    std::vector<KvDbHandle> m_handles;
    std::vector<std::uint32_t> m_selected;
    bool m_bAll = false;
    std::function<bool(const KvDbEntity&)> m_accepts;
};
