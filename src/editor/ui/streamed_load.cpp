// StreamedLoad: a script file read, converted and fed to a new component document on a thread of its own.
#include "editor/ui/streamed_load.h"

#include "editor/ui/scintilla_call.h"

class StreamedLoad::LoaderSink : public Utf8Sink {
public:
    LoaderSink(ScintillaLoader& loader, const std::atomic<bool>& cancelled, const Report& report)
        : m_loader(loader), m_cancelled(cancelled), m_report(report) {}

    QString Take(QByteArrayView piece) override {
        if (m_loader.AddData(piece.data(), piece.size()) != 0)
            return QStringLiteral("内存不足");
        return {};
    }
    bool Cancelled() const override { return m_cancelled.load(); }
    void Progress(int percent) override {
        // One report per percent step is plenty for a status bar.
        if (percent != m_lastPercent)
            m_report(percent, false);
        m_lastPercent = percent;
    }

private:
    ScintillaLoader& m_loader;
    const std::atomic<bool>& m_cancelled;
    const Report& m_report;
    int m_lastPercent = -1;
};

namespace {

// Text is UTF-8 to the view's component. Set on the empty document, the code
// page costs nothing; set once the text is there, it has the whole text
// scanned again on the UI thread. A component of our own sets it: the
// document is no other's yet.
void UseUtf8(void* document) {
    ScintillaCall helper;
    helper.SetDocPointer(document);
    helper.SetCodePage(ScintillaCall::kCodePageUtf8);
}  // the helper's reference goes with it

}  // namespace

StreamedLoad::StreamedLoad(ScintillaCall& call, Utf8ReadRequest request, qint64 sizeHint, Report report)
    // One byte more than the text: a piece that fills the reserved room exactly
    // makes the component grow text and styles by a third (measured: 2 x 17 MB at 50 MB).
    : m_loader(call.CreateLoader(sizeHint + 1)) {
    if (!m_loader) {
        m_result.failure = QStringLiteral("内存不足");
        report(100, true);
        return;
    }
    UseUtf8(m_loader->ConvertToDocument());
    m_worker = std::thread([this, request = std::move(request), report = std::move(report)] {
        LoaderSink sink(*m_loader, m_cancelled, report);
        m_result = ReadFileAsUtf8(request, sink);
        report(100, true);
    });
}

StreamedLoad::~StreamedLoad() {
    m_cancelled = true;
    if (m_worker.joinable())
        m_worker.join();
    if (m_loader)
        m_loader->Release();
}

Utf8ReadResult StreamedLoad::Finish(void*& document) {
    if (m_worker.joinable())
        m_worker.join();
    document = nullptr;
    if (m_loader && m_result.failure.isEmpty()) {
        document = m_loader->ConvertToDocument();
        m_loader = nullptr;
    }
    return m_result;
}
