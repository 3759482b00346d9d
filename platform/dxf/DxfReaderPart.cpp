// A long ENTITIES section is read by two threads: a second reader takes the far half from a
// record that begins anew (one that follows no INSERT or POLYLINE and is no follower itself),
// into lists of its own. When the whole reader arrives at that record in the state the part
// assumed, it takes the part's objects, names and chunks in file order and reads on after
// them, so the drawing is the one a single thread reads. Otherwise, and when the part met
// anything wrong, the part is dropped and the whole reader reads that stretch itself: errors
// and their messages are the single thread's.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <type_traits>

#include "DxfReaderState.h"

namespace dxfreader {

struct Reader::Part {
    std::uint64_t start = 0;
    std::uint32_t spaces[2] = {kNone, kNone};  // the whole reader's model and paper space at the start
    std::unique_ptr<Reader> reader;
    std::atomic<bool> stop{false};
    bool done = false;  // read to its end; written by the thread, read after joining it
    std::thread thread;

    Part() = default;
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;
    ~Part()
    {
        stop = true;
        if (thread.joinable()) thread.join();
    }
};

namespace {
bool isTypeName(std::string_view s)
{
    bool letter = false;
    for (const char c : s) {
        if (c >= 'A' && c <= 'Z')
            letter = true;
        else if (!((c >= '0' && c <= '9') || c == '_'))
            return false;
    }
    return letter;
}

bool takesFollowers(std::string_view type)
{
    return type == "INSERT" || type == "POLYLINE" || type == "VERTEX" || type == "ATTRIB";
}

bool beginsAnew(std::string_view type)
{
    return !(type == "ATTRIB" || type == "VERTEX" || type == "SEQEND" || type == "ENDSEC" || type == "SECTION" ||
             type == "EOF");
}

// The first byte of a record at or after near that a part can start at, or kNoOffset. A group 0
// line is recognised by the type name on the line after it (no group code is a name); what is
// taken for one here is checked when the whole reader arrives.
std::uint64_t findPartStart(const DxfSource& source, std::uint64_t near)
{
    constexpr std::uint64_t kLook = 256 << 10;
    if (near >= source.size()) return kNoOffset;
    std::string bytes;
    source.read(near, static_cast<std::size_t>(std::min(kLook, source.size() - near)), bytes);
    const std::string_view all(bytes);
    std::size_t at = all.find('\n');
    if (at == std::string_view::npos) return kNoOffset;
    ++at;
    std::string_view previousType;
    bool zeroLine = false;
    std::size_t zeroLineBegin = 0;
    for (std::size_t end; (end = all.find('\n', at)) != std::string_view::npos; at = end + 1) {
        const std::string_view line = dxfTrim(all.substr(at, end - at));
        if (zeroLine && isTypeName(line)) {
            if (!previousType.empty() && !takesFollowers(previousType) && beginsAnew(line)) return near + zeroLineBegin;
            previousType = line;
        }
        zeroLine = line == "0";
        zeroLineBegin = at;
    }
    return kNoOffset;
}
// Appends what `from` holds, changed by `map`, and gives the pages of `from` already copied back
// to the system as it goes: the part's lists are as long as the whole reader's, and are not
// read again.
template <class T, class Map>
void appendReleasing(std::vector<T>& to, const std::vector<T>& from, Map map)
{
    static_assert(std::is_trivially_destructible_v<T>);
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    constexpr std::size_t kSlice = 1 << 16;
    for (std::size_t at = 0; at < from.size(); at += kSlice) {
        const std::size_t end = std::min(from.size(), at + kSlice);
        for (std::size_t i = at; i < end; ++i) to.push_back(map(from[i]));
        // Whole pages from the start of the list up to here.
        const auto first = (reinterpret_cast<std::uintptr_t>(from.data()) + page - 1) & ~(page - 1);
        const auto last = reinterpret_cast<std::uintptr_t>(from.data() + end) & ~(page - 1);
        if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
    }
}
}  // namespace

Reader::Reader(DxfDocument& doc, KvDbDatabase& db, const DxfReadOptions& options)
    : m_doc(doc),
      m_db(db),
      m_options(options),
      m_progress(std::in_place, u"Opening " + dxfUtf8ToUtf16(doc.fileName), doc.source.size()),
      m_windowBytes(std::max<std::size_t>(options.windowBytes, 32)),
      m_window(doc.source, m_windowBytes),
      m_in(m_window.from(0, m_windowBytes), doc.fileName),
      m_chunks(doc.chunks)
{
    m_in.setFinal(m_in.data().size() == doc.source.size());
}

Reader::Reader(const Reader& whole, std::uint64_t start, const std::uint32_t (&spaces)[2])
    : m_doc(whole.m_doc),
      m_db(whole.m_db),
      m_options(whole.m_options),
      m_windowBytes(whole.m_windowBytes),
      m_window(whole.m_doc.source, m_windowBytes),
      m_in(std::string_view(), whole.m_doc.fileName, false),
      m_chunks(m_ownChunks)
{
    m_isPart = true;
    m_partSpaces[0] = spaces[0];
    m_partSpaces[1] = spaces[1];
    m_section = DxfSectionId::kEntities;
    const std::uint64_t size = m_doc.source.size();
    std::string_view window = m_window.from(start, m_windowBytes);
    m_in.setWindow(window, start, 1, start + window.size() == size);
    const std::size_t expected = static_cast<std::size_t>((size - start) / 150 + 16);
    m_staged.reserve(expected);
    m_ownChunks.reserve(expected);
    m_chunkStaged.reserve(expected);
}

Reader::~Reader()
{
    m_part.reset();  // its thread ends before what it reads from goes
    for (Staged& s : m_staged)
        if (s.owned) delete s.object;
}

void Reader::startPart()
{
    const std::uint64_t size = m_doc.source.size();
    if (m_isPart || m_part || m_doc.binary || size < m_options.splitFileBytes) return;
    // A little past the middle: a byte costs the part some 5% more than the whole reader (on
    // drawings of 100 MB), and what it leaves the whole reader is not copied when they meet.
    const std::uint64_t near = m_options.splitNear != 0 ? m_options.splitNear : m_recEnd + (size - m_recEnd) / 128 * 65;
    const std::uint64_t start = findPartStart(m_doc.source, near);
    if (start == kNoOffset) return;
    auto part = std::make_unique<Part>();
    part->start = start;
    for (int paper = 0; paper < 2; ++paper) {
        auto it = m_blocksByName.find(paper ? u"*PAPER_SPACE" : u"*MODEL_SPACE");
        part->spaces[paper] = it == m_blocksByName.end() ? kNone : it->second;
    }
    part->reader.reset(new Reader(*this, start, part->spaces));
    Part* running = part.get();
    try {
        part->thread = std::thread([running] {
            try {
                running->reader->runPart(running->stop);
                running->done = !running->stop;
            } catch (...) {
                // Whatever went wrong, the whole reader meets it again and says so.
            }
        });
    } catch (const std::system_error&) {
        return;  // no thread to be had: one reads it all
    }
    m_part = std::move(part);
    m_partStart = start;
}

void Reader::runPart(const std::atomic<bool>& stop)
{
    while (!stop.load(std::memory_order_relaxed)) {
        if (!readRecord()) {
            m_partEnd = m_in.offset();
            m_partEndLine = m_in.line();
            return;
        }
        const DxfTag& head = m_tags.front();
        const std::string_view name = m_in.text(head, true);
        // The section's end, and what does not belong in it, are the whole reader's to meet.
        if (head.code != 0 || name == "ENDSEC" || name == "SECTION" || name == "EOF") {
            m_partEnd = m_recBegin;
            m_partEndLine = head.pos.line;
            return;
        }
        noteHandle(recordHandle(), head.pos.offset);
        readEntity(name);
    }
}

void Reader::dropPart()
{
    m_part.reset();
    m_partStart = kNoOffset;
}

bool Reader::joinPart()
{
    const std::unique_ptr<Part> part = std::move(m_part);
    m_partStart = kNoOffset;
    part->thread.join();
    Reader& p = *part->reader;
    auto space = [&](bool paper) {
        auto it = m_blocksByName.find(paper ? u"*PAPER_SPACE" : u"*MODEL_SPACE");
        return it == m_blocksByName.end() ? kNone : it->second;
    };
    if (!part->done || m_recBegin != part->start || m_section != DxfSectionId::kEntities || m_expectFollowers ||
        space(false) != part->spaces[0] || space(true) != part->spaces[1])
        return false;

    const auto base = static_cast<std::uint32_t>(m_staged.size());
    auto mapped = [&](std::uint32_t i) {
        return i == kNone                ? kNone
               : i == kModelSpaceOfWhole ? part->spaces[0]
               : i == kPaperSpaceOfWhole ? part->spaces[1]
                                         : base + i;
    };
    // Names in the order the part met them.
    std::vector<const std::string*> raw(p.m_names.size(), nullptr);
    for (const auto& [text, index] : p.m_nameByRaw) raw[index] = &text;
    std::vector<std::uint32_t> names(raw.size(), 0);
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (raw[i]) names[i] = nameIndex(*raw[i]);
    // Room first: once the staged objects are copied, nothing may throw before the part lets them go.
    m_staged.reserve(m_staged.size() + p.m_staged.size());
    m_links.reserve(m_links.size() + p.m_links.size());
    m_chunks.reserve(m_chunks.size() + p.m_chunks.size());
    m_chunkStaged.reserve(m_chunkStaged.size() + p.m_chunkStaged.size());
    // The chunks are copied beside the objects, on a thread of their own.
    auto copyChunks = [&] {
        appendReleasing(m_chunks, p.m_chunks, [](const DxfChunk& c) { return c; });
        appendReleasing(m_chunkStaged, p.m_chunkStaged, mapped);
    };
    Beside copier(copyChunks);
    appendReleasing(m_staged, p.m_staged, [&](Staged s) {
        s.parent = mapped(s.parent);
        return s;
    });
    p.m_staged.clear();
    for (Link l : p.m_links) {
        l.staged = mapped(l.staged);
        if (l.kind == LinkKind::kBlockByName || l.kind == LinkKind::kTextStyleByName) l.name = names[l.name];
        m_links.push_back(l);
    }
    for (const auto& [staged, handle] : p.m_xdictionaries) m_xdictionaries.emplace_back(mapped(staged), handle);
    for (std::uint32_t staged : p.m_multiPartTexts) m_multiPartTexts.push_back(mapped(staged));
    copier.join();
    if (p.m_maxHandle > m_maxHandle) m_maxHandle = p.m_maxHandle, m_maxHandleOffset = p.m_maxHandleOffset;
    if (p.m_lastComplex != kNone) {
        m_lastComplex = mapped(p.m_lastComplex);
        m_polyDefaultWidth[0] = p.m_polyDefaultWidth[0];
        m_polyDefaultWidth[1] = p.m_polyDefaultWidth[1];
    }
    m_expectFollowers = p.m_expectFollowers;

    // On after the part, with the lines counted from here.
    const std::uint32_t line = m_tags.front().pos.line + p.m_partEndLine - 1;
    m_havePending = false;
    if (m_progress) m_progress->advance(p.m_partEnd);
    const std::string_view window = m_window.from(p.m_partEnd, m_windowBytes);
    m_in.setWindow(window, p.m_partEnd, line, p.m_partEnd + window.size() == m_doc.source.size());
    if (m_options.partTakenAt) *m_options.partTakenAt = part->start;
    return true;
}

}  // namespace dxfreader
