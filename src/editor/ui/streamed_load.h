// StreamedLoad: a script file read, converted and fed to a new component document on a thread of its own.
#pragma once

#include "editor/core/utf8_reader.h"

#include <atomic>
#include <functional>
#include <thread>

class ScintillaCall;
class ScintillaLoader;

class StreamedLoad {
public:
    // report runs on the worker thread with the percentage fed so far, and
    // once more with done set when the worker has ended; the owner passes it
    // on to its own thread.
    using Report = std::function<void(int percent, bool done)>;

    // call makes the document (on this, the UI thread); sizeHint is what it
    // reserves room for.
    StreamedLoad(ScintillaCall& call, Utf8ReadRequest request, qint64 sizeHint, Report report);
    StreamedLoad(const StreamedLoad&) = delete;
    StreamedLoad& operator=(const StreamedLoad&) = delete;
    // Cancels a load still running, waits for its worker (at most one piece)
    // and frees the document it was filling.
    ~StreamedLoad();

    // After done was reported: what the read found and, when it succeeded,
    // the filled document with one reference that the caller now owns.
    Utf8ReadResult Finish(void*& document);

private:
    class LoaderSink;

    ScintillaLoader* m_loader;
    std::atomic<bool> m_cancelled{false};
    Utf8ReadResult m_result;
    std::thread m_worker;
};
