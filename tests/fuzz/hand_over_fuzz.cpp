// libFuzzer target: the single-instance message reader on any bytes, whole or arriving in two parts.
#include "app/core/command_ids.h"
#include "app/core/hand_over_message.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedHandOver whole = DecodeHandOver(bytes);
    Require(whole.bytes >= 0 && whole.bytes <= bytes.size(), "takes no more than it was given");
    Require(whole.bytes <= kHandOverHeaderBytes + kMaxHandOverBytes, "takes no more than one message");
    Require((whole.bytes > 0) == (whole.read == HandOverRead::Ignored || whole.read == HandOverRead::Message),
            "a whole message and only one has a length");

    // A message that arrives in two parts reads the same once it is all there.
    if (whole.bytes > 0) {
        const DecodedHandOver exact = DecodeHandOver(bytes.first(whole.bytes));
        Require(exact.read == whole.read && exact.bytes == whole.bytes, "bytes after a message change nothing");
        Require(DecodeHandOver(bytes.first(whole.bytes - 1)).read == HandOverRead::NeedMore,
                "a message one byte short waits");
    }
    if (whole.read != HandOverRead::Message)
        return 0;
    Require(!whole.message.path.contains(QChar(0)), "no terminator inside the path");
    // What was read is sent again just as the second start would send it.
    const QString text = (whole.message.compile ? QStringLiteral("1") : QStringLiteral("0")) + whole.message.path;
    const DecodedHandOver again = DecodeHandOver(EncodeHandOver(COPYDATA_OPEN_FILE, text));
    Require(again.read == HandOverRead::Message && again.message.compile == whole.message.compile
                && again.message.path == whole.message.path,
            "a message read survives being sent again");
    return 0;
}
