#pragma once
#include <functional>
#include <string>
#include <vector>

#include "kv/KvDbHandle.h"
#include "kv/KvGePoint3d.h"

class KvDbEntity;

// Answers the editor's interactive requests: a terminal, a script, a test.
// Each returns RTNORM, RTCAN (the user cancelled) or RTERROR.
class KvEdInputProvider {
public:
    virtual ~KvEdInputProvider() = default;
    // Interactive object selection: handles picked, or all = true for every object.
    virtual int selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all) = 0;
    // Single pick of one object.
    virtual int pickObject(const std::u16string& prompt, KvDbHandle& handle) = 0;
    // Single pick of one object that `accepts` takes (the request's filter): a provider that
    // shows the drawing offers only those; by default the filter is applied after the pick.
    virtual int pickFilteredObject(const std::u16string& prompt, const std::function<bool(const KvDbEntity&)>& accepts,
                                   KvDbHandle& handle)
    {
        (void)accepts;
        return pickObject(prompt, handle);
    }
    // A point in the current user coordinate system.
    virtual int getPoint(const std::u16string& prompt, const KvGePoint3d* basePoint, KvGePoint3d& point) = 0;
};

// The provider in force (not owned); without one every request is cancelled.
void kvedSetInputProvider(KvEdInputProvider* provider);
KvEdInputProvider* kvedInputProvider();
