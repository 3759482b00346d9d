// kvhost: the stand-in host program. Loads the plug-in module, sends it the load message,
// runs commands from the command line or a script, and unloads it at the end.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

#include "kv/KvConsole.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvEdInputProvider.h"
#include "kv/KvHostVariables.h"
#include "kv/KvResbuf.h"
#include "kv/KvRx.h"
#include "kv/KvScript.h"
#include "kv/KvString.h"
#include "dxf/DxfHostFiles.h"
#include "DrawingCommands.h"
#include "DrawingFiles.h"
#include "EditCommands.h"
#include "StepTimes.h"
#include "shell/HostOptions.h"
#include "shell/HostShell.h"
#include "shell/PluginModule.h"
#include "shell/ScriptedEditorInput.h"
#include "shell/TerminalProgress.h"
#include "shell/TerminalEditorInput.h"
#include "kvui/KvUiHostDriver.h"
#ifdef KV_HAS_GUI
#include "kvgui/GuiHost.h"
#include "kvgui/GuiToolkit.h"
#endif

namespace {

constexpr int kExitScriptFailed = 1;
constexpr int kExitCannotStart = 2;

int refuse(const std::string& message)
{
    std::fprintf(stderr, "kvhost: %s\n", message.c_str());
    return kExitCannotStart;
}

std::string executablePath(const char* argv0)
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return argv0;
    buffer[n] = 0;
    return buffer;
}

// A drawing's objects and the extraction's records are millions of small blocks, touched out of
// order; on huge pages the processor walks far fewer page tables to reach them (a large job
// runs 15% faster). The extraction frees a million small records at its end: with a deep
// per-size free list each goes back at the cost of one store, where merging each with its
// neighbours walks memory long out of the cache (a tenth of the extraction on a large drawing);
// the blocks are used again by the next blocks of their size. The C library reads its
// allocator settings only when a program starts, so the host starts itself again once with
// these settings. A GLIBC_TUNABLES already set, even empty (as under a profiler that should
// not lose the process), is left as it is.
void restartWithTunedHeap(char** argv)
{
    if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
    if (::setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1:glibc.malloc.tcache_count=65535", 1) != 0) return;
    // By its own name: other sessions name the program that holds a drawing.
    ::execv(executablePath(argv[0]).c_str(), argv);
    // Could not start again: go on with the usual pages.
}

}  // namespace

int main(int argc, char** argv)
{
    restartWithTunedHeap(argv);
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "kvhost: %s\n%s\n", error.c_str(), kHostUsage);
        return kExitCannotStart;
    }

#if !defined(KV_HAS_GUI) && defined(KV_GUI_PROGRAM)
    // The windows live in a program of their own, so that the console host does not load and
    // start the toolkit's libraries at every start (10 ms and 14 MB of a whole job).
    if (options.bGui) {
        const std::string self = executablePath(argv[0]);
        const std::string gui = self.substr(0, self.rfind('/') + 1) + KV_GUI_PROGRAM;
        execv(gui.c_str(), argv);
        return refuse("--gui: cannot start " + gui + " (" + std::strerror(errno) + ")");
    }
#endif

    // A file-size limit makes a write fail like a full disk, reported where the write is,
    // rather than kill the session with its unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);

    // Drawings are DXF files.
    SetDrawingFileHooks({dxfOpenDrawing, dxfSaveDrawing});

    if (options.language) kvSetUiLanguage(*options.language);
    if (options.csVerlan)
        KvHostVariables::instance().set(u"VERLAN", KvTypedValue(RTSTR, kvFromUtf8(*options.csVerlan)));
    KvConsole::instance().setEcho(true);
    // Long opens and saves show how far they are, on a terminal only: never in a log or a pipe.
    TerminalProgress progress(std::cerr);
    if (isatty(STDERR_FILENO)) kvSetProgressSink(&progress);
    struct SinkGuard {
        ~SinkGuard() { kvSetProgressSink(nullptr); }
    } sinkGuard;

    StepTimes::enable(options.bTimes);
    std::unique_ptr<KvDbDatabase> db;
    if (options.csDrawingPath.empty()) {
        db = std::make_unique<KvDbDatabase>();
    } else {
        {
            StepTimes times("opening " + options.csDrawingPath);
            db = OpenDrawingFile(options.csDrawingPath, error);
        }
        if (!db) return refuse(error);
        kvDocManagerPtr()->curDocument()->setFileName(kvFromUtf8(options.csDrawingPath));
        const std::string notice = ReadOnlyNotice();
        if (!notice.empty()) HostShell::print(kvFromUtf8(notice));
    }

    KvScript uiScript;
    std::unique_ptr<KvEdInputProvider> input;
    if (!options.csUiScriptPath.empty()) {
        if (!uiScript.open(options.csUiScriptPath, error)) return refuse("--ui-script: " + error);
        KvScript::setCurrent(&uiScript);
        input = std::make_unique<ScriptedEditorInput>(uiScript);
    } else {
        input = std::make_unique<TerminalEditorInput>(std::cin);
    }
    kvedSetInputProvider(input.get());
    // Dialogs take their answers from the same script, or from the terminal.
    KvScript* pUiScript = options.csUiScriptPath.empty() ? nullptr : &uiScript;
    std::unique_ptr<KvUiHostDriver> consoleDriver;
#ifdef KV_HAS_GUI
    // In the graphical host the main window brings the dialogs' driver.
    if (options.bGui && !kvguiStartToolkit(argv[0], error)) return refuse(error);
#else
    if (options.bGui) return refuse("--gui is not available: this kvhost was built without wxWidgets");
#endif
    if (!options.bGui) consoleDriver = std::make_unique<KvUiHostDriver>(pUiScript);

    std::ifstream scriptFile;
    if (!options.csScriptPath.empty()) {
        scriptFile.open(options.csScriptPath);
        if (!scriptFile) return refuse("--script: cannot read \"" + options.csScriptPath + "\"");
    }

    const std::string modulePath =
        options.csModulePath.empty() ? DefaultModulePath(executablePath(argv[0])) : options.csModulePath;
    PluginModule module;
    if (!module.load(modulePath, error)) return refuse(error);

    int status = 0;
    {
        HostShell shell(std::move(db), &module);
        AddDrawingCommands(shell);
        AddEditCommands(shell);
        module.send(KvRx::kInitAppMsg);
#ifdef KV_HAS_GUI
        if (options.bGui)
            RunGuiHost(options, shell, pUiScript, options.csScriptPath.empty() ? nullptr : &scriptFile);
        else
#endif
        {
            const bool bTerminal = options.csScriptPath.empty() && isatty(STDIN_FILENO);
            shell.run(options.csScriptPath.empty() ? std::cin : scriptFile, bTerminal);
        }
        if (uiScript.failed()) status = kExitScriptFailed;
        shell.leaveDrawingToExit();
    }
    kvedSetInputProvider(nullptr);
    KvScript::setCurrent(nullptr);
#ifdef KV_HAS_GUI
    if (options.bGui) kvguiStopToolkit();
#endif
    return status;
}
