#pragma once
// The editor's requests answered in turn from a queue the test fills; an empty queue cancels.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "kv/kv.h"

class QueuedEditorInput : public KvEdInputProvider {
public:
    struct Answer {
        int rc = RTNORM;
        std::vector<KvDbHandle> handles;  // the objects selected, or the one picked
        bool all = false;
        KvGePoint3d point;
    };
    static Answer Picked(std::vector<KvDbHandle> handles) { return {RTNORM, std::move(handles), false, {}}; }
    static Answer All() { return {RTNORM, {}, true, {}}; }
    static Answer Cancelled() { return {RTCAN, {}, false, {}}; }
    static Answer At(KvGePoint3d point) { return {RTNORM, {}, false, point}; }

    std::deque<Answer> answers;
    std::vector<std::u16string> prompts;

    // Outputs are written even on a cancel, so that callers must not take them then.
    int selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all) override
    {
        const Answer answer = Take(prompt);
        handles = answer.handles;
        all = answer.all;
        return answer.rc;
    }
    int pickObject(const std::u16string& prompt, KvDbHandle& handle) override
    {
        const Answer answer = Take(prompt);
        handle = answer.handles.empty() ? KvDbHandle() : answer.handles.front();
        return answer.rc;
    }
    int getPoint(const std::u16string& prompt, const KvGePoint3d*, KvGePoint3d& point) override
    {
        const Answer answer = Take(prompt);
        point = answer.point;
        return answer.rc;
    }

private:
    Answer Take(const std::u16string& prompt)
    {
        prompts.push_back(prompt);
        if (answers.empty()) return Cancelled();
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
