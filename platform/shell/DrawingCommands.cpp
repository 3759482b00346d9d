#include "DrawingCommands.h"

#include "kv/KvRx.h"
#include "kv/KvString.h"
#include "DrawingFiles.h"
#include "DrawingLock.h"
#include "RenderCommand.h"
#include "shell/HostShell.h"

namespace {

std::string unquoted(std::string s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

void print(const std::string& text)
{
    HostShell::print(kvFromUtf8(text));
}

// The file of the drawing being edited in this session.
struct SessionFile {
    std::string path;
    FileIdentity identity;  // the file as opened or last saved
    DrawingLock lock;
    bool bReadOnly = false;
    std::string holder;  // who had it when it was opened read-only
};

std::unique_ptr<SessionFile>& sessionFile()
{
    static std::unique_ptr<SessionFile> file;
    return file;
}

// The file at path, locked for this session if nobody else holds it.
std::unique_ptr<SessionFile> lockFile(const std::string& path)
{
    auto file = std::make_unique<SessionFile>();
    file->path = path;
    file->bReadOnly = file->lock.take(path, file->holder) == DrawingLock::Result::HeldElsewhere;
    file->identity = file->lock.identity();
    return file;
}

// Refuses to write over a drawing another session has open, or over a file that replaced
// this drawing's own since it was opened here (another session saved it): either would
// silently throw that work away.
bool mayWrite(const std::string& path)
{
    SessionFile* pFile = sessionFile().get();
    const FileIdentity target = FileIdentity::of(path);
    const bool bOwnFile = pFile && (target.sameAs(pFile->identity) || (!target.bExists && path == pFile->path));
    if (bOwnFile && !pFile->bReadOnly) return true;
    if (!bOwnFile && pFile && path == pFile->path) {
        print("Drawing not saved: " + path +
              " was replaced by another program or session since it was opened here. SAVEAS saves this drawing "
              "to another file.");
        return false;
    }
    // Another file, or this read-only drawing's own: free only when nobody holds it now.
    DrawingLock probe;
    std::string holder;
    if (probe.take(path, holder) != DrawingLock::Result::HeldElsewhere) return true;
    print("Drawing not saved: " + path + " is open in " + holder +
          (bOwnFile ? ". SAVEAS saves this drawing to another file." : "."));
    return false;
}

void saveAs(HostShell& shell, const std::string& path)
{
    const DrawingFileHooks& files = GetDrawingFileHooks();
    std::string error;
    if (files.write == nullptr) {
        HostShell::print(u"This build does not write drawing files.");
        return;
    }
    if (!mayWrite(path)) return;
    if (!files.write(shell.database(), path, error)) {
        print("Drawing not saved: " + error);
        return;
    }
    kvDocManagerPtr()->curDocument()->setFileName(kvFromUtf8(path));
    print("Drawing saved to " + path + ".");
    // The saved file is a new one: the lock moves to it.
    sessionFile().reset();
    sessionFile() = lockFile(path);
    const std::string notice = ReadOnlyNotice();
    if (!notice.empty()) print(notice);
}

}  // namespace

std::unique_ptr<KvDbDatabase> OpenDrawingFile(const std::string& path, std::string& error)
{
    const DrawingFileHooks& files = GetDrawingFileHooks();
    if (files.read == nullptr) {
        error = "this build does not read drawing files";
        return nullptr;
    }
    // Locked before it is read, so that the lock covers what is read. The file this session
    // has open already keeps its lock (a second lock of ours would wait for the first).
    std::unique_ptr<SessionFile>& current = sessionFile();
    std::unique_ptr<SessionFile> next;
    const bool bSameFile = current && current->lock.held() && FileIdentity::of(path).sameAs(current->identity);
    if (bSameFile) {
        next = std::make_unique<SessionFile>();
        next->path = path;
        next->identity = current->identity;
        next->lock = std::move(current->lock);
    } else {
        next = lockFile(path);
    }
    std::unique_ptr<KvDbDatabase> db = files.read(path, error);
    if (!db) {
        if (bSameFile) current->lock = std::move(next->lock);
        return nullptr;
    }
    current = std::move(next);
    return db;
}

std::string ReadOnlyNotice()
{
    const SessionFile* pFile = sessionFile().get();
    if (!pFile || !pFile->bReadOnly) return {};
    return "Drawing " + pFile->path + " is open in " + pFile->holder +
           ": it is opened read-only here. SAVE is refused; SAVEAS saves it to another file.";
}

void AddDrawingCommands(HostShell& shell)
{
    AddRenderCommand(shell);
    shell.addHostCommand("OPEN", [](HostShell& sh, const std::string& arguments) {
        const std::string path = unquoted(arguments);
        if (path.empty()) {
            HostShell::print(u"OPEN needs the drawing's file name.");
            return;
        }
        std::string error;
        std::unique_ptr<KvDbDatabase> db = OpenDrawingFile(path, error);
        if (!db) {
            // The drawing open so far stays open, unchanged.
            print("Drawing not opened: " + error);
            return;
        }
        sh.replaceDatabase(std::move(db));
        kvDocManagerPtr()->curDocument()->setFileName(kvFromUtf8(path));
        print("Drawing " + path + " opened.");
        const std::string notice = ReadOnlyNotice();
        if (!notice.empty()) print(notice);
    });
    shell.addHostCommand("SAVE", [](HostShell& sh, const std::string&) {
        const std::u16string name = kvDocManagerPtr()->curDocument()->fileName();
        if (name.empty()) {
            HostShell::print(u"The drawing has no file yet: use SAVEAS with a file name.");
            return;
        }
        saveAs(sh, kvToUtf8(name));
    });
    shell.addHostCommand("SAVEAS", [](HostShell& sh, const std::string& arguments) {
        const std::string path = unquoted(arguments);
        if (path.empty()) {
            HostShell::print(u"SAVEAS needs the file name to save to.");
            return;
        }
        saveAs(sh, path);
    });
}
