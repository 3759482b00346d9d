#pragma once
// Runs the wizard in-process on a drawing built in the test, the user's actions coming from a
// script and the editor's answers from a queue. Every action the dialogs wait for is recorded
// with what the waiting dialog shows at that moment.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kv/KvScript.h"
#include "kv/kv.h"
#include "support/DrawingFixture.h"
#include "support/QueuedEditorInput.h"
#include "support/ScratchDir.h"
#include "kvui/KvUiScriptDriver.h"

// What one dialog showed when it waited for an action.
struct DialogSnapshot {
    unsigned int idTemplate = 0;
    std::map<int, std::vector<std::u16string>> lists;  // "[x] name" or "[ ] name" per item, top first
    std::map<int, int> checks;                         // check boxes and radio buttons
    std::map<int, std::u16string> texts;               // every control's text
    std::map<int, std::vector<bool>> columnsShown;     // report lists
};

class RecordingDriver : public KvUiScriptDriver {
public:
    explicit RecordingDriver(KvScript& script) : KvUiScriptDriver(script) {}
    bool NextAction(CKpUiBaseDialog& dlg, KvUiAction& action) override;
    int MessageBox(const KvUiMessageBoxRequest& request) override;

    std::vector<DialogSnapshot> snapshots;
    std::vector<std::u16string> messages;
};

class WizardTest : public DrawingFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs DATAEXTRACTION's first page with the script; true when the script was used up
    // without a complaint.
    bool Run(const std::string& csScript);

    KvDbObjectId AddLine(double x0, double y0, double x1, double y1, const std::u16string& csLayer = u"0");
    KvDbObjectId AddCircle(double x, double y, double r) { return Add(new KvDbCircle(KvGePoint3d(x, y, 0), r)); }
    KvDbObjectId AddBlockReference(const std::u16string& csBlock, double x, double y);
    std::vector<KvDbObjectId> Tables();

    // The snapshots of one dialog, in the order it waited.
    std::vector<DialogSnapshot> Visits(unsigned int idTemplate) const;
    std::vector<unsigned int> DialogSequence() const;
    std::u16string Printed() const { return KvConsole::instance().recorded(); }
    std::string Path(const std::string& csName) const { return m_dir.Path(csName).string(); }
    static std::string ReadFile(const std::string& csPath) { return ReadBytes(csPath); }

    QueuedEditorInput m_input;
    std::unique_ptr<RecordingDriver> m_pDriver;
    KvScript m_script;
    ScratchDir m_dir;
};
