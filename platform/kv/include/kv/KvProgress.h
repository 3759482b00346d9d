#pragma once
// Long host operations (opening and saving a drawing) report how far they are, so that a
// terminal or a window can show progress. Where it is shown, and whether a short operation
// shows anything at all, is the sink's choice.
#include <cstdint>
#include <string>

class KvProgressSink {
public:
    virtual ~KvProgressSink() = default;
    // An operation starts; total is in its own units (bytes, records), 0 when unknown.
    virtual void begin(const std::u16string& what, std::uint64_t total) = 0;
    // Cheap enough to call often: sinks throttle what they show.
    virtual void advance(std::uint64_t done) = 0;
    // The operation ended, however it ended.
    virtual void end() = 0;
};

// The sink in force (not owned); null reports nothing.
void kvSetProgressSink(KvProgressSink* sink);
KvProgressSink* kvProgressSink();

// One operation's reporting: begin now, end when it goes (also when an error unwinds it).
class KvProgress {
public:
    KvProgress(const std::u16string& what, std::uint64_t total);
    ~KvProgress();
    KvProgress(const KvProgress&) = delete;
    KvProgress& operator=(const KvProgress&) = delete;

    void advance(std::uint64_t done)
    {
        if (m_pSink != nullptr) m_pSink->advance(done);
    }

private:
    KvProgressSink* m_pSink;
};
