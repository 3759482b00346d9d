#pragma once
// A fresh drawing per test, a recorded command line and a scripted user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/EditorInteraction.h"
#include "kv/kv.h"
#include "kvtest/KvTestHooks.h"
#include "support/DrawingFixture.h"
#include "support/QueuedEditorInput.h"

// The dialog side: records hide/show calls and answers the save-file question.
class ScriptedUi : public EditorInteraction {
public:
    std::vector<std::string> calls;
    bool bSaveConfirmed = false;
    std::u16string csSavePath;
    int iSaveFilter = 1;
    std::u16string csAskedFilter, csAskedName;

    void BeginEditorCommand() override { calls.push_back("begin"); }
    void CompleteEditorCommand() override { calls.push_back("complete"); }
    void CancelEditorCommand() override { calls.push_back("cancel"); }
    bool AskSaveFile(const std::u16string& csFilter, const std::u16string& csInitialName, std::u16string& csPath,
                     int& iFilterIndex) override
    {
        csAskedFilter = csFilter;
        csAskedName = csInitialName;
        if (!bSaveConfirmed) return false;
        csPath = csSavePath;
        iFilterIndex = iSaveFilter;
        return true;
    }
};

class DrawingTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        kvedSetInputProvider(&input);
        KvTestHooks::reset();
    }
    void TearDown() override
    {
        KvTestHooks::reset();
        DrawingFixture::TearDown();
    }

    // What the plug-in printed; the host's own selection prompts are left out.
    std::u16string Printed() const
    {
        std::u16string cs = KvConsole::instance().recorded();
        for (const std::u16string csPrompt : {u"\nSelect objects: ", u"\nSelect object: "}) {
            for (auto i = cs.find(csPrompt); i != std::u16string::npos; i = cs.find(csPrompt))
                cs.erase(i, csPrompt.size());
        }
        return cs;
    }

    KvDbObjectId AddLine(double length, const std::u16string& csLayer = u"0")
    {
        auto* pLine = new KvDbLine(KvGePoint3d(0, 0, 0), KvGePoint3d(length, 0, 0));
        pLine->setLayer(csLayer);
        return Add(pLine);
    }
    std::u16string HandleOf(KvDbObjectId id) const { return HandleText(id); }

    QueuedEditorInput input;
    ScriptedUi ui;
};
