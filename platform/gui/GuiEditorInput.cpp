#include "GuiEditorInput.h"

#include <wx/app.h>
#include <wx/evtloop.h>

#include <algorithm>

#include "GuiCommandLine.h"
#include "kv/KvConsole.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvStatus.h"
#include "kvrender/ScenePicker.h"
#include "kv/KvString.h"
#include "kvgui/GuiEditorActions.h"
#include "kvgui/GuiHostTexts.h"
#include "shell/EditorInputParsing.h"

namespace {

const KvDbDatabase* workingDb()
{
    return kvdbHostApplicationServices()->workingDatabase();
}

// A drawing point in the user coordinate system, as point requests answer.
KvGePoint3d toUcs(const RenderPoint& world)
{
    const KvDbDatabase* pDb = workingDb();
    if (pDb == nullptr) return KvGePoint3d(world.x, world.y, 0);
    const KvGePoint3d o = pDb->ucsorg();
    const KvGeVector3d x = pDb->ucsxdir().normal(), y = pDb->ucsydir().normal();
    const double dx = world.x - o.x, dy = world.y - o.y, dz = -o.z;
    return KvGePoint3d(dx * x.x + dy * x.y + dz * x.z, dx * y.x + dy * y.y + dz * y.z, 0);
}

std::string promptLabel(const std::u16string& prompt)
{
    std::string text = kvToUtf8(prompt);
    text.erase(0, text.find_first_not_of("\n "));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The words after the keyword of the script line a request is about to read.
std::string scriptRest(const KvScript& script)
{
    KvScript::Line line;
    if (!script.peek(line)) return {};
    const std::size_t space = line.text.find_first_of(" \t");
    return space == std::string::npos ? std::string() : line.text.substr(line.text.find_first_not_of(" \t", space));
}

}  // namespace

GuiEditorInput::GuiEditorInput(GuiDrawingView& view, GuiCommandLine& commandLine, KvScript* script)
    : m_view(view),
      m_commandLine(commandLine),
      m_pScript(script),
      m_scripted(script ? std::make_unique<ScriptedEditorInput>(*script) : nullptr)
{
}

GuiEditorInput::~GuiEditorInput() = default;

bool GuiEditorInput::Accepts(const SceneItem& item) const
{
    if (!m_accepts) return true;
    const KvDbDatabase* pDb = workingDb();
    const auto* pEntity = pDb ? kvCast<KvDbEntity>(pDb->objectAt(item.id)) : nullptr;
    return pEntity != nullptr && m_accepts(*pEntity);
}

int GuiEditorInput::Wait(Want want, const std::u16string& prompt)
{
    m_want = want;
    m_prompt = prompt;
    m_bDone = false;
    m_rc = RTCAN;
    m_handles.clear();
    m_selected.clear();
    m_bAll = false;
    m_view.Sync();
    m_view.SetSelection({});
    m_view.SetDragSelects(want == Want::kObjects);
    if (want != Want::kPoint) m_view.SetPickFilter([this](const SceneItem& item) { return Accepts(item); });
    m_commandLine.SetPrompt(promptLabel(prompt));
    m_commandLine.FocusEntry();
    wxGUIEventLoop loop;
    m_pLoop = &loop;
    while (!m_bDone) loop.Run();
    m_pLoop = nullptr;
    m_want = Want::kNone;
    m_accepts = nullptr;
    m_view.SetPickFilter(nullptr);
    m_view.SetDragSelects(false);
    m_view.SetSelection({});
    m_commandLine.SetPrompt(kvguiHostText(GuiHostText::kCommandPrompt).utf8_string());
    return m_rc;
}

void GuiEditorInput::Finish(int rc)
{
    if (m_want == Want::kNone || m_bDone) return;
    m_rc = rc;
    m_bDone = true;
    if (m_pLoop) m_pLoop->Exit(0);
}

void GuiEditorInput::Cancel()
{
    Finish(RTCAN);
}

int GuiEditorInput::getPoint(const std::u16string& prompt, const KvGePoint3d*, KvGePoint3d& point)
{
    if (m_pScript && !PerformScriptedPoint(prompt)) return RTCAN;
    const int rc = Wait(Want::kPoint, prompt);
    if (rc == RTNORM) point = m_point;
    return rc;
}

int GuiEditorInput::pickObject(const std::u16string& prompt, KvDbHandle& handle)
{
    return pickFilteredObject(prompt, nullptr, handle);
}

int GuiEditorInput::pickFilteredObject(const std::u16string& prompt,
                                       const std::function<bool(const KvDbEntity&)>& accepts, KvDbHandle& handle)
{
    m_accepts = accepts;
    if (m_pScript && !PerformScriptedPick(prompt)) {
        m_accepts = nullptr;
        return RTCAN;
    }
    const int rc = Wait(Want::kPick, prompt);
    if (rc == RTNORM) handle = m_handle;
    return rc;
}

int GuiEditorInput::selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all)
{
    handles.clear();
    all = false;
    if (m_pScript && !PerformScriptedObjects(prompt)) return RTCAN;
    const int rc = Wait(Want::kObjects, prompt);
    if (rc == RTNORM) {
        handles = m_handles;
        all = m_bAll;
    }
    return rc;
}

