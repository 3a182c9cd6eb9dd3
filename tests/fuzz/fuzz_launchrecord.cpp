// Feeds arbitrary bytes to the launch data record reader. Besides crashes and sanitizer reports it checks
// that every record the reader accepts and the writer can write reads back to the same values.
#include "files/LaunchRecordReader.h"
#include "files/LaunchRecordWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto text = LaunchRecordReader::decodeText(bytes)) {
        const QStringList fields = LaunchRecordReader::splitFields(*text, 64);
        if (fields.size() > 64)
            std::abort();
    }
    const auto parsed = LaunchRecordReader::parse(bytes);
    if (parsed.record.has_value() == !parsed.problem.isEmpty())
        std::abort(); // a record, or a reason: never both, never neither
    if (!parsed.record)
        return 0;
    const auto encoded = LaunchRecordWriter::encode(*parsed.record);
    if (!encoded.problem.isEmpty() || encoded.bytes.size() > LaunchRecordReader::MaxFileSize)
        return 0;
    const auto again = LaunchRecordReader::parse(encoded.bytes);
    if (!again.record || !(*again.record == *parsed.record)) {
        std::fprintf(stderr, "written record does not read back: %s\n", qPrintable(again.problem));
        std::abort();
    }
    return 0;
}