bool GuiEditorInput::Entered(const std::string& typed)
{
    if (m_want == Want::kNone) return false;
    // What the user typed shows after the prompt, as on a terminal; it is not printed.
    m_commandLine.AppendOutput(typed);
    std::string text = typed;
    text.erase(0, text.find_first_not_of(" \t"));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    if (LowerCase(text) == "cancel") {
        Cancel();
        return true;
    }
    switch (m_want) {
    case Want::kPoint:
        if (text.empty()) {
            Cancel();  // Enter on an empty line cancels, as at the terminal
        } else if (ParsePoint(text, m_point)) {
            Finish(RTNORM);
        } else {
            KvConsole::instance().write(u"\nA point is x,y or x,y,z." + m_prompt);
        }
        break;
    case Want::kPick:
        if (text.empty()) {
            Cancel();
        } else if (ParseHandle(text, m_handle)) {
            Finish(RTNORM);
        } else {
            KvConsole::instance().write(u"\n\"" + kvFromUtf8(text) + u"\" is not a handle." + m_prompt);
        }
        break;
    case Want::kObjects:
        if (text.empty()) {
            ViewEnter();
            break;
        }
        if (LowerCase(text) == "all") {
            m_bAll = true;
            Finish(RTNORM);
            break;
        }
        for (const std::string& word : SplitWords(text)) {
            KvDbHandle handle;
            if (ParseHandle(word, handle))
                m_handles.push_back(handle);
            else
                KvConsole::instance().write(u"\n\"" + kvFromUtf8(word) + u"\" is not a handle.");
        }
        KvConsole::instance().write(m_prompt);
        break;
    case Want::kNone: break;
    }
    return true;
}

void GuiEditorInput::AddItems(const std::vector<std::uint32_t>& items)
{
    const KvDbDatabase* pDb = workingDb();
    for (std::uint32_t i : items) {
        if (std::find(m_selected.begin(), m_selected.end(), i) != m_selected.end()) continue;
        const KvDbObject* pObject = pDb ? pDb->objectAt(m_view.Scene().items()[i].id) : nullptr;
        if (pObject == nullptr) continue;
        m_selected.push_back(i);
        m_handles.push_back(pObject->handle());
    }
    m_view.SetSelection(m_selected);
}

void GuiEditorInput::ViewClicked(const RenderPoint& point, int item)
{
    switch (m_want) {
    case Want::kPoint:
        m_point = toUcs(point);
        Finish(RTNORM);
        break;
    case Want::kPick:
        if (item >= 0) {
            const KvDbObject* pObject = workingDb()->objectAt(m_view.Scene().items()[item].id);
            if (pObject) {
                m_handle = pObject->handle();
                Finish(RTNORM);
            }
        }
        break;
    case Want::kObjects:
        if (item >= 0) AddItems({static_cast<std::uint32_t>(item)});
        break;
    case Want::kNone: break;
    }
}

void GuiEditorInput::ViewDragged(const RenderBox& box, bool bCrossing)
{
    if (m_want != Want::kObjects) return;
    ScenePicker picker(m_view.Scene());
    AddItems(bCrossing ? picker.crossing(box) : picker.window(box));
}

// Enter with nothing chosen cancels, as in CAD programs; after some objects it ends.
void GuiEditorInput::ViewEnter()
{
    if (m_want == Want::kObjects) Finish(m_handles.empty() ? RTCAN : RTNORM);
}

bool GuiEditorInput::PerformScriptedPoint(const std::u16string& prompt)
{
    const std::size_t errors = m_pScript->errors().size();
    const std::string rest = scriptRest(*m_pScript);
    KvGePoint3d point;
    const int rc = m_scripted->getPoint(prompt, nullptr, point);
    if (m_pScript->errors().size() != errors) return false;
    if (rc == RTNORM)
        wxTheApp->CallAfter([rest] { GuiTypeCommandLine(rest); });
    else
        wxTheApp->CallAfter([] { GuiPressEscape(); });
    return true;
}

bool GuiEditorInput::PerformScriptedPick(const std::u16string& prompt)
{
    const std::size_t errors = m_pScript->errors().size();
    const std::string rest = scriptRest(*m_pScript);
    KvDbHandle handle;
    const int rc = m_scripted->pickObject(prompt, handle);
    if (m_pScript->errors().size() != errors) return false;
    if (rc != RTNORM) {
        wxTheApp->CallAfter([] { GuiPressEscape(); });
        return true;
    }
    // An entity that cannot be clicked (not drawn, or not of the kind asked for) is typed
    // on the command line, as a user who knows its handle would.
    wxTheApp->CallAfter([handle, rest] {
        if (!GuiClickEntity(handle)) GuiTypeCommandLine(rest);
    });
    return true;
}

bool GuiEditorInput::PerformScriptedObjects(const std::u16string& prompt)
{
    const std::size_t errors = m_pScript->errors().size();
    std::vector<KvDbHandle> handles;
    bool bAll = false;
    const int rc = m_scripted->selectObjects(prompt, handles, bAll);
    if (m_pScript->errors().size() != errors) return false;
    if (rc != RTNORM) {
        wxTheApp->CallAfter([] { GuiPressEscape(); });
        return true;
    }
    if (bAll) {
        wxTheApp->CallAfter([] { GuiDragWindowAroundExtents(); });
        return true;
    }
    wxTheApp->CallAfter([handles] {
        for (const KvDbHandle& handle : handles)
            if (!GuiClickEntity(handle)) GuiTypeCommandLine(kvToUtf8(handle.text()));
        GuiTypeCommandLine("");
    });
    return true;
}
